#include "Database.h"
#include "DbError.h"
#include "Dive.h"
#include "DiveModule.h"
#include "ErrorOf.h"
#include "Recordset.h"
#include "RuntimeError.h"
#include "Settings.h"
#include "SqlScript.h"
#include "TestEnvironment.h"
#include "diveInfo.h"

#include <QtTest>

using Columns = QVariantMap;

namespace {
QDateTime at(int day, int hour, int minute) {
    return QDateTime(QDate(2004, 3, day), QTime(hour, minute));
}

QList<qint32> keysOf(const DiveList& dives) {
    QList<qint32> keys;
    for (const auto& dive : dives)
        keys.append(dive->diveID());
    return keys;
}
} // namespace

class tst_DiveModule : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void loadDiveFindsOne();
    void loadDiveReportsMissing_data();
    void loadDiveReportsMissing();
    void logbookDivesNewestFirst();
    void logbookDivesFiltered();
    void previousDivesWindow();
    void previousDive_data();
    void previousDive();
    void descriptiveFields();
    void tissuesFollowTheModel_data();
    void tissuesFollowTheModel();
    void tsrFollowsTheModel_data();
    void tsrFollowsTheModel();
    void layoutFollowsTheModel();
    void freeDiveSessionsAreIndependent();
    void storedProfileReadsAsText_data();
    void storedProfileReadsAsText();
    void damagedProfileLoadsTheRest();
    void nullNumbersReadAsZero();
    void damagedRowsHideNothing_data();
    void damagedRowsHideNothing();
    void logbookOfUnknownModelFails();
    void startsAreWallClock_data();
    void startsAreWallClock();
    void missingDatabase();
    void logbookExists_data();
    void logbookExists();
    void hasInvalidChars_data();
    void hasInvalidChars();

private:
    void useModel(qint32 code);
    Database database();
    qint32 addLogbook(const QString& name, qint32 model);
    qint32 addDive(qint32 logbook, const QDateTime& when, const Columns& columns = {});
    QVariant fixtureColumn(qint32 diveID, const char* column);

    std::unique_ptr<TestEnvironment> m_env;
};

void tst_DiveModule::init() {
    m_env = std::make_unique<TestEnvironment>();
    // These cases read every box they get from the message list.
    m_env->fakes.message->failOnUnexpected = false;
    SqlScript::createDatabase(Settings::instance().databaseName(), SqlScript::currentSchema());
}

void tst_DiveModule::cleanup() {
    m_env.reset();
}

void tst_DiveModule::useModel(qint32 code) {
    m_env->storeSetting(QStringLiteral("DiveComputer"), QString::number(code));
    m_env->restart();
}

Database tst_DiveModule::database() {
    return Database::open(Settings::instance().databaseName());
}

qint32 tst_DiveModule::addLogbook(const QString& name, qint32 model) {
    Database db = database();
    Recordset rs = Recordset::table(db, QStringLiteral("FILE"));
    rs.addNew();
    rs.setValue(QStringLiteral("FILENAME"), name);
    rs.setValue(QStringLiteral("DIVE_MODEL"), model);
    rs.update();
    return rs.lastModified().toInt();
}

qint32 tst_DiveModule::addDive(qint32 logbook, const QDateTime& when, const Columns& columns) {
    Database db = database();
    Recordset rs = Recordset::table(db, QStringLiteral("DIVE"));
    rs.addNew();
    rs.setValue(QStringLiteral("FILE_ID"), logbook);
    rs.setValue(QStringLiteral("DATETIME"), when);
    for (auto it = columns.begin(); it != columns.end(); ++it)
        rs.setValue(it.key(), it.value());
    rs.update();
    return rs.lastModified().toInt();
}

QVariant tst_DiveModule::fixtureColumn(qint32 diveID, const char* column) {
    Database db = database();
    Recordset rs(db, QStringLiteral("SELECT %1 FROM DIVE WHERE DIVE_ID = ?").arg(QLatin1String(column)), {diveID});
    return rs.eof() ? QVariant() : rs.value(0);
}

void tst_DiveModule::loadDiveFindsOne() {
    const qint32 logbook = addLogbook(QStringLiteral("Elba"), 1);
    const qint32 id = addDive(logbook, at(14, 9, 5),
                              {{"DIVE_TIME", 42},
                               {"MAX_DEPTH", 18.5},
                               {"DIVE_MODE", 1},
                               {"MIX_NITROX", 32},
                               {"PPO2", 1.4},
                               {"SAMPLE", "01230002000000000185000300000001"}});
    const std::shared_ptr<Dive> dive = DiveModule::loadDive(id, false);
    QVERIFY(dive);
    QCOMPARE(dive->diveID(), id);
    QCOMPARE(dive->logbookID(), logbook);
    QCOMPARE(dive->diveComputer(), 1);
    QCOMPARE(dive->getDateTime(), at(14, 9, 5));
    QCOMPARE(dive->getDiveTime(), qint16(42));
    QCOMPARE(dive->getMaxDepth(), 18.5f);
    QCOMPARE(dive->getNitroxMixture(), qint16(32));
    QCOMPARE(dive->getPPO2(), 1.4f);
    QCOMPARE(dive->getSamplesCount(), qint16(2));
    QCOMPARE(dive->getSampleDepth(1), 12.3f);
    QCOMPARE(dive->getSampleVRis(1), qint16(2));
    QCOMPARE(dive->getSampleDeco(2), qint16(1));
    QVERIFY(!dive->diveInfo());
    QCOMPARE(m_env->fakes.message->shown.size(), 0);
}

void tst_DiveModule::loadDiveReportsMissing_data() {
    QTest::addColumn<int>("key");
    QTest::newRow("no such key") << 999;
    QTest::newRow("no selection") << -1;
}

void tst_DiveModule::loadDiveReportsMissing() {
    QFETCH(int, key);
    addDive(addLogbook(QStringLiteral("Elba"), 1), at(14, 9, 5));
    QVERIFY(!DiveModule::loadDive(key, true));
    QCOMPARE(m_env->fakes.message->shown.size(), 1);
    QCOMPARE(m_env->fakes.message->shown[0].text, QStringLiteral("[DiveModule.loadDive] Dive not found! Not correct."));
    QCOMPARE(m_env->fakes.message->shown[0].flags, Msg::OkOnly | Msg::Critical);
    QCOMPARE(m_env->fakes.message->shown[0].title, QString());
}

void tst_DiveModule::logbookDivesNewestFirst() {
    const qint32 logbook = addLogbook(QStringLiteral("Elba"), 1);
    const qint32 empty = addLogbook(QStringLiteral("Empty"), 1);
    const qint32 other = addLogbook(QStringLiteral("Giglio"), 1);
    const qint32 a = addDive(logbook, at(14, 9, 5));
    const qint32 b = addDive(logbook, at(16, 9, 5));
    const qint32 c = addDive(logbook, at(15, 9, 5));
    addDive(other, at(17, 9, 5));

    QCOMPARE(keysOf(DiveModule::loadLogbookDives(logbook, true, QString())), QList<qint32>({b, c, a}));
    QCOMPARE(keysOf(DiveModule::loadLogbookDives(logbook, true, Settings::instance().currentFilter())),
             QList<qint32>({b, c, a}));
    QVERIFY(DiveModule::loadLogbookDives(empty, true, QString()).isEmpty());
    // The statement is not shown.
    QCOMPARE(m_env->fakes.message->shown.size(), 0);
}

void tst_DiveModule::logbookDivesFiltered() {
    const qint32 logbook = addLogbook(QStringLiteral("Elba"), 1);
    addDive(logbook, QDateTime(QDate(2004, 5, 1), QTime(14, 29)), {{"DECO_FLAG", 1}, {"MAX_DEPTH", 20}});
    const qint32 inside = addDive(logbook, QDateTime(QDate(2004, 5, 10), QTime(9, 0)),
                                  {{"DECO_FLAG", 1}, {"MAX_DEPTH", 20}, {"ACTIVITY", 4}, {"DIVE_MODE", 1}});
    addDive(logbook, QDateTime(QDate(2004, 5, 11), QTime(9, 0)), {{"DECO_FLAG", 0}, {"MAX_DEPTH", 20}});
    addDive(logbook, QDateTime(QDate(2004, 5, 12), QTime(9, 0)), {{"DECO_FLAG", 1}, {"MAX_DEPTH", 31}});
    const QString filter = QStringLiteral(
        "SELECT * FROM DIVE WHERE DIVE_ID IS NOT NULL AND DECO_FLAG <> 0  AND [DATETIME] BETWEEN #05/01/2004 14:30# "
        "AND #05/31/2004 14:30#  AND MAX_DEPTH BETWEEN 10 AND 30  AND ACTIVITY = 4  AND DIVE_MODE = 1  ORDER BY "
        "[DATETIME] DESC");
    QCOMPARE(keysOf(DiveModule::loadLogbookDives(logbook, false, filter)), QList<qint32>({inside}));
}

void tst_DiveModule::previousDivesWindow() {
    const qint32 logbook = addLogbook(QStringLiteral("Elba"), 1);
    const qint32 otherLogbook = addLogbook(QStringLiteral("Giglio"), 1);
    const qint32 justBefore = addDive(logbook, at(15, 10, 29));
    const qint32 dayBefore = addDive(logbook, at(14, 10, 31));
    addDive(logbook, at(14, 10, 30)); // exactly one day: outside
    addDive(logbook, at(15, 10, 31)); // later
    addDive(otherLogbook, at(15, 10, 0));
    // The dive's own seconds do not put it in its own window.
    const qint32 id = addDive(logbook, QDateTime(QDate(2004, 3, 15), QTime(10, 30, 20)));
    const std::shared_ptr<Dive> dive = DiveModule::loadDive(id, false);
    QVERIFY(dive);
    QCOMPARE(keysOf(DiveModule::loadPreviousDives(*dive, false)), QList<qint32>({justBefore, dayBefore}));
}

void tst_DiveModule::previousDive_data() {
    QTest::addColumn<QList<int>>("earlierMinutes");
    QTest::addColumn<int>("expectedMinute"); // -1: none
    QTest::newRow("none") << QList<int>{} << -1;
    QTest::newRow("exactly one") << QList<int>{600} << 600;
    QTest::newRow("two: the newest") << QList<int>{300, 600} << 600;
}

void tst_DiveModule::previousDive() {
    QFETCH(QList<int>, earlierMinutes);
    QFETCH(int, expectedMinute);
    const qint32 logbook = addLogbook(QStringLiteral("Elba"), 1);
    QMap<int, qint32> keys;
    for (int minute : earlierMinutes)
        keys.insert(minute, addDive(logbook, at(15, 0, 0).addSecs(60 * minute), {{"ASCENT_FLAG", 1}}));
    const std::shared_ptr<Dive> dive = DiveModule::loadDive(addDive(logbook, at(15, 18, 0)), false);
    QVERIFY(dive);
    const std::shared_ptr<Dive> previous = DiveModule::getPreviousDive(*dive, false);
    if (expectedMinute < 0) {
        QVERIFY(!previous);
    } else {
        QVERIFY(previous);
        QCOMPARE(previous->diveID(), keys.value(expectedMinute));
        QCOMPARE(previous->getAscent(), qint16(1));
    }
}

void tst_DiveModule::descriptiveFields() {
    const qint32 logbook = addLogbook(QStringLiteral("Elba"), 1);
    const qint32 full = addDive(logbook, at(14, 9, 5),
                                {{"DIVER", "Anna"},
                                 {"LOCATION", "Secca"},
                                 {"POINT", "N42"},
                                 {"INSTRUCTOR", "Bruno"},
                                 {"DIVEMASTER", "Carla"},
                                 {"FRIEND", "Dario, Elena"},
                                 {"ACTIVITY", 4},
                                 {"WEATHER", 2},
                                 {"WETSUIT", 1},
                                 {"AIR_TEMPERATURE", "24"},
                                 {"WEIGHT", "6 kg"},
                                 {"MEMO", "<p>Murene</p>"}});
    const qint32 bare = addDive(logbook, at(14, 12, 0));

    const std::shared_ptr<Dive> dive = DiveModule::loadDive(full, true);
    QVERIFY(dive && dive->diveInfo());
    const diveInfo& info = *dive->diveInfo();
    QCOMPARE(info.diver(), QStringLiteral("Anna"));
    QCOMPARE(info.location(), QStringLiteral("Secca"));
    QCOMPARE(info.point(), QStringLiteral("N42"));
    QCOMPARE(info.instructor(), QStringLiteral("Bruno"));
    QCOMPARE(info.diveMaster(), QStringLiteral("Carla"));
    QCOMPARE(info.friends, QStringLiteral("Dario, Elena"));
    QCOMPARE(info.activity(), qint16(4));
    QCOMPARE(info.weather(), qint16(2));
    QCOMPARE(info.wetsuit(), qint16(1));
    QCOMPARE(info.airTemperature(), QStringLiteral("24"));
    QCOMPARE(info.weight(), QStringLiteral("6 kg"));
    QCOMPARE(info.memo(), QStringLiteral("<p>Murene</p>"));
    QVERIFY(!info.dateTime().isValid());

    const std::shared_ptr<Dive> empty = DiveModule::loadDive(bare, true);
    QVERIFY(empty && empty->diveInfo());
    QCOMPARE(empty->diveInfo()->diver(), QString());
    QCOMPARE(empty->diveInfo()->memo(), QString());
    QVERIFY(!DiveModule::loadDive(bare, false)->diveInfo());
}

void tst_DiveModule::tissuesFollowTheModel_data() {
    QTest::addColumn<int>("model");
    QTest::addColumn<QList<float>>("expected");
    QTest::newRow("model 1: eleven as stored") << 1 << QList<float>{26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 36};
    QTest::newRow("model 8: ten divided by 100")
        << 8 << QList<float>{0.26f, 0.27f, 0.28f, 0.29f, 0.3f, 0.31f, 0.32f, 0.33f, 0.34f, 0.35f};
}

void tst_DiveModule::tissuesFollowTheModel() {
    QFETCH(int, model);
    QFETCH(QList<float>, expected);
    useModel(model);
    Columns columns;
    for (int t = 1; t <= 11; ++t)
        columns.insert(QStringLiteral("TISSUE_%1").arg(t), 25 + t);
    const std::shared_ptr<Dive> dive =
        DiveModule::loadDive(addDive(addLogbook(QStringLiteral("T"), model), at(14, 9, 5), columns), false);
    QVERIFY(dive);
    for (int t = 1; t <= expected.size(); ++t)
        QCOMPARE(dive->getStartTissue(qint16(t)), expected[t - 1]);
}

void tst_DiveModule::tsrFollowsTheModel_data() {
    QTest::addColumn<int>("model");
    QTest::addColumn<float>("tsr");
    QTest::addColumn<int>("personalFactor");
    QTest::newRow("Kobi: personal factor") << 32 << 0.0f << 2;
    QTest::newRow("Lumo Air: surface interval") << 16 << 2.0f << 0;
    QTest::newRow("Zento: not read") << 1 << 0.0f << 0;
}

void tst_DiveModule::tsrFollowsTheModel() {
    QFETCH(int, model);
    QFETCH(float, tsr);
    QFETCH(int, personalFactor);
    useModel(model);
    const std::shared_ptr<Dive> dive =
        DiveModule::loadDive(addDive(addLogbook(QStringLiteral("T"), model), at(14, 9, 5),
                                     {{"TSR", 2}, {"TANK_USE", 18.5}, {"AUTOZERO", 3}}),
                             false);
    QVERIFY(dive);
    QCOMPARE(dive->getTSR(), tsr);
    QCOMPARE(dive->getPersonalFactor(), qint16(personalFactor));
    const bool rgbm = model != 1;
    QCOMPARE(dive->getTankUse(), rgbm ? 18.5f : 0.0f);
    QCOMPARE(dive->getAutozero(), qint16(rgbm ? 3 : 0));
}

void tst_DiveModule::layoutFollowsTheModel() {
    const QString text = QStringLiteral("01230002000000000180"); // one air record, or one scuba record and 4 left
    for (const int model : {1, 8}) {
        useModel(model);
        const std::shared_ptr<Dive> dive = DiveModule::loadDive(
            addDive(addLogbook(QStringLiteral("M%1").arg(model), model), at(14, 9, 5), {{"SAMPLE", text}}), false);
        QVERIFY(dive);
        QCOMPARE(dive->getSamplesCount(), qint16(1));
        QCOMPARE(dive->getSampleDepth(1), 12.3f);
        QCOMPARE(dive->getSampleMisc(1), qint16(model == 8 ? 180 : 0));
        QCOMPARE(dive->SAMPLES(), text);
    }
}

void tst_DiveModule::freeDiveSessionsAreIndependent() {
    useModel(32);
    const qint32 logbook = addLogbook(QStringLiteral("Apnea"), 32);
    const QString withProfile = QStringLiteral("*00500120006000000080004000000*012000200000008000120016");
    const QString withoutProfile = QStringLiteral("012000200000008000120016");
    addDive(logbook, at(14, 9, 0), {{"DIVE_MODE", 2}, {"SAMPLE", withProfile}});
    addDive(logbook, at(14, 10, 0), {{"DIVE_MODE", 2}, {"SAMPLE", withoutProfile}});
    const DiveList dives = DiveModule::loadLogbookDives(logbook, false, QString());
    QCOMPARE(dives.size(), 2);
    // Newest first. Neither session takes the profile string or the maxima of the other.
    const Dive& plain = *dives[0];
    const Dive& profiled = *dives[1];
    QCOMPARE(plain.getSamplesCount(), qint16(5 + 4 + 3));
    QCOMPARE(plain.getSampleDeco(12), qint16(0));
    QCOMPARE(profiled.getSamplesCount(), qint16(9));
    QCOMPARE(profiled.getSampleDeco(9), qint16(120));
    QCOMPARE(profiled.SAMPLES(), withoutProfile);
}

void tst_DiveModule::storedProfileReadsAsText_data() {
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<int>("samples");
    QTest::addColumn<float>("lastDepth");
    QTest::newRow("no profile") << QVariant() << 0 << 0.0f;
    QTest::newRow("empty profile") << QVariant(QString()) << 0 << 0.0f;
    QTest::newRow("two records and a partial one") << QVariant("01230002000000000185000300000001012") << 2 << 18.5f;
    // Characters beyond ASCII are counted as characters: the blank before 123 is a no-break space.
    QTest::newRow("no-break space in a field")
        << QVariant(QStringLiteral("0123000200000000\u00A0123000200000000")) << 2 << 12.3f;
}

void tst_DiveModule::storedProfileReadsAsText() {
    QFETCH(QVariant, stored);
    QFETCH(int, samples);
    QFETCH(float, lastDepth);
    const qint32 logbook = addLogbook(QStringLiteral("Elba"), 1);
    const std::shared_ptr<Dive> dive =
        DiveModule::loadDive(addDive(logbook, at(14, 9, 5), {{"SAMPLE", stored}}), false);
    QVERIFY(dive);
    QCOMPARE(dive->getSamples(), stored.toString());
    QCOMPARE(dive->getSamplesCount(), qint16(samples));
    if (samples > 0)
        QCOMPARE(dive->getSampleDepth(samples), lastDepth);
    QCOMPARE(m_env->fakes.message->shown.size(), 0);
}

void tst_DiveModule::damagedProfileLoadsTheRest() {
    const qint32 logbook = addLogbook(QStringLiteral("Elba"), 1);
    addDive(logbook, at(14, 9, 0), {{"SAMPLE", "0100000100000000"}});
    const qint32 damaged = addDive(logbook, at(15, 9, 0), {{"SAMPLE", "01000001000000000X00000100000000"}});
    addDive(logbook, at(16, 9, 0), {{"SAMPLE", "0100000100000000"}});

    const DiveList dives = DiveModule::loadLogbookDives(logbook, false, QString());
    QCOMPARE(dives.size(), 3);
    QCOMPARE(dives[1]->diveID(), damaged);
    QCOMPARE(dives[1]->getSamplesCount(), qint16(1)); // the samples before the damage
    QCOMPARE(dives[0]->getSamplesCount(), qint16(1));
    QCOMPARE(dives[2]->getSamplesCount(), qint16(1));
    QCOMPARE(m_env->fakes.message->shown.size(), 1);
    QVERIFY(m_env->fakes.message->shown[0].text.contains(QStringLiteral("Dive %1 ").arg(damaged)));

    // Loading it again, alone or with its logbook, does not say it again.
    QVERIFY(DiveModule::loadDive(damaged, false));
    DiveModule::loadLogbookDives(logbook, false, QString());
    QCOMPARE(m_env->fakes.message->shown.size(), 1);
}

void tst_DiveModule::nullNumbersReadAsZero() {
    // Files of older versions hold NULL where a writer left a value unset.
    SqlScript::createDatabase(m_env->folder() + QStringLiteral("old.mdb"),
                              SqlScript::readFile(QStringLiteral(SONA_FIXTURES_DIR "/db_2_1.sql")));
    Settings::instance().setDbFileName(QStringLiteral("old.mdb"));
    const std::shared_ptr<Dive> dive = DiveModule::loadDive(2, true);
    QVERIFY(dive);
    QCOMPARE(dive->getDiveTime(), qint16(0));
    QCOMPARE(dive->getMaxDepth(), 10.0f);
    QCOMPARE(dive->diveInfo()->activity(), qint16(-1));
    QCOMPARE(dive->getSamplesCount(), qint16(0));
}

void tst_DiveModule::damagedRowsHideNothing_data() {
    QTest::addColumn<QString>("column");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<int>("model");
    QTest::newRow("letters in a number") << "DIVE_TIME" << QVariant("4x") << 1;
    QTest::newRow("dive time beyond 16 bits") << "DIVE_TIME" << QVariant(99999) << 1;
    QTest::newRow("text in a temperature") << "MIN_TEMP" << QVariant("cold") << 1;
    QTest::newRow("temperature beyond 16 bits") << "MIN_TEMP" << QVariant(40000) << 1;
    QTest::newRow("letters in a tissue") << "TISSUE_3" << QVariant("abc") << 1;
    QTest::newRow("letters in an RGBM tissue") << "TISSUE_3" << QVariant("abc") << 8;
    QTest::newRow("letters in a tank column") << "TANK_USE" << QVariant("lots") << 8;
    QTest::newRow("personal factor beyond 16 bits") << "TSR" << QVariant(1e6) << 32;
    QTest::newRow("not a date") << "DATETIME" << QVariant("yesterday") << 1;
    QTest::newRow("no date") << "DATETIME" << QVariant() << 1;
    QTest::newRow("activity beyond 16 bits") << "ACTIVITY" << QVariant(70000) << 1;
}

void tst_DiveModule::damagedRowsHideNothing() {
    QFETCH(QString, column);
    QFETCH(QVariant, value);
    QFETCH(int, model);
    useModel(model);
    const qint32 logbook = addLogbook(QStringLiteral("Elba"), model);
    const qint32 before = addDive(logbook, at(13, 9, 5), {{"MIN_TEMP", 18}});
    const qint32 damaged = addDive(logbook, at(14, 9, 5), {{"MIN_TEMP", 17}, {"DIVE_TIME", 41}});
    const qint32 after = addDive(logbook, at(15, 9, 5), {{"MIN_TEMP", 16}});
    database().execute(QStringLiteral("UPDATE DIVE SET %1 = ? WHERE DIVE_ID = ?").arg(column), {value, damaged});

    m_env->fakes.message->answers << Msg::Ok; // the report of the damage
    const DiveList dives = DiveModule::loadLogbookDives(logbook, true, QString());
    QHash<qint32, std::shared_ptr<Dive>> byKey;
    for (const auto& d : dives)
        byKey.insert(d->diveID(), d);
    QCOMPARE(byKey.size(), 3);
    QCOMPARE(byKey[after]->getMinTemperature(), qint16(16));
    QCOMPARE(byKey[before]->getMinTemperature(), qint16(18));
    const Dive& dive = *byKey[damaged];
    // The damaged field reads as empty, the rest of the row as stored.
    if (column == QLatin1String("DATETIME")) {
        QVERIFY(!dive.getDateTime().isValid());
    } else {
        QCOMPARE(dive.getDateTime(), at(14, 9, 5));
        QCOMPARE(dive.getDiveTime(), qint16(column == QLatin1String("DIVE_TIME") ? 0 : 41));
        QCOMPARE(dive.getMinTemperature(), qint16(column == QLatin1String("MIN_TEMP") ? 0 : 17));
    }
    QCOMPARE(m_env->fakes.message->shown.size(), 1);
    const QString report = m_env->fakes.message->shown[0].text;
    QVERIFY2(report.contains(QStringLiteral("Dive %1 ").arg(damaged)) && report.contains(column), qPrintable(report));

    // Once is enough, whoever loads it next.
    QVERIFY(DiveModule::loadDive(damaged, true));
    QCOMPARE(m_env->fakes.message->shown.size(), 1);
}

void tst_DiveModule::logbookOfUnknownModelFails() {
    const qint32 logbook = addLogbook(QStringLiteral("Elba"), 1);
    const qint32 id = addDive(logbook, at(14, 9, 5));
    database().execute(QStringLiteral("UPDATE FILE SET DIVE_MODEL = 3"));
    QCOMPARE(errorOf([&] { DiveModule::loadDive(id, false); }), int(RuntimeError::InvalidArgument));
}

void tst_DiveModule::startsAreWallClock_data() {
    QTest::addColumn<QByteArray>("zone");
    QTest::addColumn<QDateTime>("start");
    const auto wall = [](int y, int m, int d, int h, int min) {
        return QDateTime(QDate(y, m, d), QTime(h, min), Qt::UTC);
    };
    QTest::newRow("hour skipped in Rome") << QByteArray("Europe/Rome") << wall(2004, 3, 28, 2, 30);
    QTest::newRow("hour repeated in Rome") << QByteArray("Europe/Rome") << wall(2004, 10, 31, 2, 30);
    QTest::newRow("hour skipped in New York") << QByteArray("America/New_York") << wall(2004, 4, 4, 2, 15);
    QTest::newRow("half hour skipped on Lord Howe") << QByteArray("Australia/Lord_Howe") << wall(2004, 10, 31, 2, 10);
    QTest::newRow("hour skipped in Sydney") << QByteArray("Australia/Sydney") << wall(2004, 10, 31, 2, 45);
    QTest::newRow("no change in UTC") << QByteArray("UTC") << wall(2004, 3, 28, 2, 30);
}

// Run in a child process per zone: the process's time zone is fixed at its start.
void tst_DiveModule::startsAreWallClock() {
    QFETCH(QByteArray, zone);
    QFETCH(QDateTime, start);
    if (qgetenv("TZ") != zone) {
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("TZ"), QString::fromLatin1(zone));
        child.setProcessEnvironment(environment);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("startsAreWallClock:") + QString::fromLatin1(QTest::currentDataTag())});
        QVERIFY(child.waitForFinished(60000));
        QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0,
                 child.readAllStandardOutput().constData());
        return;
    }
    const qint32 logbook = addLogbook(QStringLiteral("Elba"), 1);
    addDive(logbook, start.addDays(-1), {{"MIN_TEMP", 18}});
    const qint32 id = addDive(logbook, start, {{"MIN_TEMP", 17}});
    addDive(logbook, start.addSecs(600), {{"MIN_TEMP", 16}});
    QCOMPARE(fixtureColumn(id, "DATETIME").toString(), start.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));

    const DiveList dives = DiveModule::loadLogbookDives(logbook, false, QString());
    QCOMPARE(dives.size(), 3);
    QCOMPARE(dives[1]->getDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")),
             start.toString(QStringLiteral("yyyy-MM-dd HH:mm")));
    // The 24 hours before it are counted on the clock, not across a changed offset.
    const DiveList previous = DiveModule::loadPreviousDives(*dives[0], false);
    QCOMPARE(keysOf(previous), QList<qint32>({id}));
    QCOMPARE(m_env->fakes.message->shown.size(), 0);
}

void tst_DiveModule::missingDatabase() {
    const QString path = m_env->folder() + QStringLiteral("elsewhere.mdb");
    Settings::instance().setDbFileName(QStringLiteral("elsewhere.mdb"));
    QString description;
    QCOMPARE(errorOf([&] { DiveModule::loadDive(1, false); }, &description), DbError::FileNotFound);
    QVERIFY(description.contains(path));
    QCOMPARE(errorOf([&] { DiveModule::logbookExists(QStringLiteral("Elba")); }), DbError::FileNotFound);
    QVERIFY(!QFileInfo::exists(path));
}

void tst_DiveModule::logbookExists_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("exists");
    QTest::newRow("same") << "Mar Rosso" << true;
    QTest::newRow("other case") << "MAR rosso" << true;
    QTest::newRow("accented letters, other case") << "CITTÀ DI CASTELLO" << true;
    QTest::newRow("Greek, other case") << "ΚΡΉΤΗ" << true;
    QTest::newRow("trailing blank is another name") << "Mar Rosso " << false;
    QTest::newRow("name of another model only") << "Tavex book" << false;
    QTest::newRow("quote is just a character") << "O'Brien" << false;
    QTest::newRow("unknown") << "Elba" << false;
}

void tst_DiveModule::logbookExists() {
    QFETCH(QString, name);
    QFETCH(bool, exists);
    addLogbook(QStringLiteral("Mar Rosso"), 1);
    addLogbook(QStringLiteral("Città di Castello"), 1);
    addLogbook(QStringLiteral("Κρήτη"), 1);
    addLogbook(QStringLiteral("Tavex book"), 8);
    QCOMPARE(DiveModule::logbookExists(name), exists);
}

void tst_DiveModule::hasInvalidChars_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("invalid");
    QTest::newRow("empty") << "" << false;
    QTest::newRow("letters digits blanks") << "Elba 2004" << false;
    QTest::newRow("percent") << "50%" << true;
    QTest::newRow("ampersand") << "Tom & Jerry" << true;
    QTest::newRow("quote") << "O'Brien" << true;
    QTest::newRow("star alone") << "*" << true;
}

void tst_DiveModule::hasInvalidChars() {
    QFETCH(QString, name);
    QFETCH(bool, invalid);
    QCOMPARE(DiveModule::hasInvalidChars(name), invalid);
}

QTEST_GUILESS_MAIN(tst_DiveModule)
#include "tst_divemodule.moc"
