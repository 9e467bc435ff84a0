#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVarLengthArray>

// The rows of one of the List tab's report views, held as plain texts: a logbook of ten thousand
// dives is shown by handing the view its rows at once, with no widget item per row. Each row keeps
// its tree node key and the place of its icon in the logbook image list.
//
//     ListRowsModel rows({{"LOGBOOK", "1490"}, {"DIVES_NUMBER", "1491"}});
//     rows.setRows({{"LB1", LogbookTree::IMAGE_LOGBOOK, {"Reef", "3"}}});
//     view->setModel(&rows);
class ListRowsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // Under Qt::UserRole: the header's string number, and a row's node key in its first column.
    static constexpr int KeyRole = Qt::UserRole;
    // Under Qt::UserRole + 1: the header's column key.
    static constexpr int ColumnKeyRole = Qt::UserRole + 1;

    struct Column {
        const char* key;
        const char* stringNumber;
    };
    // Five texts fit in the row itself: a list of ten thousand rows makes no allocation per row.
    using Texts = QVarLengthArray<QString, 5>;
    struct Row {
        QString key;
        int image = 0;
        Texts texts; // one per column, the first the item's text
    };

    explicit ListRowsModel(const QList<Column>& columns, QObject* parent = nullptr);

    void setRows(QList<Row> rows);
    void clear() { setRows({}); }
    const QList<Row>& rows() const { return m_rows; }
    // The texts of a row, one per column.
    QStringList rowTexts(int row) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    // The header's title (Qt::DisplayRole), as the form's localisation sets it.
    bool setHeaderData(int section, Qt::Orientation orientation, const QVariant& value,
                       int role = Qt::EditRole) override;

private:
    QList<Column> m_columns;
    QStringList m_titles;
    QList<Row> m_rows;
};
