#include "DBVersion.h"
#include "Database.h"
#include "Dive.h"
#include "DiveModule.h"
#include "Recordset.h"
#include "Settings.h"
#include "SqlScript.h"
#include "TestEnvironment.h"
#include "diveInfo.h"

#include <QFile>
#include <QtTest>

using SampleTexts = QMap<int, QVariant>;

class tst_DBVersion : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void upgradePaths_data();
    void upgradePaths();
    void versionsLeftAlone_data();
    void versionsLeftAlone();
    void failedProfileStepSkipsColumns();
    void existingColumnKeepsVersion();
    void unreadableFilesAreLeftAlone_data();
    void unreadableFilesAreLeftAlone();
    void upgradedDivesLoad();

private:
    QString path() const { return Settings::instance().databaseName(); }
    void makeDatabase(const QString& fixture);
    QString version();
    QStringList columns();
    QMap<int, QVariant> samples();

    std::unique_ptr<TestEnvironment> m_env;
};

void tst_DBVersion::init() {
    m_env = std::make_unique<TestEnvironment>();
}

void tst_DBVersion::cleanup() {
    m_env.reset();
}

void tst_DBVersion::makeDatabase(const QString& fixture) {
    const QString script = fixture == QLatin1String("current")
                               ? SqlScript::currentSchema()
                               : SqlScript::readFile(QStringLiteral(SONA_FIXTURES_DIR "/") + fixture);
    SqlScript::createDatabase(path(), script);
}

QString tst_DBVersion::version() {
    Database db = Database::open(path());
    Recordset rs(db, QStringLiteral("SELECT VERSION FROM VERSION WHERE ID = 0"));
    return rs.eof() ? QStringLiteral("(no row)") : rs.value(0).toString();
}

QStringList tst_DBVersion::columns() {
    Database db = Database::open(path());
    Recordset rs = Recordset::table(db, QStringLiteral("DIVE"));
    QStringList names;
    for (int i = 0; i < rs.fieldCount(); ++i)
        names.append(rs.fieldName(i));
    return names;
}

QMap<int, QVariant> tst_DBVersion::samples() {
    Database db = Database::open(path());
    QMap<int, QVariant> texts;
    for (Recordset rs(db, QStringLiteral("SELECT DIVE_ID, SAMPLE FROM DIVE")); !rs.eof(); rs.moveNext())
        texts.insert(rs.value(0).toInt(), rs.value(1));
    return texts;
}

void tst_DBVersion::upgradePaths_data() {
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<SampleTexts>("expectedSamples");
    QMap<int, QVariant> from20;
    from20.insert(1, QStringLiteral("01230005000200100185000300000000"));
    from20.insert(2, QVariant()); // no profile stays as it was
    from20.insert(3, QString(""));
    from20.insert(4, QStringLiteral("00500001000000000100000200000000")); // the last 6 characters dropped
    from20.insert(5, QStringLiteral("0090000100000000"));
    QMap<int, QVariant> from21;
    from21.insert(1, QStringLiteral("01230002000000000200000100000000"));
    from21.insert(2, QVariant());
    from21.insert(3, QStringLiteral("01500001000000000180"));
    QTest::newRow("2.0 to 2.2") << "db_2_0.sql" << from20;
    QTest::newRow("2.1 to 2.2") << "db_2_1.sql" << from21;
}

void tst_DBVersion::upgradePaths() {
    QFETCH(QString, fixture);
    QFETCH(SampleTexts, expectedSamples);
    makeDatabase(fixture);
    DBVersion::checkDBVersion();
    QCOMPARE(version(), QStringLiteral("2.2"));
    QCOMPARE(m_env->fakes.message->shown.size(), 0);

    const QMap<int, QVariant> texts = samples();
    QCOMPARE(texts.keys(), expectedSamples.keys());
    for (auto it = expectedSamples.begin(); it != expectedSamples.end(); ++it) {
        QCOMPARE(texts[it.key()].isNull(), it.value().isNull());
        QCOMPARE(texts[it.key()].toString(), it.value().toString());
    }

    // The eighteen columns are there, at the end, and hold 0 in the rows that were there.
    const QStringList names = columns();
    QCOMPARE(names.mid(names.size() - 18, 1), QStringList{QStringLiteral("AUTOZERO")});
    QCOMPARE(names.last(), QStringLiteral("IS_SIMUL"));
    Database db = Database::open(path());
    Recordset rs(db, QStringLiteral("SELECT count(*) FROM DIVE WHERE AUTOZERO = 0 AND TANK_USE = 0 AND "
                                    "DEEP_STOP_2 = 0 AND IS_SIMUL = 0"));
    QCOMPARE(rs.value(0).toInt(), expectedSamples.size());
    db.close();

    // A second start finds nothing to do.
    DBVersion::checkDBVersion();
    QCOMPARE(samples(), texts);
}

void tst_DBVersion::versionsLeftAlone_data() {
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("expected");
    QTest::newRow("current") << "current"
                             << ""
                             << "2.2";
    QTest::newRow("older unknown") << "db_2_1.sql"
                                   << "UPDATE VERSION SET VERSION = '1.0'"
                                   << "1.0";
    QTest::newRow("newer unknown") << "db_2_0.sql"
                                   << "UPDATE VERSION SET VERSION = '3.0'"
                                   << "3.0";
    QTest::newRow("no VERSION row") << "db_2_0.sql"
                                    << "DELETE FROM VERSION"
                                    << "(no row)";
    QTest::newRow("NULL version") << "db_2_1.sql"
                                  << "UPDATE VERSION SET VERSION = NULL"
                                  << "";
    QTest::newRow("no VERSION table") << "db_2_1.sql"
                                      << "DROP TABLE VERSION"
                                      << "";
}

void tst_DBVersion::versionsLeftAlone() {
    QFETCH(QString, fixture);
    QFETCH(QString, change);
    QFETCH(QString, expected);
    makeDatabase(fixture);
    if (!change.isEmpty())
        Database::open(path()).execute(change);
    const QMap<int, QVariant> before = samples();
    const QStringList columnsBefore = columns();

    DBVersion::checkDBVersion();

    QCOMPARE(columns(), columnsBefore);
    QCOMPARE(samples(), before);
    if (!change.startsWith(QLatin1String("DROP")))
        QCOMPARE(version(), expected);
    QCOMPARE(m_env->fakes.message->shown.size(), 0);
}

void tst_DBVersion::failedProfileStepSkipsColumns() {
    makeDatabase(QStringLiteral("db_2_0.sql"));
    // Dive 1 would convert; dive 4 holds a letter in a depth field and fails the whole step.
    Database::open(path()).execute(QStringLiteral("UPDATE DIVE SET SAMPLE = '0500010000001X0002000000' "
                                                  "WHERE DIVE_ID = 4"));
    const QMap<int, QVariant> before = samples();

    DBVersion::checkDBVersion();

    QCOMPARE(version(), QStringLiteral("2.0"));
    QCOMPARE(samples(), before);
    QVERIFY(!columns().contains(QStringLiteral("AUTOZERO")));
    QCOMPARE(m_env->fakes.message->shown.size(), 0);
    QVERIFY(!DBVersion::upgradeDB(QStringLiteral("2.1")));
    QVERIFY(DBVersion::upgradeDB(QStringLiteral("9.9"))); // not a step: nothing to fail
}

void tst_DBVersion::existingColumnKeepsVersion() {
    makeDatabase(QStringLiteral("db_2_1.sql"));
    Database::open(path()).execute(QStringLiteral("ALTER TABLE DIVE ADD COLUMN AUTOZERO short"));
    const QStringList before = columns();

    for (int start = 0; start < 2; ++start) {
        DBVersion::checkDBVersion();
        QCOMPARE(version(), QStringLiteral("2.1"));
        QCOMPARE(columns(), before); // none of the other seventeen was kept
    }
}

void tst_DBVersion::unreadableFilesAreLeftAlone_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("no file") << QByteArray();
    QTest::newRow("not a database") << QByteArray("my dives\n");
}

void tst_DBVersion::unreadableFilesAreLeftAlone() {
    QFETCH(QByteArray, content);
    if (!content.isEmpty()) {
        QFile file(path());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    DBVersion::checkDBVersion();
    QCOMPARE(QFileInfo::exists(path()), !content.isEmpty());
    if (!content.isEmpty()) {
        QFile file(path());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), content);
    }
    QCOMPARE(m_env->fakes.message->shown.size(), 0);
}

void tst_DBVersion::upgradedDivesLoad() {
    makeDatabase(QStringLiteral("db_2_0.sql"));
    DBVersion::checkDBVersion();
    const std::shared_ptr<Dive> dive = DiveModule::loadDive(1, true);
    QVERIFY(dive);
    QCOMPARE(dive->getSamplesCount(), qint16(2));
    QCOMPARE(dive->getSampleDepth(1), 12.3f);
    QCOMPARE(dive->getSampleVRis(1), qint16(5));
    QCOMPARE(dive->getSampleDeco(1), qint16(10));
    QCOMPARE(dive->getSampleDepth(2), 18.5f);
    // NULLs of an old row read as 0, and as "none" for the descriptive codes.
    const std::shared_ptr<Dive> old = DiveModule::loadDive(5, true);
    QVERIFY(old);
    QCOMPARE(old->getDiveTime(), qint16(0));
    QCOMPARE(old->diveInfo()->activity(), qint16(-1));
    QCOMPARE(old->diveInfo()->wetsuit(), qint16(0));
}

QTEST_GUILESS_MAIN(tst_DBVersion)
#include "tst_dbversion.moc"
