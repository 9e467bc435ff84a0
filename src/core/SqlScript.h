#pragma once

#include <QString>
#include <QStringList>

// SQL scripts that make database files: the schema of a new logbook, the fixtures of older schema
// versions. For the build's database tool, the dive generator and tests; the program itself never
// creates a database file.
class SqlScript {
public:
    // The statements of a script, split at the semicolons outside quotes and comments.
    static QStringList split(const QString& script);
    // The current schema (version "2.2"), built into the program.
    static QString currentSchema();
    // The text of a script file; RuntimeError 3024 when it cannot be read.
    static QString readFile(const QString& path);

    // Makes a new database file at `path` from `script`. The file appears complete or not at all,
    // and an existing file is never touched: RuntimeError 3000 (FileAlreadyExists) when one is there,
    // and the engine's error when a statement fails.
    static void createDatabase(const QString& path, const QString& script);
};
