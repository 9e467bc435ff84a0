#include "DbError.h"
#include "Dive.h"
#include "DiveModule.h"
#include "LockHolder.h"
#include "LogbookFixture.h"
#include "ModelEnvironment.h"
#include "RuntimeError.h"
#include "SimulatedDive.h"
#include "SimulatedDiveStore.h"
#include "SimulationEngine.h"
#include "TestEnvironment.h"
#include "Workspace.h"

#include <QtTest>
#include <memory>

class tst_SimulatedDiveStore : public QObject {
    Q_OBJECT

private slots:
    void init() { m_env = modelEnvironment(4); }
    void cleanup() {
        m_logbooks.reset();
        m_env.reset();
    }

    void sampleText_data();
    void sampleText();
    void savedRow_data();
    void savedRow();
    void readBack();
    void refused_data();
    void refused();
    void lockedDatabase();

private:
    void useModel(int model) {
        m_env->storeSetting(QStringLiteral("DiveComputer"), QString::number(model));
        m_env->restart();
        m_logbooks = std::make_unique<LogbookFixture>();
    }
    qint32 rows() {
        Recordset rs(m_logbooks->db, QStringLiteral("SELECT COUNT(*) FROM DIVE"));
        return rs.value(0).toInt();
    }

    std::unique_ptr<TestEnvironment> m_env;
    std::unique_ptr<LogbookFixture> m_logbooks;
};

void tst_SimulatedDiveStore::sampleText_data() {
    QTest::addColumn<int>("model");
    QTest::addColumn<QList<double>>("depths"); // decimetres
    QTest::addColumn<QString>("text");
    QTest::newRow("no samples") << 1 << QList<double>{} << "";
    QTest::newRow("5 m, scuba layout") << 1 << QList<double>{50} << "0050000000000000";
    QTest::newRow("5 m, air layout with misc") << 8 << QList<double>{50} << "00500000000000000010";
    QTest::newRow("halves go to the even neighbour")
        << 4 << QList<double>{12.5, 7.5} << "00120000000000000008000000000000";
}

void tst_SimulatedDiveStore::sampleText() {
    QFETCH(int, model);
    QFETCH(QList<double>, depths);
    useModel(model);
    Dive dive;
    for (double depth : depths)
        dive.addSample(depth, 0, 0, 0, 10);
    QTEST(SimulatedDiveStore::sampleText(dive), "text");
}

void tst_SimulatedDiveStore::savedRow_data() {
    QTest::addColumn<int>("model");
    QTest::addColumn<QString>("tissue1");
    QTest::addColumn<QString>("tissue11");
    QTest::addColumn<QString>("deepStop1");
    QTest::newRow("zento writes the surface loads, no RGBM columns") << 1 << "26"
                                                                     << "26"
                                                                     << "0";
    QTest::newRow("lumo likewise") << 2 << "26"
                                   << "26"
                                   << "0";
    QTest::newRow("zento RGBM writes percent loads and deep stops") << 4 << "79"
                                                                    << "0"
                                                                    << "-1";
    QTest::newRow("kobi as RGBM") << 32 << "79"
                                  << "0"
                                  << "-1";
}

void tst_SimulatedDiveStore::savedRow() {
    QFETCH(int, model);
    useModel(model);
    const qint32 logbook = m_logbooks->logbook(QStringLiteral("Sim"), model);
    SimulationEngine engine(nullptr);
    engine.play();
    engine.setDescending(true);
    for (int i = 0; i < 8; ++i)
        engine.tick();
    SimulatedDive::prepareForSave(*engine.dive(), engine.profile());

    const QDateTime now(QDate(2026, 3, 4), QTime(9, 15, 30, 750));
    const SimulatedDiveStore::Saved saved = SimulatedDiveStore::save(*engine.dive(), logbook, now);
    const qint32 id = saved.diveID.toInt();
    QVERIFY(id > 0);
    QCOMPARE(saved.logbookID, QString::number(logbook));
    QCOMPARE(saved.dateTime, QDateTime(QDate(2026, 3, 4), QTime(9, 15, 30)));
    QVERIFY(!saved.diveLabel.isEmpty());
    QVERIFY(!Workspace::defaultWorkspace().inTransaction());

    const auto column = [&](const char* name) { return m_logbooks->column(id, QLatin1String(name)).toString(); };
    QCOMPARE(column("FILE_ID"), QString::number(logbook));
    QCOMPARE(column("DATETIME"), QStringLiteral("2026-03-04 09:15:30"));
    QCOMPARE(column("IS_SIMUL"), QStringLiteral("1"));
    QCOMPARE(column("DIVE_TIME"), QStringLiteral("1"));
    QCOMPARE(column("MAX_DEPTH"), QStringLiteral("10"));
    QCOMPARE(column("MIX_NITROX"), QStringLiteral("21"));
    QTEST(column("TISSUE_1"), "tissue1");
    QTEST(column("TISSUE_11"), "tissue11");
    QTEST(column("DEEP_STOP_1"), "deepStop1");
    QCOMPARE(column("SAMPLE").left(32), QStringLiteral("00500000000000000100000000000000"));
}

void tst_SimulatedDiveStore::readBack() {
    // A free-dive series continued in the simulator comes back from the logbook as the scuba dive saved.
    useModel(32);
    const qint32 logbook = m_logbooks->logbook(QStringLiteral("Kobi"), 32);
    auto series = std::make_shared<Dive>();
    series->setDiveComputer(32);
    series->setDiveMode(2);
    series->addSample(85, 1, 3, 120);
    SimulationEngine engine(series);
    engine.play();
    engine.setDescending(true);
    for (int i = 0; i < 4; ++i)
        engine.tick();
    SimulatedDive::prepareForSave(*series, engine.profile());
    const SimulatedDiveStore::Saved saved = SimulatedDiveStore::save(*series, logbook, Seams::clock().now());

    const std::shared_ptr<Dive> stored = DiveModule::loadDive(saved.diveID.toInt(), false);
    QVERIFY(stored);
    QVERIFY(!stored->isFreeDive());
    QCOMPARE(stored->getSamplesCount(), qint16(2));
    QCOMPARE(stored->getSampleDepth(1), 8.5f);
    QCOMPARE(stored->getSampleDepth(2), 5.0f);
    QCOMPARE(stored->getDiveTime(), qint16(1));
    QCOMPARE(stored->getMaxDepth(), 8.5f);
    QCOMPARE(stored->getDateTime(), Seams::clock().now());
}

void tst_SimulatedDiveStore::refused_data() {
    QTest::addColumn<QString>("setup");
    QTest::addColumn<int>("error");
    QTest::newRow("logbook deleted meanwhile") << "missing logbook" << int(DbError::RelatedRecordRequired);
    QTest::newRow("second save in the same second") << "same second" << int(DbError::DuplicateKey);
    QTest::newRow("read-only database") << "read-only" << 0;
}

void tst_SimulatedDiveStore::refused() {
    QFETCH(QString, setup);
    QFETCH(int, error);
    useModel(4);
    qint32 logbook = m_logbooks->logbook(QStringLiteral("Sim"), 4);
    auto dive = SimulatedDive::create();
    dive->addSample(50, 0, 0, 0);
    if (setup == QLatin1String("missing logbook"))
        logbook += 100;
    if (setup == QLatin1String("same second"))
        SimulatedDiveStore::save(*dive, logbook, Seams::clock().now());
    if (setup == QLatin1String("read-only"))
        m_logbooks->db.execute(QStringLiteral("PRAGMA query_only = ON"));
    const qint32 before = rows();

    try {
        SimulatedDiveStore::save(*dive, logbook, Seams::clock().now());
        QFAIL("the save went through");
    } catch (const RuntimeError& e) {
        if (error != 0)
            QCOMPARE(e.number(), error);
    }
    QVERIFY(!Workspace::defaultWorkspace().inTransaction());
    m_logbooks->db.execute(QStringLiteral("PRAGMA query_only = OFF"));
    QCOMPARE(rows(), before);
    // Nothing is left half-done: the next save goes through.
    SimulatedDiveStore::save(*dive, m_logbooks->logbook(QStringLiteral("Next"), 4), Seams::clock().now());
    QCOMPARE(rows(), before + 1);
}

void tst_SimulatedDiveStore::lockedDatabase() {
    useModel(4);
    const qint32 logbook = m_logbooks->logbook(QStringLiteral("Sim"), 4);
    auto dive = SimulatedDive::create();
    {
        // Another program holds the file's write lock for the whole save.
        const LockHolder other(Settings::instance().databaseName());
        QVERIFY(other.locked());
        QVERIFY_THROWS_EXCEPTION(RuntimeError, SimulatedDiveStore::save(*dive, logbook, Seams::clock().now()));
        QVERIFY(!Workspace::defaultWorkspace().inTransaction());
    }
    QCOMPARE(rows(), 0);
}

QTEST_GUILESS_MAIN(tst_SimulatedDiveStore)
#include "tst_simulateddivestore.moc"
