#include "DbError.h"

#include <QSqlError>

namespace DbError {

namespace {
// SQLite's extended result codes.
constexpr int SQLITE_BUSY = 5;
constexpr int SQLITE_LOCKED = 6;
constexpr int SQLITE_READONLY = 8;
constexpr int SQLITE_CANTOPEN = 14;
constexpr int SQLITE_NOTADB = 26;
constexpr int SQLITE_CONSTRAINT_CHECK = 275;
constexpr int SQLITE_CONSTRAINT_FOREIGNKEY = 787;
constexpr int SQLITE_CONSTRAINT_NOTNULL = 1299;
constexpr int SQLITE_CONSTRAINT_PRIMARYKEY = 1555;
constexpr int SQLITE_CONSTRAINT_UNIQUE = 2067;
} // namespace

RuntimeError inUse(const QString& path, const QString& detail) {
    return RuntimeError(
        Locked, OpenDatabase,
        QStringLiteral("The logbook database '%1' is in use by another program. (%2)").arg(path, detail));
}

RuntimeError fromSql(const QSqlError& error, const QString& source) {
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok);
    const QString detail = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    if (!ok)
        return RuntimeError(Reserved, source, detail.isEmpty() ? QStringLiteral("Database error") : detail);
    return fromEngine(code, detail, source);
}

RuntimeError fromEngine(int code, const QString& detail, const QString& source) {
    // The extended codes of one kind share its primary code in their low byte: a lock is a lock,
    // however the engine came to meet it.
    switch (code & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return RuntimeError(Locked, source, QStringLiteral("Could not update; currently locked. (%1)").arg(detail));
    case SQLITE_READONLY:
        return RuntimeError(ReadOnly, source,
                            QStringLiteral("Cannot update. The logbook database is read-only: its file or folder "
                                           "cannot be written by this user. (%1)")
                                .arg(detail));
    case SQLITE_NOTADB:
        return RuntimeError(
            NotADatabase, source,
            QStringLiteral("Cannot open the database: it is not a database or it is damaged. (%1)").arg(detail));
    case SQLITE_CANTOPEN:
        return RuntimeError(CannotOpenFile, source, QStringLiteral("Cannot open the file. (%1)").arg(detail));
    default:
        break;
    }
    switch (code) {
    case SQLITE_CONSTRAINT_UNIQUE:
    case SQLITE_CONSTRAINT_PRIMARYKEY:
        return RuntimeError(DuplicateKey, source,
                            QStringLiteral("The changes you requested to the table were not successful because they "
                                           "would create duplicate values in the index, primary key, or "
                                           "relationship. (%1)")
                                .arg(detail));
    case SQLITE_CONSTRAINT_CHECK:
        // Every CHECK of the schema is a length limit.
        return RuntimeError(FieldTooSmall, source,
                            QStringLiteral("The field is too small to accept the amount of data you attempted to "
                                           "add. Try inserting or pasting less data. (%1)")
                                .arg(detail));
    case SQLITE_CONSTRAINT_FOREIGNKEY:
        return RuntimeError(RelatedRecordRequired, source,
                            QStringLiteral("You cannot add or change a record because a related record is required "
                                           "in table 'FILE'."));
    case SQLITE_CONSTRAINT_NOTNULL:
        return RuntimeError(NullNotAllowed, source,
                            QStringLiteral("The field cannot contain a Null value. (%1)").arg(detail));
    default:
        return RuntimeError(Reserved, source, detail.isEmpty() ? QStringLiteral("Database error") : detail);
    }
}

} // namespace DbError
