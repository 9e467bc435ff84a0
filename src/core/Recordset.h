#pragma once

#include "Database.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <QVariantList>
#include <memory>

// The rows of a statement, read one at a time, and the rows of one table, written one at a time.
//
// Reading: the recordset stands on its first row after opening (eof() when there is none); value()
// reads a column of the current row by name ("DIVE.FILE_ID" picks the column of that table in a
// join) or by position; a NULL column reads as a null QVariant.
//
// Writing, on a recordset opened with table(): addNew() or edit(), setValue() per column, update().
// The engine assigns a new row's counter key when update() inserts it (NULL until then);
// lastModified() is the key of the row update() wrote. Values are bound, never spliced into text.
// The rows already read keep the values they were read with; open a new recordset to see the writes.
class Recordset {
public:
    enum Option {
        Dynaset,     // moveFirst and recordCount work; rows read are kept in memory
        ForwardOnly, // one pass, nothing kept: the fast way to read many rows
    };

    // A statement with "?" placeholders bound to `params`; "#mm/dd/yyyy hh:mm#" literals allowed.
    // RuntimeError when the engine refuses it.
    Recordset(const Database& db, const QString& statement, const QVariantList& params = {}, Option option = Dynaset);
    // Every row of a table, the table open for writing. The rows are read only when asked for, so a
    // recordset opened to append costs nothing.
    static Recordset table(const Database& db, const QString& tableName);

    Recordset(Recordset&&) noexcept;
    Recordset& operator=(Recordset&&) noexcept;
    ~Recordset();

    bool eof();
    void moveNext();
    // Dynaset only (RuntimeError 3251 otherwise).
    void moveFirst();
    // The number of rows (Dynaset only: it reads them all).
    qint32 recordCount();

    // The position of a column, -1 when there is none. Names ignore letter case.
    int fieldIndex(const QString& name);
    // RuntimeError 3265 for a column the recordset does not have, 3021 at the end of the rows.
    QVariant value(const QString& name);
    QVariant value(int index);
    bool isNull(const QString& name) { return value(name).isNull(); }
    // The stored date-time of a column; invalid for NULL.
    QDateTime dateTime(const QString& name);
    int fieldCount();
    QString fieldName(int index);

    // Writing.
    void addNew();
    void edit();
    // RuntimeError 3020 without addNew or edit, 3265 for a column the table does not have.
    void setValue(const QString& name, const QVariant& value);
    // Writes the new or changed row. On failure (3022, 3163...) nothing is written and the pending
    // values stay, so that the caller can cancelUpdate() or change them.
    void update();
    void cancelUpdate();
    QVariant lastModified() const { return m_lastModified; }

    void close();

private:
    enum class EditMode { None, Add, Edit };

    Recordset() = default;
    void execute();
    void ensureExecuted();
    void fetchFirst();
    void mapColumns();
    int pendingIndex(const QString& column) const;
    QVariant insertedKey();

    Database m_db;
    std::unique_ptr<QSqlQuery> m_query;
    QString m_statement;
    QVariantList m_params;
    Option m_option = Dynaset;
    bool m_executed = false;
    bool m_valid = false;

    QHash<QString, int> m_columns; // upper-case "NAME" and "TABLE.NAME" -> position
    QStringList m_names;

    QString m_updateTable;
    EditMode m_mode = EditMode::None;
    QList<QPair<QString, QVariant>> m_pending; // columns as the table spells them
    QVariant m_editKey;
    QVariant m_lastModified;
};
