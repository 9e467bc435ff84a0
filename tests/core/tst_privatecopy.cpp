#include "DbError.h"
#include "ErrorOf.h"
#include "PrivateCopy.h"
#include "SqlScript.h"
#include "TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <QtTest>
#include <cstdio>

// The private copies of read-only logbooks: one a run while the file stands, made again when a
// side file goes while it is copied, and gone with the run that made them, even a killed one.
class tst_PrivateCopy : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void oneCopyWhileTheFileStands();
    void sideFileGoneDuringTheCopy_data();
    void sideFileGoneDuringTheCopy();
    void leftoversOfEndedRunsAreRemoved();

private:
    QString logbook() const { return m_env->folder() + QStringLiteral("dives.mdb"); }
    QString temporary() const { return m_env->folder() + QStringLiteral("tmp"); }
    QStringList copyFolders() const {
        return QDir(temporary()).entryList({QStringLiteral("sona-copy-*")}, QDir::Dirs | QDir::NoDotAndDotDot);
    }

    std::unique_ptr<TestEnvironment> m_env;
    QByteArray m_savedTemporary;
};

namespace {
const char* childVariable = "SONA_TEST_HOLD_COPY_OF";

// The child: a run that holds a copy of the logbook until it is killed.
int holdCopyUntilKilled(const QString& path) {
    const std::shared_ptr<PrivateCopy> copy = PrivateCopy::of(path, path);
    std::printf("copied %s\n", qPrintable(QFileInfo(copy->path()).absolutePath()));
    std::fflush(stdout);
    for (;;)
        QThread::sleep(1);
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}
} // namespace

void tst_PrivateCopy::init() {
    m_env = std::make_unique<TestEnvironment>();
    SqlScript::createDatabase(logbook(), SqlScript::currentSchema());
    QDir().mkpath(temporary());
    m_savedTemporary = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(temporary()));
}

void tst_PrivateCopy::cleanup() {
    PrivateCopy::setBeforeEachFile({});
    if (m_savedTemporary.isEmpty())
        qunsetenv("TMPDIR");
    else
        qputenv("TMPDIR", m_savedTemporary);
    m_env.reset();
}

void tst_PrivateCopy::oneCopyWhileTheFileStands() {
    writeFile(logbook() + QStringLiteral("-journal"), QByteArray(512, 'j'));
    std::shared_ptr<PrivateCopy> first = PrivateCopy::of(logbook(), logbook());
    QVERIFY(QFileInfo::exists(first->path() + QStringLiteral("-journal")));
    first->setApplied();
    QCOMPARE(PrivateCopy::of(logbook(), logbook()), first);
    QCOMPARE(copyFolders().size(), 1);

    // Another program's write: the copy no longer shows the file as it stands.
    writeFile(logbook() + QStringLiteral("-journal"), QByteArray(1024, 'j'));
    const std::shared_ptr<PrivateCopy> second = PrivateCopy::of(logbook(), logbook());
    QVERIFY(second != first);
    QCOMPARE(QFileInfo(second->path() + QStringLiteral("-journal")).size(), 1024);

    // Not applied (its engine failed), a copy is not handed out again.
    QVERIFY(PrivateCopy::of(logbook(), logbook()) != second);
    first.reset();
    QCOMPARE(copyFolders().size(), 2);
}

void tst_PrivateCopy::sideFileGoneDuringTheCopy_data() {
    QTest::addColumn<bool>("everyTime");
    // Another program finished its write between the look at the journal and its copy.
    QTest::newRow("once") << false;
    // It keeps writing: the file is in use.
    QTest::newRow("every time") << true;
}

void tst_PrivateCopy::sideFileGoneDuringTheCopy() {
    QFETCH(bool, everyTime);
    const QString journal = logbook() + QStringLiteral("-journal");
    writeFile(journal, QByteArray(512, 'j'));
    int gone = 0;
    PrivateCopy::setBeforeEachFile([&](const QString& source) {
        if (source == logbook() && everyTime && gone > 0)
            writeFile(journal, QByteArray(512, 'j'));
        if (source == journal && (everyTime || gone == 0)) {
            QFile::remove(journal);
            ++gone;
        }
    });

    QString description;
    std::shared_ptr<PrivateCopy> copy;
    const qint32 error = errorOf([&] { copy = PrivateCopy::of(logbook(), logbook()); }, &description);
    if (everyTime) {
        QCOMPARE(error, DbError::Locked);
        QVERIFY2(description.contains(QStringLiteral("in use by another program")), qPrintable(description));
        QCOMPARE(gone, 3);
    } else {
        QCOMPARE(error, 0);
        QCOMPARE(gone, 1);
        QVERIFY(QFileInfo::exists(copy->path()));
        QVERIFY(!QFileInfo::exists(copy->path() + QStringLiteral("-journal")));
    }
}

void tst_PrivateCopy::leftoversOfEndedRunsAreRemoved() {
    const auto startRun = [&](QProcess& run) -> QString {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QLatin1String(childVariable), logbook());
        environment.insert(QStringLiteral("TMPDIR"), temporary());
        run.setProcessEnvironment(environment);
        run.start(QCoreApplication::applicationFilePath(), {});
        QByteArray output;
        while (!output.contains('\n') && run.waitForReadyRead(60000))
            output += run.readAllStandardOutput();
        if (!output.startsWith("copied "))
            return {};
        return QFileInfo(QString::fromLocal8Bit(output.mid(7).trimmed())).fileName();
    };
    QProcess killed;
    const QString killedFolder = startRun(killed);
    QVERIFY(!killedFolder.isEmpty());
    killed.kill();
    QVERIFY(killed.waitForFinished());
    QProcess running;
    const QString runningFolder = startRun(running);
    QVERIFY(!runningFolder.isEmpty());
    const std::shared_ptr<PrivateCopy> own = PrivateCopy::of(logbook(), logbook());
    const QString ownFolder = QFileInfo(own->path()).absoluteDir().dirName();
    QCOMPARE(copyFolders().size(), 3);

    PrivateCopy::removeLeftovers();
    QStringList alive{ownFolder, runningFolder};
    alive.sort();
    QStringList kept = copyFolders();
    kept.sort();
    QCOMPARE(kept, alive);

    running.kill();
    QVERIFY(running.waitForFinished());
    PrivateCopy::removeLeftovers();
    QCOMPARE(copyFolders(), QStringList{ownFolder});
}

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QString childPath = qEnvironmentVariable(childVariable);
    if (!childPath.isEmpty())
        return holdCopyUntilKilled(childPath);
    tst_PrivateCopy test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_privatecopy.moc"
