#include "DiveDataControl.h"

#include "DbConnection.h"
#include "DbError.h"
#include "DiveColumns.h"
#include "EngineRows.h"
#include "Recordset.h"
#include "SqlDates.h"
#include "Workspace.h"

namespace {
const QString SOURCE = QStringLiteral("DiveDataControl");

RuntimeError noSuchColumn(const QString& column) {
    return RuntimeError(DbError::ItemNotFound, SOURCE,
                        QStringLiteral("Item not found in this collection: %1.").arg(column));
}

// The position of the statement's own ORDER BY, outside quoted texts; -1 when it has none.
qsizetype orderByPosition(const QString& statement) {
    qsizetype found = -1;
    QChar quote;
    for (qsizetype i = 0; i < statement.size(); ++i) {
        const QChar c = statement[i];
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            continue;
        }
        if (c == u'\'' || c == u'"') {
            quote = c;
            continue;
        }
        if ((i == 0 || statement[i - 1].isSpace()) &&
            QStringView(statement).mid(i, 8).compare(QLatin1String("ORDER BY"), Qt::CaseInsensitive) == 0)
            found = i;
    }
    return found;
}

int digits(QByteArrayView text, qsizetype from, qsizetype count) {
    int value = 0;
    for (qsizetype i = from; i < from + count; ++i) {
        const unsigned digit = static_cast<unsigned char>(text[i]) - '0';
        if (digit > 9)
            return -1;
        value = value * 10 + int(digit);
    }
    return value;
}

// The stored "yyyy-MM-dd HH:mm:ss" read where the engine holds it, without the cost of a format
// parser: a hundred thousand rows are read at every start. Anything else goes through the general
// reader.
void readDateTime(const EngineRows& rows, int index, QDate& date, QTime& time) {
    date = QDate();
    time = QTime();
    const EngineRows::Type type = rows.type(index);
    if (type == EngineRows::Null)
        return;
    if (type == EngineRows::Text) {
        const QByteArrayView text = rows.bytes(index);
        if (text.size() == 19 && text[4] == '-' && text[7] == '-' && text[10] == ' ' && text[13] == ':' &&
            text[16] == ':') {
            const QDate d(digits(text, 0, 4), digits(text, 5, 2), digits(text, 8, 2));
            const QTime t(digits(text, 11, 2), digits(text, 14, 2), digits(text, 17, 2));
            if (d.isValid() && t.isValid()) {
                date = d;
                time = t;
                return;
            }
        }
    }
    const QDateTime other = SqlDates::fromStored(rows.value(index));
    if (other.isValid()) {
        date = other.date();
        time = other.time();
    }
}
// A key or code column as an int, as the Qt driver's value would convert.
int intOf(const EngineRows& rows, int index) {
    return rows.type(index) == EngineRows::Integer ? int(rows.integer(index)) : rows.value(index).toInt();
}
} // namespace

namespace {
QStringList boundColumns() {
    QStringList columns;
    for (const DiveColumns::Text& column : DiveColumns::descriptiveTexts())
        columns.append(QLatin1String(column.name));
    columns.append(DiveColumns::PICTURE);
    return columns;
}

QStringList writableColumns() {
    QStringList columns;
    for (const DiveColumns::Code& column : DiveColumns::descriptiveCodes())
        columns.append(QLatin1String(column.name));
    return columns;
}
} // namespace

const QStringList DiveDataControl::BOUND_COLUMNS = boundColumns();
const QStringList DiveDataControl::WRITABLE_COLUMNS = writableColumns();

DiveDataControl::DiveDataControl(QObject* parent) : QObject(parent) {}

void DiveDataControl::setDatabaseName(const QString& fileName) {
    if (fileName == m_databaseName)
        return;
    m_databaseName = fileName;
    m_db.close();
}

Database& DiveDataControl::database() {
    if (!m_db.isOpen())
        m_db = Workspace::defaultWorkspace().openDatabase(m_databaseName);
    return m_db;
}

qint32 DiveDataControl::currentDiveID() const {
    return m_position < 0 ? -1 : m_rows[m_position].diveID;
}

QString DiveDataControl::rowStatement(const QString& recordSource) {
    const QString source = recordSource.trimmed();
    const qsizetype order = orderByPosition(source);
    const QString rows = order < 0 ? source : source.left(order).trimmed();
    const QString ordering = order < 0 ? QString() : u' ' + source.mid(order);
    return QStringLiteral("SELECT DIVE_ID, FILE_ID, DATETIME FROM (") + rows + u')' + ordering;
}

QHash<qint32, DiveDataControl::Look> DiveDataControl::looksOfLogbook(qint32 fileID) {
    // The state of SAMPLE without copying every profile out of the engine: a profile starts with
    // a digit, so only a rare text beginning with a blank is trimmed whole.
    EngineRows rs(database(),
                  QStringLiteral("SELECT DIVE_ID, IS_SIMUL, "
                                 "CASE WHEN SAMPLE IS NULL THEN 0 WHEN SAMPLE = '' THEN 1 "
                                 "WHEN substr(SAMPLE, 1, 1) <> ' ' THEN 3 WHEN trim(SAMPLE) = '' THEN 2 ELSE 3 END "
                                 "FROM DIVE WHERE FILE_ID = ?"),
                  {fileID});
    QHash<qint32, Look> looks;
    for (; !rs.atEnd(); rs.next()) {
        const bool simulated = rs.type(1) == EngineRows::Integer ? rs.integer(1) != 0 : rs.value(1).toLongLong() != 0;
        looks.insert(intOf(rs, 0), {simulated, SampleState(intOf(rs, 2))});
    }
    return looks;
}

void DiveDataControl::refresh() {
    QList<Row> rows;
    QHash<qint32, qint32> index;
    {
        EngineRows rs(database(), rowStatement(m_recordSource));
        for (; !rs.atEnd(); rs.next()) {
            Row row;
            row.diveID = intOf(rs, 0);
            if (rs.type(1) == EngineRows::Integer) {
                row.hasFileID = true;
                row.fileID = int(rs.integer(1));
            } else {
                const QVariant fileID = rs.value(1);
                row.hasFileID = !fileID.isNull() && !fileID.toString().trimmed().isEmpty();
                row.fileID = fileID.toInt();
            }
            readDateTime(rs, 2, row.date, row.time);
            index.insert(row.diveID, qint32(rows.size()));
            rows.append(row);
        }
    }

    const qint32 current = currentDiveID();
    m_rows = std::move(rows);
    m_index = std::move(index);
    const qint32 position = m_index.value(current, -1);
    if (position >= 0)
        loadCurrent(current);
    setPosition(m_current.isEmpty() ? -1 : position);
}

bool DiveDataControl::moveToDive(qint32 diveID) {
    updateRecord();
    const qint32 position = m_index.value(diveID, -1);
    if (position >= 0)
        loadCurrent(diveID);
    else
        m_current.clear();
    setPosition(m_current.isEmpty() ? -1 : position);
    return m_position >= 0;
}

void DiveDataControl::loadCurrent(qint32 diveID) {
    m_current.clear();
    Recordset rs(database(), QStringLiteral("SELECT * FROM DIVE WHERE DIVE_ID = ?"), {diveID}, Recordset::ForwardOnly);
    if (rs.eof())
        return; // deleted since the rows were read
    for (int i = 0; i < rs.fieldCount(); ++i)
        m_current.insert(rs.fieldName(i).toUpper(), rs.value(i));
}

void DiveDataControl::setPosition(qint32 position) {
    if (position < 0)
        m_current.clear();
    m_position = position;
    emit reposition();
}

QVariant DiveDataControl::value(const QString& column) const {
    if (m_position < 0)
        return {};
    const QString name = column.toUpper();
    if (m_pendingDiveID == currentDiveID()) {
        const auto edited = m_pending.constFind(name);
        if (edited != m_pending.constEnd())
            return *edited;
    }
    const auto stored = m_current.constFind(name);
    if (stored == m_current.constEnd())
        throw noSuchColumn(column);
    return *stored;
}

bool DiveDataControl::isReadOnly() const {
    return m_db.isOpen() && m_db.connection().isReadOnly();
}

void DiveDataControl::setValue(const QString& column, const QVariant& value) {
    const QString name = column.toUpper();
    if (!BOUND_COLUMNS.contains(name))
        throw noSuchColumn(column);
    if (m_position < 0)
        return;
    if (isReadOnly())
        throw RuntimeError(DbError::ReadOnly, SOURCE,
                           QStringLiteral("Cannot update. The logbook database is read-only: its file or folder "
                                          "cannot be written by this user."));
    if (!m_pending.isEmpty() && m_pendingDiveID != currentDiveID())
        updateRecord();
    m_pendingDiveID = currentDiveID();
    // A field left empty stores NULL; an empty text and NULL are the same entry to the diver.
    const auto isEmpty = [](const QVariant& v) {
        return v.isNull() || (v.typeId() == QMetaType::QString && v.toString().isEmpty());
    };
    const QVariant stored = m_current.value(name);
    const bool same = isEmpty(stored) || isEmpty(value) ? isEmpty(stored) && isEmpty(value) : stored == value;
    if (same)
        m_pending.remove(name);
    else
        m_pending.insert(name, value);
}

void DiveDataControl::updateRecord() {
    if (m_pending.isEmpty())
        return;
    QStringList assignments;
    QVariantList params;
    for (auto it = m_pending.cbegin(); it != m_pending.cend(); ++it) {
        assignments.append(it.key() + QStringLiteral(" = ?"));
        params.append(it.value());
    }
    params.append(m_pendingDiveID);
    database().execute(QStringLiteral("UPDATE DIVE SET ") + assignments.join(QStringLiteral(", ")) +
                           QStringLiteral(" WHERE DIVE_ID = ?"),
                       params);
    if (m_pendingDiveID == currentDiveID()) {
        for (auto it = m_pending.cbegin(); it != m_pending.cend(); ++it)
            m_current.insert(it.key(), it.value());
    }
    m_pending.clear();
}

void DiveDataControl::writeValue(const QString& column, const QVariant& value) {
    const QString name = column.toUpper();
    if (!WRITABLE_COLUMNS.contains(name))
        throw noSuchColumn(column);
    if (m_position < 0)
        return;
    database().execute(QStringLiteral("UPDATE DIVE SET ") + name + QStringLiteral(" = ? WHERE DIVE_ID = ?"),
                       {value, currentDiveID()});
    m_current.insert(name, value);
}
