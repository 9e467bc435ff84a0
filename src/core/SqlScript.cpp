#include "SqlScript.h"

#include "DbError.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryFile>
#include <atomic>

namespace {
std::atomic<int> g_scriptConnections{0};
}

QStringList SqlScript::split(const QString& script) {
    QStringList statements;
    QString current;
    qsizetype i = 0;
    const qsizetype n = script.size();
    while (i < n) {
        const QChar c = script[i];
        if (c == u'-' && i + 1 < n && script[i + 1] == u'-') {
            while (i < n && script[i] != u'\n')
                ++i;
            continue;
        }
        if (c == u'\'' || c == u'"') {
            qsizetype j = i + 1;
            while (j < n) {
                if (script[j] == c) {
                    if (j + 1 < n && script[j + 1] == c) {
                        j += 2;
                        continue;
                    }
                    break;
                }
                ++j;
            }
            const qsizetype stop = qMin(j + 1, n);
            current += QStringView(script).mid(i, stop - i);
            i = stop;
            continue;
        }
        if (c == u';') {
            if (!current.trimmed().isEmpty())
                statements.append(current.trimmed());
            current.clear();
            ++i;
            continue;
        }
        current += c;
        ++i;
    }
    if (!current.trimmed().isEmpty())
        statements.append(current.trimmed());
    return statements;
}

QString SqlScript::currentSchema() {
    return readFile(QStringLiteral(":/schema.sql"));
}

QString SqlScript::readFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        throw RuntimeError(DbError::FileNotFound, QStringLiteral("SqlScript.readFile"),
                           QStringLiteral("Could not read the script '%1'.").arg(path));
    return QString::fromUtf8(file.readAll());
}

void SqlScript::createDatabase(const QString& path, const QString& script) {
    static const QString source = QStringLiteral("SqlScript.createDatabase");
    const QFileInfo target(path);
    if (target.exists())
        throw RuntimeError(DbError::Reserved, source, QStringLiteral("The file '%1' already exists.").arg(path));

    // Built under a temporary name beside the target, then moved in place in one step.
    QTemporaryFile temporary(target.absolutePath() + QStringLiteral("/.") + target.fileName() +
                             QStringLiteral(".XXXXXX"));
    if (!temporary.open())
        throw RuntimeError(DbError::CannotOpenFile, source,
                           QStringLiteral("Cannot write in the folder of '%1'.").arg(path));
    temporary.close();

    const QString name = QStringLiteral("sona-script-%1").arg(++g_scriptConnections);
    QString failure;
    RuntimeError error(0, QString(), QString());
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(temporary.fileName());
        if (!db.open()) {
            error = DbError::fromSql(db.lastError(), source);
        } else {
            QSqlQuery query(db);
            bool ok = query.exec(QStringLiteral("PRAGMA foreign_keys = ON")) && db.transaction();
            if (ok) {
                for (const QString& statement : split(script)) {
                    if (!query.exec(statement)) {
                        ok = false;
                        error = DbError::fromSql(query.lastError(), source);
                        failure = statement;
                        break;
                    }
                }
            } else {
                error = DbError::fromSql(query.lastError().isValid() ? query.lastError() : db.lastError(), source);
            }
            if (ok && !db.commit()) {
                ok = false;
                error = DbError::fromSql(db.lastError(), source);
            }
            if (ok) {
                query.exec(QStringLiteral("PRAGMA journal_mode = WAL"));
                query.finish();
                error = RuntimeError(0, QString(), QString());
            } else {
                db.rollback();
            }
            query = QSqlQuery();
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    if (error.number() != 0) {
        const QString where = failure.isEmpty() ? QString() : QStringLiteral(" in: %1").arg(failure.left(200));
        throw RuntimeError(error.number(), source, error.description() + where);
    }
    // A temporary file is private to its owner; a logbook is an ordinary file.
    temporary.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                             QFileDevice::ReadOther);
    // rename() refuses to replace a file that appeared meanwhile.
    if (!temporary.rename(path))
        throw RuntimeError(DbError::Reserved, source, QStringLiteral("Could not create the file '%1'.").arg(path));
    temporary.setAutoRemove(false);
}
