#include "SqlScript.h"

#include "DbError.h"
#include "ScopedConnection.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryFile>

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

    {
        ScopedConnection connection(QStringLiteral("sona-script"));
        QSqlDatabase db = connection.database();
        db.setDatabaseName(temporary.fileName());
        if (!db.open())
            throw DbError::fromSql(db.lastError(), source);
        QSqlQuery query(db);
        // The engine's refusal, after undoing what the script wrote; `statement` is the one refused.
        const auto failure = [&](const QSqlError& refusal, const QString& statement = QString()) {
            db.rollback();
            const RuntimeError error = DbError::fromSql(refusal, source);
            const QString where = statement.isEmpty() ? QString() : QStringLiteral(" in: %1").arg(statement.left(200));
            return RuntimeError(error.number(), source, error.description() + where);
        };
        if (!query.exec(QStringLiteral("PRAGMA foreign_keys = ON")) || !db.transaction())
            throw failure(query.lastError().isValid() ? query.lastError() : db.lastError());
        for (const QString& statement : split(script)) {
            if (!query.exec(statement))
                throw failure(query.lastError(), statement);
        }
        if (!db.commit())
            throw failure(db.lastError());
        query.exec(QStringLiteral("PRAGMA journal_mode = WAL"));
    }
    // A temporary file is private to its owner; a logbook is an ordinary file.
    temporary.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                             QFileDevice::ReadOther);
    // rename() refuses to replace a file that appeared meanwhile.
    if (!temporary.rename(path))
        throw RuntimeError(DbError::Reserved, source, QStringLiteral("Could not create the file '%1'.").arg(path));
    temporary.setAutoRemove(false);
}
