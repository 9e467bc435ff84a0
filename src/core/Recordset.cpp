#include "Recordset.h"

#include "DbConnection.h"
#include "DbError.h"
#include "SqlDates.h"

#include <QSqlError>
#include <QSqlField>
#include <QSqlRecord>

namespace {
QString quoted(const QString& name) {
    return u'"' + name + u'"';
}

RuntimeError noCurrentRecord() {
    return RuntimeError(DbError::NoCurrentRecord, QStringLiteral("Recordset"), QStringLiteral("No current record."));
}

RuntimeError notSupported(const QString& what) {
    return RuntimeError(DbError::NotSupported, QStringLiteral("Recordset"),
                        QStringLiteral("Operation is not supported for this type of object (%1).").arg(what));
}
} // namespace

Recordset::Recordset(const Database& db, const QString& statement, const QVariantList& params, Option option)
    : m_db(db), m_statement(statement), m_params(params), m_option(option) {
    m_db.connection(); // a closed handle fails here, not at the first read
    execute();
}

Recordset Recordset::table(const Database& db, const QString& tableName) {
    Recordset rs;
    rs.m_db = db;
    const DbConnection::TableInfo& info = db.connection().tableInfo(tableName);
    rs.m_statement = QStringLiteral("SELECT * FROM ") + quoted(info.name);
    rs.m_updateTable = info.name;
    return rs;
}

Recordset::Recordset(Recordset&&) noexcept = default;
Recordset& Recordset::operator=(Recordset&&) noexcept = default;
Recordset::~Recordset() = default;

void Recordset::execute() {
    static const QString source = QStringLiteral("Database.OpenRecordset");
    m_executed = true;
    m_query = std::make_unique<QSqlQuery>(m_db.connection().database());
    m_query->setForwardOnly(m_option == ForwardOnly);
    if (!m_query->prepare(SqlDates::rewriteDateLiterals(m_statement)))
        throw DbError::fromSql(m_query->lastError(), source);
    for (qsizetype i = 0; i < m_params.size(); ++i)
        m_query->bindValue(int(i), Database::toEngine(m_params[i]));
    if (!m_query->exec())
        throw DbError::fromSql(m_query->lastError(), source);
    mapColumns();
    fetchFirst();
}

void Recordset::ensureExecuted() {
    if (!m_executed)
        execute();
}

void Recordset::fetchFirst() {
    m_valid = m_query->next();
    if (!m_valid && m_query->lastError().isValid())
        throw DbError::fromSql(m_query->lastError(), QStringLiteral("Database.OpenRecordset"));
}

void Recordset::mapColumns() {
    m_columns.clear();
    m_names.clear();
    const QSqlRecord record = m_query->record();
    for (int i = 0; i < record.count(); ++i) {
        const QSqlField field = record.field(i);
        const QString name = field.name().toUpper();
        m_names.append(field.name());
        // In a join the same name can come from two tables: the plain name means the first.
        if (!m_columns.contains(name))
            m_columns.insert(name, i);
        if (!field.tableName().isEmpty())
            m_columns.insert(field.tableName().toUpper() + u'.' + name, i);
    }
}

bool Recordset::eof() {
    ensureExecuted();
    return !m_valid;
}

void Recordset::moveNext() {
    ensureExecuted();
    if (!m_valid)
        throw noCurrentRecord();
    m_mode = EditMode::None;
    m_pending.clear();
    m_valid = m_query->next();
    if (!m_valid && m_query->lastError().isValid())
        throw DbError::fromSql(m_query->lastError(), QStringLiteral("Recordset.MoveNext"));
}

void Recordset::moveFirst() {
    if (m_option == ForwardOnly)
        throw notSupported(QStringLiteral("MoveFirst on a forward-only recordset"));
    ensureExecuted();
    if (!m_query)
        throw noCurrentRecord();
    m_mode = EditMode::None;
    m_pending.clear();
    m_valid = m_query->first();
}

qint32 Recordset::recordCount() {
    if (m_option == ForwardOnly)
        throw notSupported(QStringLiteral("RecordCount on a forward-only recordset"));
    ensureExecuted();
    if (!m_query)
        return 0;
    const int at = m_query->at();
    const qint32 count = m_query->last() ? m_query->at() + 1 : 0;
    if (m_valid)
        m_query->seek(at);
    else
        m_query->next(); // stays past the last row
    return count;
}

int Recordset::fieldIndex(const QString& name) {
    ensureExecuted();
    return m_columns.value(name.toUpper(), -1);
}

int Recordset::fieldCount() {
    ensureExecuted();
    return int(m_names.size());
}

QString Recordset::fieldName(int index) {
    ensureExecuted();
    return m_names.value(index);
}

int Recordset::pendingIndex(const QString& column) const {
    for (qsizetype i = 0; i < m_pending.size(); ++i) {
        if (m_pending[i].first.compare(column, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

QVariant Recordset::value(const QString& name) {
    if (m_mode != EditMode::None) {
        const int pending = pendingIndex(name);
        if (pending >= 0)
            return m_pending[pending].second;
        if (m_mode == EditMode::Add) {
            // A column of the new row that was not set yet: NULL until the row is written.
            if (!m_db.connection().tableInfo(m_updateTable).columns.contains(name, Qt::CaseInsensitive))
                throw RuntimeError(DbError::ItemNotFound, QStringLiteral("Recordset"),
                                   QStringLiteral("Item not found in this collection: %1.").arg(name));
            return QVariant();
        }
    }
    const int index = fieldIndex(name);
    if (index < 0)
        throw RuntimeError(DbError::ItemNotFound, QStringLiteral("Recordset"),
                           QStringLiteral("Item not found in this collection: %1.").arg(name));
    return value(index);
}

QVariant Recordset::value(int index) {
    ensureExecuted();
    if (!m_valid)
        throw noCurrentRecord();
    if (index < 0 || index >= m_names.size())
        throw RuntimeError(DbError::ItemNotFound, QStringLiteral("Recordset"),
                           QStringLiteral("Item not found in this collection: column %1.").arg(index));
    return m_query->value(index);
}

QDateTime Recordset::dateTime(const QString& name) {
    return SqlDates::fromStored(value(name));
}

QVariant Recordset::insertedKey() {
    // The engine's key of the row this connection inserted last, read in the same transaction: no
    // other process can have picked it, as one could a key computed before the insert.
    QSqlQuery& query =
        m_db.connection().prepared(QStringLiteral("SELECT last_insert_rowid()"), QStringLiteral("Recordset.Update"));
    if (!query.exec() || !query.next()) {
        const RuntimeError error = DbError::fromSql(query.lastError(), QStringLiteral("Recordset.Update"));
        query.finish();
        throw error;
    }
    const QVariant key = query.value(0);
    query.finish();
    return key;
}

void Recordset::addNew() {
    if (m_updateTable.isEmpty())
        throw notSupported(QStringLiteral("AddNew on a recordset that is not on a table"));
    m_db.connection().tableInfo(m_updateTable); // a table dropped meanwhile fails here
    m_pending.clear();
    m_mode = EditMode::Add;
}

void Recordset::edit() {
    if (m_updateTable.isEmpty())
        throw notSupported(QStringLiteral("Edit on a recordset that is not on a table"));
    const DbConnection::TableInfo& info = m_db.connection().tableInfo(m_updateTable);
    if (info.key.isEmpty())
        throw notSupported(QStringLiteral("Edit on a table without a key"));
    if (eof())
        throw noCurrentRecord();
    int keyIndex = fieldIndex(info.name + u'.' + info.key);
    if (keyIndex < 0)
        keyIndex = fieldIndex(info.key);
    if (keyIndex < 0)
        throw notSupported(QStringLiteral("Edit on rows without their key"));
    m_editKey = value(keyIndex);
    m_pending.clear();
    m_mode = EditMode::Edit;
}

void Recordset::setValue(const QString& name, const QVariant& value) {
    if (m_mode == EditMode::None)
        throw RuntimeError(DbError::UpdateWithoutAddNew, QStringLiteral("Recordset"),
                           QStringLiteral("Update or CancelUpdate without AddNew or Edit."));
    const QStringList& columns = m_db.connection().tableInfo(m_updateTable).columns;
    qsizetype column = columns.size() - 1;
    while (column >= 0 && columns[column].compare(name, Qt::CaseInsensitive) != 0)
        --column;
    if (column < 0)
        throw RuntimeError(DbError::ItemNotFound, QStringLiteral("Recordset"),
                           QStringLiteral("Item not found in this collection: %1.").arg(name));
    const int pending = pendingIndex(name);
    if (pending >= 0)
        m_pending[pending].second = value;
    else
        m_pending.append({columns[column], value});
}

void Recordset::update() {
    if (m_mode == EditMode::None)
        throw RuntimeError(DbError::UpdateWithoutAddNew, QStringLiteral("Recordset.Update"),
                           QStringLiteral("Update or CancelUpdate without AddNew or Edit."));
    const DbConnection::TableInfo& info = m_db.connection().tableInfo(m_updateTable);
    QStringList columns;
    QVariantList values;
    for (const auto& [column, value] : std::as_const(m_pending)) {
        columns.append(quoted(column));
        values.append(value);
    }
    QString sql;
    if (m_mode == EditMode::Add) {
        if (columns.isEmpty()) {
            sql = QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(quoted(info.name));
        } else {
            QStringList marks;
            marks.fill(QStringLiteral("?"), columns.size());
            sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                      .arg(quoted(info.name), columns.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")));
        }
    } else if (!columns.isEmpty()) {
        sql = QStringLiteral("UPDATE %1 SET %2 = ? WHERE %3 = ?")
                  .arg(quoted(info.name), columns.join(QStringLiteral(" = ?, ")), quoted(info.key));
        values.append(m_editKey);
    }
    try {
        if (!sql.isEmpty())
            m_db.execute(sql, values);
    } catch (const RuntimeError& e) {
        throw RuntimeError(e.number(), QStringLiteral("Recordset.Update"), e.description());
    }
    if (m_mode == EditMode::Add) {
        const int key = info.key.isEmpty() ? -1 : pendingIndex(info.key);
        m_lastModified = key >= 0 ? m_pending[key].second : (info.key.isEmpty() ? QVariant() : insertedKey());
    } else {
        m_lastModified = m_editKey;
    }
    m_mode = EditMode::None;
    m_pending.clear();
}

void Recordset::cancelUpdate() {
    m_mode = EditMode::None;
    m_pending.clear();
}

void Recordset::close() {
    m_mode = EditMode::None;
    m_pending.clear();
    m_query.reset();
    m_executed = true;
    m_valid = false;
    m_db.close();
}
