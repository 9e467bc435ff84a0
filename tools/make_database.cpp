// make_database <file>: writes an empty logbook database of the current schema at <file>, unless a
// file is already there: an existing logbook is never touched.

#include "RuntimeError.h"
#include "SqlScript.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: make_database <file>\n");
        return 2;
    }
    const QString path = args[1];
    if (QFileInfo::exists(path))
        return 0;
    try {
        SqlScript::createDatabase(path, SqlScript::currentSchema());
    } catch (const RuntimeError& e) {
        std::fprintf(stderr, "make_database: %s\n", qPrintable(e.description()));
        return 1;
    }
    std::printf("make_database: wrote %s\n", qPrintable(path));
    return 0;
}
