#pragma once

#include "RuntimeError.h"

#include <QString>

class QSqlError;

// The error numbers the database layer raises (as RuntimeError), in the numbering the program's
// handlers and messages know. SQLite's own failures are translated by `fromSql`.
namespace DbError {

constexpr qint32 Reserved = 3000;                             // any other engine failure; the description says what
constexpr qint32 TooManyTransactions = 3003;                  // a transaction begun inside another
constexpr qint32 UpdateWithoutAddNew = 3020;                  // update without addNew or edit
constexpr qint32 NoCurrentRecord = 3021;                      // a field read at the end of the rows
constexpr qint32 DuplicateKey = RuntimeError::DuplicateKey;   // 3022: a second DIVE with the same FILE_ID and DATETIME
constexpr qint32 FileNotFound = 3024;                         // the database file does not exist
constexpr qint32 ReadOnly = 3027;                             // a write to a file opened read-only
constexpr qint32 NoTransaction = 3034;                        // commit or rollback without a transaction
constexpr qint32 NotADatabase = 3049;                         // the file is not a database, or is damaged
constexpr qint32 CannotOpenFile = 3051;                       // the file exists but cannot be opened
constexpr qint32 FieldTooSmall = RuntimeError::FieldTooSmall; // 3163: a text longer than its column allows
constexpr qint32 RelatedRecordRequired = 3201;                // a DIVE row for a logbook that does not exist
constexpr qint32 Locked = 3218;                               // another program holds the file
constexpr qint32 NotSupported = 3251;                         // writing through a recordset that is not on one table
constexpr qint32 ItemNotFound = 3265;                         // a column name the recordset does not have
constexpr qint32 NullNotAllowed = 3314;                       // NULL in a column that must hold a value

// The operation that opens a logbook file, as its failures name it.
inline const QString OpenDatabase = QStringLiteral("DBEngine.OpenDatabase");

// A logbook another program holds or keeps changing while it is opened: Locked, naming the file.
RuntimeError inUse(const QString& path, const QString& detail);

// The engine's failure as the program reports it; `source` names the operation.
RuntimeError fromSql(const QSqlError& error, const QString& source);
// The same from the engine's own extended result code and message.
RuntimeError fromEngine(int code, const QString& detail, const QString& source);

} // namespace DbError
