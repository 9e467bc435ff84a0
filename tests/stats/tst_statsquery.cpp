#include "LogbookFixture.h"
#include "StatsQuery.h"
#include "StatsScope.h"
#include "TestEnvironment.h"

#include <QtTest>

class tst_StatsQuery : public QObject {
    Q_OBJECT
private slots:
    void scope_data();
    void scope();
    void settingWithoutQuestion_data();
    void settingWithoutQuestion();
    void statement_data();
    void statement();
    void readsTheDivesInScope();
    void olderLogbook();
};

void tst_StatsQuery::scope_data() {
    QTest::addColumn<qint16>("setting");
    QTest::addColumn<qint32>("logbook");
    QTest::addColumn<bool>("asks");
    QTest::addColumn<qint16>("mode"); // when not asked
    QTest::addColumn<bool>("allLogbooks");

    QTest::newRow("no logbook selected, setting asks") << qint16(3) << -1 << false << qint16(2) << true;
    QTest::newRow("no logbook selected, current logbook set") << qint16(0) << -1 << false << qint16(2) << true;
    QTest::newRow("no logbook selected, asks for current") << qint16(1) << -1 << false << qint16(2) << true;
    QTest::newRow("asks, all logbooks stored") << qint16(3) << 4 << true << qint16(3) << true;
    QTest::newRow("asks, current logbook stored") << qint16(1) << 4 << true << qint16(1) << false;
    QTest::newRow("current logbook without asking") << qint16(0) << 4 << false << qint16(0) << false;
    QTest::newRow("all logbooks without asking") << qint16(2) << 4 << false << qint16(2) << true;
}

void tst_StatsQuery::scope() {
    QFETCH(qint16, setting);
    QFETCH(qint32, logbook);
    QTEST(StatsScope::asksUser(setting, logbook), "asks");
    const qint16 mode = StatsScope::modeWithoutAsking(setting, logbook);
    QTEST(mode, "mode");
    QTEST(StatsScope::coversAllLogbooks(mode), "allLogbooks");
    // A cancelled question still covers every logbook of the model.
    QVERIFY(StatsScope::coversAllLogbooks(StatsScope::CANCELLED));
}

void tst_StatsQuery::settingWithoutQuestion_data() {
    QTest::addColumn<qint16>("setting");
    QTest::addColumn<qint16>("after");
    QTest::newRow("asked, all logbooks: all logbooks from now") << qint16(3) << qint16(2);
    QTest::newRow("asked, current logbook: current from now") << qint16(1) << qint16(0);
    QTest::newRow("foreign bits are dropped") << qint16(0x43) << qint16(2);
}

void tst_StatsQuery::settingWithoutQuestion() {
    QFETCH(qint16, setting);
    QTEST(StatsScope::settingWithoutQuestion(setting), "after");
}

void tst_StatsQuery::statement_data() {
    QTest::addColumn<qint16>("mode");
    QTest::addColumn<QString>("text");
    const QString all = "SELECT * FROM DIVE, FILE WHERE  FILE.FILE_ID = DIVE.FILE_ID AND FILE.DIVE_MODEL =  8";
    QTest::newRow("all logbooks") << qint16(2) << all;
    QTest::newRow("cancelled") << qint16(-1) << all;
    QTest::newRow("current logbook") << qint16(0)
                                     << "SELECT * FROM DIVE, FILE WHERE  FILE.FILE_ID = DIVE.FILE_ID AND DIVE.FILE_ID "
                                        "=  12 AND FILE.DIVE_MODEL =  8";
}

void tst_StatsQuery::statement() {
    QFETCH(qint16, mode);
    QTEST(StatsScope::statement(mode, 12, 8), "text");
}

void tst_StatsQuery::readsTheDivesInScope() {
    TestEnvironment env;
    LogbookFixture fixture;
    const qint32 red = fixture.logbook("Red Sea", 8);
    const qint32 elba = fixture.logbook("Elba", 8);
    const qint32 other = fixture.logbook("Other model", 1);
    const QDateTime start(QDate(2024, 5, 1), QTime(9, 0));
    // Samples 2 and 5 carry 42 and 17.
    const QString profile = "01000000000000001111"
                            "01000000000000000042"
                            "01000000000000002222"
                            "01000000000000003333"
                            "01000000000000000017";
    fixture.dive(red, start, {{"DIVE_TIME", 40}, {"MAX_DEPTH", 18.5}, {"TANK_USE", 22.5}, {"SAMPLE", profile}});
    fixture.dive(red, start.addDays(1), {{"WEATHER", -1}, {"SAMPLE", "0100000000000000x042"}});
    fixture.dive(elba, start, {{"ACTIVITY", 4}});
    fixture.dive(other, start, {});

    auto current = StatsQuery::read(fixture.db, StatsScope::CURRENT_LOGBOOK, red, 8, true);
    QCOMPARE(current.size(), size_t(2));
    QCOMPARE(current[0].diveTime, 40.0);
    QCOMPARE(current[0].maxDepth, 18.5);
    QCOMPARE(current[0].tankUse, 22.5);
    QVERIFY(current[0].consumptionRead);
    QCOMPARE(current[0].consumptionMax, qint16(42));
    QCOMPARE(current[0].consumptionMin, qint16(17));
    QCOMPARE(current[1].weather, -1.0);
    QVERIFY(!current[1].consumptionRead); // a one-sample text has no consumption sample

    const auto all = StatsQuery::read(fixture.db, StatsScope::ALL_LOGBOOKS, red, 8, true);
    QCOMPARE(all.size(), size_t(3));
    const auto otherModel = StatsQuery::read(fixture.db, StatsScope::CANCELLED, red, 1, false);
    QCOMPARE(otherModel.size(), size_t(1));
    QVERIFY(!otherModel[0].consumptionRead);
    QVERIFY(StatsQuery::read(fixture.db, StatsScope::ALL_LOGBOOKS, -1, 32, false).empty());
}

void tst_StatsQuery::olderLogbook() {
    TestEnvironment env;
    const QString file = env.folder() + "old.mdb";
    SqlScript::createDatabase(file, SqlScript::readFile(QStringLiteral(SONA_FIXTURES_DIR "/db_2_1.sql")));
    Database db = Workspace::defaultWorkspace().openDatabase(file);

    // Schema 2.1 has no TANK_USE; NULLs where the row left columns out.
    const auto dives = StatsQuery::read(db, StatsScope::ALL_LOGBOOKS, -1, 4, false);
    QCOMPARE(dives.size(), size_t(2));
    QCOMPARE(dives[0].diveTime, 40.0);
    QVERIFY(!dives[1].diveTime.has_value());
    QVERIFY(!dives[1].activity.has_value());
    QCOMPARE(dives[1].maxDepth, 10.0);
    QVERIFY(!dives[0].tankUse.has_value());

    const auto air = StatsQuery::read(db, StatsScope::ALL_LOGBOOKS, -1, 8, true);
    QCOMPARE(air.size(), size_t(1));
    QVERIFY(!air[0].tankUse.has_value());
}

QTEST_GUILESS_MAIN(tst_StatsQuery)
#include "tst_statsquery.moc"
