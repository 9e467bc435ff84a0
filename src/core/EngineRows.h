#pragma once

#include "Database.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>

struct sqlite3_stmt;

// The rows of one statement read once, forward only, straight from the engine: a column is read
// where the engine holds it, as the number or bytes it is, with no copy of the row made first.
// For the readers of many rows (the dive queries, the statistics, the tree); the rest use Recordset.
//
//     EngineRows rows(db, "SELECT DIVE_ID, SAMPLE FROM DIVE WHERE FILE_ID = ?", {logbookID});
//     const int sample = rows.fieldIndex("SAMPLE");
//     for (; !rows.atEnd(); rows.next())
//         read(rows.number(0), rows.bytes(sample));
//
// The statement takes "?" placeholders and "#mm/dd/yyyy hh:mm#" literals as Recordset does. The
// engine's errors become RuntimeError as DbError::fromSql makes them. The connection must stay
// open while the rows are read (a Database handle is held here).
class EngineRows {
public:
    enum Type { Integer = 1, Float = 2, Text = 3, Blob = 4, Null = 5 };

    EngineRows(const Database& db, const QString& statement, const QVariantList& params = {});
    ~EngineRows();
    EngineRows(const EngineRows&) = delete;
    EngineRows& operator=(const EngineRows&) = delete;

    bool atEnd() const { return m_atEnd; }
    void next();

    int columnCount() const { return int(m_names.size()); }
    // The position of a column by name ("NAME", or "TABLE.NAME" in a join, where the plain name is
    // the first column of that name), -1 when there is none. Names ignore letter case.
    int fieldIndex(const QString& name) const { return m_columns.value(name.toUpper(), -1); }
    QString fieldName(int index) const { return m_names.value(index); }

    // The current row's column, as the engine stores it.
    Type type(int index) const;
    bool isNull(int index) const { return type(index) == Null; }
    // An integer or real column as a number; 0 for NULL. Text is read as the engine converts it.
    double number(int index) const;
    qint64 integer(int index) const;
    // A text or blob column's bytes, valid until the next row; text is UTF-8.
    QByteArrayView bytes(int index) const;
    QString text(int index) const;
    // The column as the program's Qt driver hands it over: a number, a text, bytes or a null.
    QVariant value(int index) const;

private:
    void step(const char* source);

    Database m_db;
    sqlite3_stmt* m_statement = nullptr;
    bool m_atEnd = true;
    QStringList m_names;
    QHash<QString, int> m_columns;
};
