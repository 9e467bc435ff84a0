#include "ListRowsModel.h"

#include "MainPictures.h"

ListRowsModel::ListRowsModel(const QList<Column>& columns, QObject* parent)
    : QAbstractTableModel(parent), m_columns(columns) {
    for (const Column& column : columns)
        m_titles.append(QLatin1String(column.stringNumber));
}

void ListRowsModel::setRows(QList<Row> rows) {
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

QStringList ListRowsModel::rowTexts(int row) const {
    QStringList texts;
    for (int column = 0; column < columnCount(); ++column)
        texts.append(data(index(row, column)).toString());
    return texts;
}

int ListRowsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

int ListRowsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant ListRowsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const Row& row = m_rows[index.row()];
    switch (role) {
    case Qt::DisplayRole:
        return row.texts.value(index.column());
    case Qt::DecorationRole:
        return index.column() == 0 ? QVariant(MainPictures::logBookIcon(row.image)) : QVariant();
    case KeyRole:
        return index.column() == 0 ? QVariant(row.key) : QVariant();
    default:
        return {};
    }
}

QVariant ListRowsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= m_columns.size())
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (role) {
    case Qt::DisplayRole:
        return m_titles[section];
    case KeyRole:
        return QLatin1String(m_columns[section].stringNumber);
    case ColumnKeyRole:
        return QLatin1String(m_columns[section].key);
    default:
        return {};
    }
}

bool ListRowsModel::setHeaderData(int section, Qt::Orientation orientation, const QVariant& value, int role) {
    if (orientation != Qt::Horizontal || section < 0 || section >= m_columns.size() ||
        (role != Qt::DisplayRole && role != Qt::EditRole))
        return false;
    m_titles[section] = value.toString();
    emit headerDataChanged(orientation, section, section);
    return true;
}
