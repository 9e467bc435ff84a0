#include "Database.h"

#include "DbConnection.h"
#include "DbError.h"
#include "Recordset.h"
#include "SqlDates.h"
#include "Workspace.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>

Database Database::open(const QString& fileName) {
    return Workspace::defaultWorkspace().openDatabase(fileName);
}

QString Database::name() const {
    return m_connection ? m_connection->path() : QString();
}

DbConnection& Database::connection() const {
    if (!m_connection)
        throw RuntimeError(RuntimeError::ObjectNotSet, QStringLiteral("Database"),
                           QStringLiteral("Object variable or With block variable not set"));
    return *m_connection;
}

QVariant Database::toEngine(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::QDateTime:
        return SqlDates::toStored(value.toDateTime());
    case QMetaType::QDate:
        return SqlDates::toStored(value.toDate().startOfDay());
    case QMetaType::Bool:
        return value.toBool() ? 1 : 0;
    default:
        return value;
    }
}

namespace {
// Whether a statement changes the file; these take the write lock before they read, see
// DbConnection::beginImmediate.
bool changesRows(const QString& sql) {
    static const QRegularExpression write(QStringLiteral("^\\s*(INSERT|UPDATE|DELETE|REPLACE)\\b"),
                                          QRegularExpression::CaseInsensitiveOption);
    return write.match(sql).hasMatch();
}
} // namespace

qint64 Database::execute(const QString& statement, const QVariantList& params) {
    static const QString source = QStringLiteral("Database.Execute");
    DbConnection& db = connection();
    const QString sql = SqlDates::rewriteDateLiterals(statement);
    // A change made outside any transaction (an edit, a re-date, a rename) is a transaction of its
    // own, begun so that it waits for a lock as long as the busy timeout says.
    if (!db.inTransaction && changesRows(sql) && db.beginOwn(source)) {
        try {
            const qint64 affected = run(db, sql, params);
            db.commitOwn(source);
            return affected;
        } catch (...) {
            db.rollbackOwn();
            throw;
        }
    }
    return run(db, sql, params);
}

qint64 Database::run(DbConnection& db, const QString& sql, const QVariantList& params) {
    static const QString source = QStringLiteral("Database.Execute");
    // Statements with bound values recur (one per row written): they are prepared once. Others carry
    // their values in the text and would only fill the cache.
    QSqlQuery oneOff;
    QSqlQuery* query;
    if (params.isEmpty()) {
        oneOff = QSqlQuery(db.database());
        if (!oneOff.prepare(sql))
            throw DbError::fromSql(oneOff.lastError(), source);
        query = &oneOff;
    } else {
        query = &db.prepared(sql, source);
    }
    for (qsizetype i = 0; i < params.size(); ++i)
        query->bindValue(int(i), toEngine(params[i]));
    if (!query->exec()) {
        const RuntimeError error = DbError::fromSql(query->lastError(), source);
        query->finish();
        throw error;
    }
    const qint64 affected = query->numRowsAffected();
    query->finish();
    return affected;
}

Recordset Database::openRecordset(const QString& source, const QVariantList& params) {
    static const QRegularExpression bareName(QStringLiteral("^\\s*\\[?(\\w+)\\]?\\s*$"));
    const QRegularExpressionMatch match = bareName.match(source);
    if (match.hasMatch())
        return Recordset::table(*this, match.captured(1));
    return Recordset(*this, source, params);
}
