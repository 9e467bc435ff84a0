#include "Database.h"
#include "RuntimeError.h"
#include "ScopedConnection.h"
#include "SqlScript.h"
#include "TestEnvironment.h"

#include <QFile>
#include <QSqlQuery>
#include <QtTest>

// Named connections are process-wide: whatever path a file's open or creation takes, the
// connection it added must be gone after it.
class tst_ScopedConnection : public QObject {
    Q_OBJECT
private slots:
    void init() { m_env = std::make_unique<TestEnvironment>(); }
    void cleanup() { m_env.reset(); }

    void ownNameWhileAlive();
    void removedOnEveryPath_data();
    void removedOnEveryPath();

private:
    std::unique_ptr<TestEnvironment> m_env;
};

void tst_ScopedConnection::ownNameWhileAlive() {
    const QStringList before = QSqlDatabase::connectionNames();
    {
        ScopedConnection first(QStringLiteral("test"));
        ScopedConnection second(QStringLiteral("test"));
        QVERIFY(first.name() != second.name());
        QVERIFY(QSqlDatabase::contains(first.name()));
        QVERIFY(QSqlDatabase::contains(second.name()));

        QSqlDatabase db = first.database();
        db.setDatabaseName(m_env->folder() + QStringLiteral("scratch.db"));
        QVERIFY(db.open());
        QSqlQuery query(db);
        QVERIFY(query.exec(QStringLiteral("CREATE TABLE T (A INTEGER)")));
    }
    QCOMPARE(QSqlDatabase::connectionNames(), before);
}

void tst_ScopedConnection::removedOnEveryPath_data() {
    QTest::addColumn<QString>("existing"); // what the file is before: "", "logbook" or "text"
    QTest::addColumn<QString>("script");   // null: open the file, else create it with the script
    QTest::addColumn<bool>("fails");
    const QString open;
    QTest::newRow("script runs") << "" << QStringLiteral("CREATE TABLE T (A INTEGER);") << false;
    QTest::newRow("script refused") << "" << QStringLiteral("CREATE TABLE;") << true;
    QTest::newRow("file opened") << "logbook" << open << false;
    QTest::newRow("missing file") << "" << open << true;
    QTest::newRow("not a database") << "text" << open << true;
}

void tst_ScopedConnection::removedOnEveryPath() {
    QFETCH(QString, existing);
    QFETCH(QString, script);
    QFETCH(bool, fails);
    const QString file = m_env->folder() + QStringLiteral("dives.db");
    if (existing == QLatin1String("logbook")) {
        SqlScript::createDatabase(file, QStringLiteral("CREATE TABLE T (A INTEGER);"));
    } else if (existing == QLatin1String("text")) {
        QFile text(file);
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write("plain text, not a logbook");
    }

    const QStringList before = QSqlDatabase::connectionNames();
    bool failed = false;
    try {
        if (!script.isNull()) {
            SqlScript::createDatabase(file, script);
        } else {
            Database db = Database::open(file);
            db.execute(QStringLiteral("INSERT INTO T (A) VALUES (1)"));
        }
    } catch (const RuntimeError&) {
        failed = true;
    }
    QCOMPARE(failed, fails);
    QCOMPARE(QSqlDatabase::connectionNames(), before);
}

QTEST_GUILESS_MAIN(tst_ScopedConnection)
#include "tst_scopedconnection.moc"
