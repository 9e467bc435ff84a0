#include "Database.h"
#include "DbError.h"
#include "DiveGenerator.h"
#include "DownloadDriver.h"
#include "FakeDownload.h"
#include "GeneratedDives.h"
#include "Recordset.h"
#include "Settings.h"
#include "SqlScript.h"
#include "TestEnvironment.h"
#include "TransactionGuard.h"
#include "Workspace.h"

#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QThread>
#include <QtTest>
#include <cstdio>

// Another program holds the logbook's write lock for a moment: the program's writes wait for it as
// long as the busy timeout says, and only a lock held longer makes them fail, changing nothing.
class tst_StoreLocked : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void writesWaitForAnotherProgram_data();
    void writesWaitForAnotherProgram();

private:
    std::unique_ptr<TestEnvironment> env;
};

namespace {

const char* fileVariable = "SONA_TEST_LOCK_FILE";
const char* holdVariable = "SONA_TEST_LOCK_MS";

std::vector<Dive> dives(int count) {
    return generatedTavexDives(count, 11);
}

qint32 count(const char* statement) {
    Database db = Database::open(Settings::instance().databaseName());
    Recordset rs(db, QLatin1String(statement));
    return rs.value(0).toInt();
}

// The other program: takes the write lock, adds a dive of its own, says so, holds on, commits.
int holdLock(const QString& path, int milliseconds) {
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("holder"));
        db.setDatabaseName(path);
        if (!db.open())
            return 2;
        QSqlQuery query(db);
        if (!query.exec(QStringLiteral("BEGIN IMMEDIATE")) ||
            !query.exec(QStringLiteral("INSERT INTO DIVE (FILE_ID, DATETIME) VALUES "
                                       "((SELECT min(FILE_ID) FROM FILE), '1999-01-01 10:00:00')")))
            return 3;
        std::printf("locked\n");
        std::fflush(stdout);
        QThread::msleep(milliseconds);
        if (!query.exec(QStringLiteral("COMMIT")))
            return 4;
        query.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("holder"));
    return 0;
}

} // namespace

void tst_StoreLocked::init() {
    env = std::make_unique<TestEnvironment>();
    SqlScript::createDatabase(Settings::instance().databaseName(), SqlScript::currentSchema());
    Settings::instance().setCurrentDiveComputer(ModelCodes::code(ModelCode::dcTAVEX));
    Database db = Database::open(Settings::instance().databaseName());
    DiveGenerator::addLogbook(db, QStringLiteral("Stored"), ModelCodes::code(ModelCode::dcTAVEX), QDateTime());
}

void tst_StoreLocked::cleanup() {
    if (Workspace::defaultWorkspace().inTransaction())
        Workspace::defaultWorkspace().rollback();
    env.reset();
}

void tst_StoreLocked::writesWaitForAnotherProgram_data() {
    QTest::addColumn<QString>("write");
    QTest::addColumn<int>("holdMs");
    QTest::addColumn<int>("error");
    QTest::newRow("download store, lock held a moment") << "store" << 1000 << 0;
    QTest::newRow("edit, lock held a moment") << "edit" << 1000 << 0;
    QTest::newRow("download store, lock held past the timeout") << "store" << 8000 << DbError::Locked;
}

void tst_StoreLocked::writesWaitForAnotherProgram() {
    QFETCH(QString, write);
    QFETCH(int, holdMs);
    QFETCH(int, error);
    const QString path = Settings::instance().databaseName();
    const std::vector<Dive> download = dives(20);

    QProcess holder;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QLatin1String(fileVariable), path);
    environment.insert(QLatin1String(holdVariable), QString::number(holdMs));
    holder.setProcessEnvironment(environment);
    holder.start(QCoreApplication::applicationFilePath(), {});
    QVERIFY(holder.waitForStarted());
    QByteArray said;
    while (!said.contains("locked") && holder.waitForReadyRead(30000))
        said += holder.readAllStandardOutput();
    QVERIFY2(said.contains("locked"), said.constData());

    qint32 failure = 0;
    try {
        if (write == QLatin1String("store")) {
            // As the download dialog does: its transaction, the store step's rows, the commit.
            Database db = Database::open(path);
            Recordset logbook(db, QStringLiteral("SELECT FILE_ID FROM FILE"));
            const qint32 fileID = logbook.value(0).toInt();
            logbook.close();
            TransactionGuard transaction;
            FakeProgressBar bar;
            const DownloadDriver::StoreCounts counts =
                DownloadDriver::create(ModelCodes::code(ModelCode::dcTAVEX))->appendDives(db, fileID, download, bar);
            QCOMPARE(counts.logged, qint16(download.size()));
            transaction.commit();
        } else {
            Database db = Database::open(path);
            db.execute(QStringLiteral("UPDATE FILE SET FILENAME = ?"), {QStringLiteral("Renamed")});
        }
    } catch (const RuntimeError& e) {
        failure = e.number();
    }
    QVERIFY(holder.waitForFinished(30000));
    QCOMPARE(holder.exitCode(), 0);
    QCOMPARE(failure, error);

    // The other program's dive is there, and so is everything the program wrote, or nothing of it.
    const qint32 stored = error == 0 && write == QLatin1String("store") ? qint32(download.size()) : 0;
    QCOMPARE(count("SELECT count(*) FROM DIVE"), 1 + stored);
    QCOMPARE(count("SELECT count(*) FROM FILE WHERE FILENAME = 'Renamed'"),
             error == 0 && write == QLatin1String("edit") ? 1 : 0);
}

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QString lockPath = qEnvironmentVariable(fileVariable);
    if (!lockPath.isEmpty())
        return holdLock(lockPath, qEnvironmentVariableIntValue(holdVariable));
    tst_StoreLocked test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_storelocked.moc"
