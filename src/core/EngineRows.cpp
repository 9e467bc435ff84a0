#include "EngineRows.h"

#include "DbConnection.h"
#include "DbError.h"
#include "SqlDates.h"

#include <sqlite3.h>

namespace {

const char* const OPEN_SOURCE = "Database.OpenRecordset";

RuntimeError engineError(sqlite3* db, const char* source) {
    return DbError::fromEngine(sqlite3_extended_errcode(db), QString::fromUtf8(sqlite3_errmsg(db)),
                               QLatin1String(source));
}

int bind(sqlite3_stmt* statement, int position, const QVariant& value) {
    if (value.isNull())
        return sqlite3_bind_null(statement, position);
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::UChar:
        return sqlite3_bind_int64(statement, position, value.toLongLong());
    case QMetaType::ULongLong:
        return sqlite3_bind_int64(statement, position, qint64(value.toULongLong()));
    case QMetaType::Double:
    case QMetaType::Float:
        return sqlite3_bind_double(statement, position, value.toDouble());
    case QMetaType::QByteArray: {
        const QByteArray bytes = value.toByteArray();
        return sqlite3_bind_blob64(statement, position, bytes.constData(), sqlite3_uint64(bytes.size()),
                                   SQLITE_TRANSIENT);
    }
    default: {
        const QByteArray utf8 = value.toString().toUtf8();
        return sqlite3_bind_text64(statement, position, utf8.constData(), sqlite3_uint64(utf8.size()), SQLITE_TRANSIENT,
                                   SQLITE_UTF8);
    }
    }
}

} // namespace

EngineRows::EngineRows(const Database& db, const QString& statement, const QVariantList& params) : m_db(db) {
    sqlite3* handle = m_db.connection().engineHandle(QLatin1String(OPEN_SOURCE));
    const QByteArray sql = SqlDates::rewriteDateLiterals(statement).toUtf8();
    if (sqlite3_prepare_v2(handle, sql.constData(), int(sql.size()), &m_statement, nullptr) != SQLITE_OK) {
        const RuntimeError error = engineError(handle, OPEN_SOURCE);
        sqlite3_finalize(m_statement);
        throw error;
    }
    for (qsizetype i = 0; i < params.size(); ++i) {
        if (bind(m_statement, int(i) + 1, Database::toEngine(params[i])) != SQLITE_OK) {
            const RuntimeError error = engineError(handle, OPEN_SOURCE);
            sqlite3_finalize(m_statement);
            throw error;
        }
    }
    const int count = sqlite3_column_count(m_statement);
    for (int i = 0; i < count; ++i) {
        const QString name = QString::fromUtf8(sqlite3_column_name(m_statement, i));
        m_names.append(name);
        const QString upper = name.toUpper();
        // In a join the same name can come from two tables: the plain name means the first.
        if (!m_columns.contains(upper))
            m_columns.insert(upper, i);
        if (const char* table = sqlite3_column_table_name(m_statement, i))
            m_columns.insert(QString::fromUtf8(table).toUpper() + u'.' + upper, i);
    }
    try {
        step(OPEN_SOURCE);
    } catch (...) {
        sqlite3_finalize(m_statement);
        throw;
    }
}

EngineRows::~EngineRows() {
    sqlite3_finalize(m_statement);
}

void EngineRows::step(const char* source) {
    const int result = sqlite3_step(m_statement);
    if (result == SQLITE_ROW) {
        m_atEnd = false;
        return;
    }
    m_atEnd = true;
    if (result != SQLITE_DONE)
        throw engineError(sqlite3_db_handle(m_statement), source);
}

void EngineRows::next() {
    if (m_atEnd)
        throw RuntimeError(DbError::NoCurrentRecord, QStringLiteral("Recordset"), QStringLiteral("No current record."));
    step("Recordset.MoveNext");
}

EngineRows::Type EngineRows::type(int index) const {
    return Type(sqlite3_column_type(m_statement, index));
}

double EngineRows::number(int index) const {
    return sqlite3_column_double(m_statement, index);
}

qint64 EngineRows::integer(int index) const {
    return sqlite3_column_int64(m_statement, index);
}

QByteArrayView EngineRows::bytes(int index) const {
    // The pointer first, then the size: asking for the size first could convert the value again.
    const auto* data = static_cast<const char*>(sqlite3_column_blob(m_statement, index));
    return QByteArrayView(data, sqlite3_column_bytes(m_statement, index));
}

QString EngineRows::text(int index) const {
    const auto* data = reinterpret_cast<const char*>(sqlite3_column_text(m_statement, index));
    return QString::fromUtf8(data, sqlite3_column_bytes(m_statement, index));
}

QVariant EngineRows::value(int index) const {
    switch (type(index)) {
    case Integer:
        return QVariant(integer(index));
    case Float:
        return QVariant(number(index));
    case Blob:
        return QVariant(bytes(index).toByteArray());
    case Null:
        return QVariant(QMetaType::fromType<QString>());
    case Text:
    default:
        return QVariant(text(index));
    }
}
