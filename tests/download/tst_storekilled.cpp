#include "Database.h"
#include "DiveGenerator.h"
#include "DownloadDriver.h"
#include "FakeDownload.h"
#include "GeneratedDives.h"
#include "Recordset.h"
#include "Seams.h"
#include "Settings.h"
#include "SettingsStore.h"
#include "SqlScript.h"
#include "TestEnvironment.h"
#include "Workspace.h"

#include <QProcess>
#include <QThread>
#include <QtTest>
#include <cstdio>

// A program killed in the middle of a store step: the logbook file must come back intact, without
// the logbook or any dive of the unfinished download.
class tst_StoreKilled : public QObject {
    Q_OBJECT
private slots:
    void killedWhileStoring();
};

namespace {

const char* childVariable = "SONA_TEST_STORE_INTO";

QStringList snapshot(const QString& path) {
    Database db = Database::open(path);
    QStringList rows;
    for (const char* statement : {"SELECT * FROM FILE ORDER BY FILE_ID", "SELECT * FROM DIVE ORDER BY DIVE_ID"}) {
        Recordset rs(db, QLatin1String(statement));
        for (; !rs.eof(); rs.moveNext()) {
            QStringList values;
            for (int i = 0; i < rs.fieldCount(); ++i)
                values << rs.value(i).toString();
            rows << values.join(u'|');
        }
    }
    return rows;
}

std::vector<Dive> dives(int count) {
    return generatedTavexDives(count, 7);
}

// Tells the parent once the store step is well under way, then waits to be killed.
class PausingPump : public EventPump {
public:
    void processEvents() override {
        if (++m_calls == 150) {
            std::printf("storing\n");
            std::fflush(stdout);
            for (;;)
                QThread::sleep(1);
        }
    }

private:
    int m_calls = 0;
};

// The child: the download dialog's transaction, a new logbook and a store step into it.
int storeUntilKilled(const QString& path) {
    SettingsStore::setLocation(QFileInfo(path).absolutePath());
    Seams::install(std::make_unique<PausingPump>());
    Settings::instance().setCurrentDiveComputer(ModelCodes::code(ModelCode::dcTAVEX));
    const std::vector<Dive> download = dives(400);
    Workspace::defaultWorkspace().beginTrans();
    Database db = Database::open(path);
    const qint32 logbook =
        DiveGenerator::addLogbook(db, QStringLiteral("Unfinished"), ModelCodes::code(ModelCode::dcTAVEX), QDateTime());
    FakeProgressBar bar;
    DownloadDriver::create(ModelCodes::code(ModelCode::dcTAVEX))->appendDives(db, logbook, download, bar);
    return 1; // never reached: the parent kills this process first
}

} // namespace

void tst_StoreKilled::killedWhileStoring() {
    TestEnvironment env;
    const QString path = Settings::instance().databaseName();
    SqlScript::createDatabase(path, SqlScript::currentSchema());
    {
        Database db = Database::open(path);
        const qint32 logbook =
            DiveGenerator::addLogbook(db, QStringLiteral("Stored"), ModelCodes::code(ModelCode::dcTAVEX), QDateTime());
        FakeProgressBar bar;
        DownloadDriver::create(ModelCodes::code(ModelCode::dcTAVEX))->appendDives(db, logbook, dives(3), bar);
    }
    const QStringList before = snapshot(path);
    QCOMPARE(before.size(), 1 + 3);

    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QLatin1String(childVariable), path);
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(), {});
    QVERIFY(child.waitForStarted());
    QByteArray output;
    while (!output.contains("storing") && child.waitForReadyRead(60000))
        output += child.readAllStandardOutput();
    QVERIFY2(output.contains("storing"), output.constData());
    child.kill();
    QVERIFY(child.waitForFinished());

    QCOMPARE(snapshot(path), before);
    Database db = Database::open(path);
    Recordset check(db, QStringLiteral("PRAGMA integrity_check"));
    QCOMPARE(check.value(0).toString(), QStringLiteral("ok"));
}

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QString childPath = qEnvironmentVariable(childVariable);
    if (!childPath.isEmpty())
        return storeUntilKilled(childPath);
    tst_StoreKilled test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_storekilled.moc"
