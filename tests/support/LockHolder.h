#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>

// Another program holding the file's write lock until it is destroyed.
class LockHolder {
public:
    explicit LockHolder(const QString& path) {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), NAME);
        db.setDatabaseName(path);
        m_locked = db.open() && QSqlQuery(db).exec(QStringLiteral("BEGIN EXCLUSIVE"));
    }
    ~LockHolder() {
        {
            QSqlDatabase db = QSqlDatabase::database(NAME, false);
            QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
            db.close();
        }
        QSqlDatabase::removeDatabase(NAME);
    }
    LockHolder(const LockHolder&) = delete;
    LockHolder& operator=(const LockHolder&) = delete;
    bool locked() const { return m_locked; }

private:
    static inline const QString NAME = QStringLiteral("lock-holder");
    bool m_locked = false;
};
