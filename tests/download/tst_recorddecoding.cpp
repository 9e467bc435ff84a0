#include "DownloadDriver.h"
#include "FakeDownload.h"
#include "RecordFixtures.h"
#include "RuntimeError.h"
#include "Settings.h"
#include "TestEnvironment.h"
#include "diveFreeInfo.h"

#include <QtTest>
#include <functional>

using fixtures::Values;

// Each driver's first store pass: the records of a transfer turned into dives.
class tst_RecordDecoding : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void headerFields_data();
    void headerFields();
    void zentoDivesFollowEachOther();
    void tavexDivesFollowEachOther();
    void kobiSessionAndScuba();
    void kobiProfileOwner_data();
    void kobiProfileOwner();
    void startDateTime_data();
    void startDateTime();
    void refusedRecords_data();
    void refusedRecords();
    void damagedSessionIsLeftOut_data();
    void damagedSessionIsLeftOut();

private:
    // Runs a transfer of `records` through the model's driver.
    void transfer(qint32 model, const QList<qint32>& records);
    // The same, then decodes every record counted.
    std::vector<Dive> decode(qint32 model, const QList<qint32>& records);

    std::unique_ptr<TestEnvironment> env;
    std::unique_ptr<FakeDownloadWorld> world;
    std::unique_ptr<DownloadDriver> driver;
};

void tst_RecordDecoding::init() {
    env = std::make_unique<TestEnvironment>();
    // These cases read every box they get from the message list.
    env->fakes.message->failOnUnexpected = false;
    world = std::make_unique<FakeDownloadWorld>();
    Settings::instance().setCurrentLanguage(Settings::LANG_ENGLISH);
}

void tst_RecordDecoding::cleanup() {
    driver.reset();
    world.reset();
    env.reset();
}

void tst_RecordDecoding::transfer(qint32 model, const QList<qint32>& records) {
    Settings::instance().setCurrentDiveComputer(model);
    world->zento->records = records;
    world->b330->records = records;
    world->b770->records = records;
    driver = DownloadDriver::create(model);
    if (!driver->downloadProfiles(world->progress))
        throw RuntimeError(0, QStringLiteral("test"), QStringLiteral("transfer refused"));
}

std::vector<Dive> tst_RecordDecoding::decode(qint32 model, const QList<qint32>& records) {
    transfer(model, records);
    return driver->decodeProfiles(driver->getDiveImm(), world->progress);
}

void tst_RecordDecoding::headerFields_data() {
    QTest::addColumn<qint32>("model");
    QTest::addColumn<int>("samples");
    QTest::addColumn<Values>("values");
    QTest::addColumn<QString>("field");
    QTest::addColumn<double>("expected");

    QTest::newRow("zento dive time 100 thirds") << 1 << 0 << Values{{5, 100}} << "diveTime" << 33.0;
    QTest::newRow("zento dive time 101 thirds") << 1 << 0 << Values{{5, 101}} << "diveTime" << 34.0;
    QTest::newRow("zento max depth") << 2 << 0 << Values{{6, 123}} << "maxDepth" << 12.3;
    QTest::newRow("zento temperature 255") << 1 << 0 << Values{{7, 255}} << "minTemperature" << -1.0;
    QTest::newRow("zento temperature 127") << 1 << 0 << Values{{7, 127}} << "minTemperature" << 127.0;
    QTest::newRow("zento temperature 128") << 1 << 0 << Values{{7, 128}} << "minTemperature" << -128.0;
    QTest::newRow("zento ppo2") << 4 << 0 << Values{{29, 14}} << "ppo2" << 1.4;
    QTest::newRow("zento code 1 tissue") << 1 << 0 << Values{{40, 5000}} << "tissue1" << 33.0;
    QTest::newRow("zento code 1 eleventh tissue") << 1 << 0 << Values{{50, 2500}} << "tissue11" << 16.5;
    QTest::newRow("zento code 4 tissue") << 4 << 0 << Values{{40, 5000}} << "tissue1" << 1.0;
    QTest::newRow("zento code 4 deep stop 1") << 4 << 0 << Values{{39, 3}, {50, 770}} << "deepStop1" << 3.0;
    QTest::newRow("zento code 4 deep stop 2") << 4 << 0 << Values{{39, 3}, {50, 770}} << "deepStop2" << 2.0;
    QTest::newRow("zento code 4 autozero") << 4 << 0 << Values{{8, 5}} << "autozero" << 5.0;
    QTest::newRow("zento code 1 no deep stop") << 1 << 0 << Values{{39, 3}, {50, 770}} << "deepStop2" << 0.0;
    QTest::newRow("zento code 2 no autozero") << 2 << 0 << Values{{8, 5}} << "autozero" << 0.0;
    QTest::newRow("zento code 1 no mean depth") << 1 << 0 << Values{{18, 7}} << "depthMean" << 0.0;
    QTest::newRow("zento nitrox mix") << 1 << 0 << Values{{21, 1}, {28, 32}} << "nitrox" << 32.0;

    QTest::newRow("tavex ppo2") << 8 << 0 << Values{{29, 14}} << "ppo2" << 1.4;
    QTest::newRow("tavex tissue") << 8 << 0 << Values{{40, 5000}} << "tissue1" << 1.0;
    QTest::newRow("tavex deep stop 2 as delivered") << 8 << 0 << Values{{39, 3}, {50, 770}} << "deepStop2" << 770.0;
    QTest::newRow("tavex tank pressure kept") << 8 << 0 << Values{{33, 65535}} << "tankPressure" << 65535.0;
    QTest::newRow("tavex start tank pressure") << 16 << 0 << Values{{35, 200}} << "startTankPressure" << 200.0;
    QTest::newRow("tavex air time") << 16 << 0 << Values{{13, 45}} << "airTime" << 45.0;
    QTest::newRow("lumo air temperature 128") << 16 << 0 << Values{{7, 128}} << "minTemperature" << -128.0;
    QTest::newRow("tavex dive time 101 thirds") << 8 << 0 << Values{{5, 101}} << "diveTime" << 34.0;

    QTest::newRow("kobi no samples") << 32 << 0 << Values{} << "diveTime" << 0.0;
    QTest::newRow("kobi 1 sample") << 32 << 1 << Values{} << "diveTime" << 0.0;
    QTest::newRow("kobi 2 samples") << 32 << 2 << Values{} << "diveTime" << 1.0;
    QTest::newRow("kobi 10 samples") << 32 << 10 << Values{} << "diveTime" << 3.0;
    QTest::newRow("kobi 11 samples") << 32 << 11 << Values{} << "diveTime" << 4.0;
    QTest::newRow("kobi temperature 255") << 32 << 0 << Values{{8, 255}} << "minTemperature" << -1.0;
    QTest::newRow("kobi deep stops 83: first") << 32 << 0 << Values{{28, 83}} << "deepStop1" << 3.0;
    QTest::newRow("kobi deep stops 83: second") << 32 << 0 << Values{{28, 83}} << "deepStop2" << 5.0;
    QTest::newRow("kobi deep stops 15: second") << 32 << 0 << Values{{28, 15}} << "deepStop2" << 0.0;
    QTest::newRow("kobi deep stops -1: first") << 32 << 0 << Values{{28, -1}} << "deepStop1" << 15.0;
    QTest::newRow("kobi deep stops -1: second") << 32 << 0 << Values{{28, -1}} << "deepStop2" << -1.0;
    QTest::newRow("kobi tissue") << 32 << 0 << Values{{29, 7845}} << "tissue1" << 7845 / 7845.28;
    QTest::newRow("kobi personal factor") << 32 << 0 << Values{{13, 3}} << "personalFactor" << 3.0;
    QTest::newRow("kobi ppo2") << 32 << 0 << Values{{22, 16}} << "ppo2" << 1.6;
    QTest::newRow("kobi vRis rate") << 32 << 0 << Values{{11, 12}} << "vRis" << 12.0;
}

void tst_RecordDecoding::headerFields() {
    QFETCH(qint32, model);
    QFETCH(int, samples);
    QFETCH(Values, values);
    QFETCH(QString, field);
    QFETCH(double, expected);

    const QHash<QString, std::function<double(const Dive&)>> fields{
        {"diveTime", [](const Dive& d) { return d.getDiveTime(); }},
        {"maxDepth", [](const Dive& d) { return d.getMaxDepth(); }},
        {"minTemperature", [](const Dive& d) { return d.getMinTemperature(); }},
        {"ppo2", [](const Dive& d) { return d.getPPO2(); }},
        {"tissue1", [](const Dive& d) { return d.getStartTissue(1); }},
        {"tissue11", [](const Dive& d) { return d.getStartTissue(11); }},
        {"deepStop1", [](const Dive& d) { return d.getDeepStop1(); }},
        {"deepStop2", [](const Dive& d) { return d.getDeepStop2(); }},
        {"autozero", [](const Dive& d) { return d.getAutozero(); }},
        {"depthMean", [](const Dive& d) { return d.getDepthMean(); }},
        {"nitrox", [](const Dive& d) { return d.getNitroxMixture(); }},
        {"tankPressure", [](const Dive& d) { return d.getTankPressure(); }},
        {"startTankPressure", [](const Dive& d) { return d.getStartTankPressure(); }},
        {"airTime", [](const Dive& d) { return d.getAirTime(); }},
        {"personalFactor", [](const Dive& d) { return d.getPersonalFactor(); }},
        {"vRis", [](const Dive& d) { return d.getVRis(); }},
    };
    QVERIFY(fields.contains(field));

    QList<qint32> records = model == 32 ? fixtures::kobiScuba(samples, values) : fixtures::header52(samples, values);
    const std::vector<Dive> dives = decode(model, records);
    QCOMPARE(dives.size(), size_t(1));
    QCOMPARE(dives[0].diveComputer(), model);
    QVERIFY2(qAbs(fields[field](dives[0]) - expected) < 1e-5, qPrintable(QString::number(fields[field](dives[0]))));
}

void tst_RecordDecoding::zentoDivesFollowEachOther() {
    QList<qint32> records = fixtures::header52(3);
    records << 123 << 2 << 0 << 15 << 200 << 3 << 1 << 16 << 150 << 1 << 0 << 0;
    records << fixtures::header52(0, {{2, 11}});
    QCOMPARE(records.size(), 116);
    records << 0 << 99 << 99; // the end of the list, and what lies beyond it

    const std::vector<Dive> dives = decode(1, records);
    QCOMPARE(dives.size(), size_t(2));
    QCOMPARE(dives[0].getSamplesCount(), qint16(3));
    QCOMPARE(dives[0].getSampleDepth(1), 12.3f);
    QCOMPARE(dives[0].getSampleVRis(1), qint16(2));
    QCOMPARE(dives[0].getSampleDeco(1), qint16(15));
    QCOMPARE(dives[0].getSampleDecoStop(2), qint16(1));
    QCOMPARE(dives[0].getSampleMisc(3), qint16(0));
    QCOMPARE(dives[0].getDateTime(), QDateTime(QDate(2024, 5, 10), QTime(9, 30)));
    QCOMPARE(dives[1].getSamplesCount(), qint16(0));
    QCOMPARE(dives[1].getDateTime(), QDateTime(QDate(2024, 5, 11), QTime(9, 30)));
}

void tst_RecordDecoding::tavexDivesFollowEachOther() {
    QList<qint32> records = fixtures::header52(10, {{33, 180}});
    for (int s = 0; s < 10; ++s)
        records << 123 << 2 << 0 << 0 << 180 - s;
    QCOMPARE(records.size(), 102);
    records << fixtures::header52(3, {{3, 14}});
    for (int s = 0; s < 3; ++s)
        records << 50 << 1 << 0 << 0 << 90;
    records << 0;

    const std::vector<Dive> dives = decode(8, records);
    QCOMPARE(dives.size(), size_t(2));
    QCOMPARE(dives[0].getSamplesCount(), qint16(10));
    QCOMPARE(dives[0].getSampleMisc(1), qint16(180));
    QCOMPARE(dives[0].getSampleMisc(10), qint16(171));
    QCOMPARE(dives[1].getDateTime(), QDateTime(QDate(2024, 5, 10), QTime(14, 30)));
    QCOMPARE(dives[1].getSamplesCount(), qint16(3));
    QCOMPARE(dives[1].getSampleMisc(3), qint16(90));
}

void tst_RecordDecoding::kobiSessionAndScuba() {
    QList<qint32> records = fixtures::kobiSession(2, {{7, 215},
                                                      {8, 200},
                                                      {11, 3},
                                                      {12, 20},
                                                      {13, 1},
                                                      {14, 1},
                                                      {15, 5},
                                                      {16, 1},
                                                      {17, 30},
                                                      {18, 1},
                                                      {19, 2},
                                                      {20, 0},
                                                      {21, 1},
                                                      {22, 25}});
    records[23] = 123; // the first free dive: 12.3 m, 1 min 15 s under water, 2 min 30 s at the surface
    records[24] = 15;
    records[25] = 1;
    records[26] = 30;
    records[27] = 2;
    QCOMPARE(records.size(), 23 + 5 * 2);
    records << fixtures::kobiScuba(2, {{5, 45}});

    const std::vector<Dive> dives = decode(32, records);
    QCOMPARE(dives.size(), size_t(2));
    const Dive& session = dives[0];
    QCOMPARE(session.getDiveMode(), 2);
    QCOMPARE(session.getDiveTime(), qint16(2));
    QCOMPARE(session.getMaxDepth(), 21.5f);
    QCOMPARE(session.getMinTemperature(), qint16(-56));
    QCOMPARE(session.getSamplesCount(), qint16(0));
    const std::shared_ptr<diveFreeInfo> info = session.diveFreeInfo();
    QVERIFY(info);
    QCOMPARE(info->sessionTime(), qint16(200));
    QCOMPARE(info->surfTimeAlarmValue(), qint16(65));
    QCOMPARE(info->maxDepthAlarmValue(), 30.0f);
    QCOMPARE(info->diveTimeAlarmValue(), qint16(120));
    QCOMPARE(info->alDepthValue(), 25.0f);
    QCOMPARE(info->getSamplesCount(), qint16(2));
    QCOMPARE(info->getFreeDiveMaxDepth(1), 12.3f);
    QCOMPARE(info->getFreeDiveDiveTime(1), qint16(75));
    QCOMPARE(info->getFreeDiveSurfTime(1), qint16(150));
    QVERIFY(!info->hasProfileFree());

    const Dive& scuba = dives[1];
    QCOMPARE(scuba.getDiveMode(), 0);
    QCOMPARE(scuba.getDateTime(), QDateTime(QDate(2024, 5, 10), QTime(9, 45)));
    QCOMPARE(scuba.getSamplesCount(), qint16(2));
    QCOMPARE(scuba.getSampleDepth(2), 10.1f);
    QVERIFY(!scuba.diveFreeInfo());
}

void tst_RecordDecoding::kobiProfileOwner_data() {
    QTest::addColumn<qint32>("owner");
    QTest::addColumn<QList<qint32>>("profile");
    QTest::addColumn<int>("withProfile");
    QTest::addColumn<QString>("profileText");
    QTest::newRow("first session") << 1 << QList<qint32>{50, 120, 0} << 0 << "*005001200000*";
    QTest::newRow("second session") << 3 << QList<qint32>{50, 120, 0} << 2 << "*005001200000*";
    QTest::newRow("a scuba record") << 2 << QList<qint32>{50, 120, 0} << -1 << "";
    QTest::newRow("no record") << 0 << QList<qint32>{50, 120, 0} << -1 << "";
    QTest::newRow("empty profile") << 1 << QList<qint32>{} << 0 << "*0000*";
}

void tst_RecordDecoding::kobiProfileOwner() {
    QFETCH(qint32, owner);
    QFETCH(QList<qint32>, profile);
    QFETCH(int, withProfile);
    QFETCH(QString, profileText);

    world->b770->info = QList<qint32>(13, 0);
    world->b770->info[12] = owner;
    world->b770->freeProfile = profile;
    const std::vector<Dive> dives =
        decode(32, fixtures::kobiSession(1) + fixtures::kobiScuba(1) + fixtures::kobiSession(1, {{5, 40}}));
    QCOMPARE(dives.size(), size_t(3));
    for (int i : {0, 2}) {
        const std::shared_ptr<diveFreeInfo> info = dives[size_t(i)].diveFreeInfo();
        QCOMPARE(info->hasProfileFree(), i == withProfile);
        if (i == withProfile)
            QCOMPARE(info->getProfileFreeDB(), profileText);
    }
}

void tst_RecordDecoding::startDateTime_data() {
    QTest::addColumn<qint32>("model");
    QTest::addColumn<QList<qint32>>("fields"); // year, month, day, hour, minute
    QTest::addColumn<QDateTime>("expected");
    QTest::newRow("plain") << 1 << QList<qint32>{2024, 5, 10, 9, 5} << QDateTime(QDate(2024, 5, 10), QTime(9, 5));
    QTest::newRow("month 13 carries") << 1 << QList<qint32>{2024, 13, 2, 0, 0}
                                      << QDateTime(QDate(2025, 1, 2), QTime(0, 0));
    QTest::newRow("day 32 carries") << 8 << QList<qint32>{2024, 5, 32, 23, 59}
                                    << QDateTime(QDate(2024, 6, 1), QTime(23, 59));
    QTest::newRow("day 0 reaches back") << 8 << QList<qint32>{2024, 5, 0, 12, 0}
                                        << QDateTime(QDate(2024, 4, 30), QTime(12, 0));
    QTest::newRow("month 0 reaches back")
        << 4 << QList<qint32>{2024, 0, 15, 12, 0} << QDateTime(QDate(2023, 12, 15), QTime(12, 0));
    QTest::newRow("kobi year 24") << 32 << QList<qint32>{24, 5, 10, 9, 5} << QDateTime(QDate(2024, 5, 10), QTime(9, 5));
    QTest::newRow("kobi year 99") << 32 << QList<qint32>{99, 12, 31, 23, 0}
                                  << QDateTime(QDate(1999, 12, 31), QTime(23, 0));
    QTest::newRow("hour 24 refused") << 1 << QList<qint32>{2024, 5, 10, 24, 0} << QDateTime();
    QTest::newRow("minute 60 refused") << 8 << QList<qint32>{2024, 5, 10, 9, 60} << QDateTime();
    QTest::newRow("kobi negative hour refused") << 32 << QList<qint32>{24, 5, 10, -1, 0} << QDateTime();
}

void tst_RecordDecoding::startDateTime() {
    QFETCH(qint32, model);
    QFETCH(QList<qint32>, fields);
    QFETCH(QDateTime, expected);

    QList<qint32> records = model == 32 ? fixtures::kobiScuba(0) : fixtures::header52(0);
    const int first = model == 32 ? 1 : 0;
    for (int i = 0; i < 5; ++i)
        records[first + i] = fields[i];
    try {
        const std::vector<Dive> dives = decode(model, records);
        QVERIFY(expected.isValid());
        QCOMPARE(dives[0].getDateTime(), expected);
    } catch (const RuntimeError& e) {
        QVERIFY2(!expected.isValid(), qPrintable(e.description()));
        QCOMPARE(e.number(), RuntimeError::TypeMismatch);
    }
}

void tst_RecordDecoding::refusedRecords_data() {
    QTest::addColumn<qint32>("model");
    QTest::addColumn<QList<qint32>>("records");
    QTest::addColumn<qint16>("nDives");
    QTest::addColumn<qint32>("error");

    QTest::newRow("zento: more dives than records")
        << 1 << fixtures::header52(0) << qint16(600) << RuntimeError::SubscriptOutOfRange;
    QTest::newRow("zento: water beyond 16 bits")
        << 1 << fixtures::header52(0, {{9, 70000}}) << qint16(1) << RuntimeError::Overflow;
    QTest::newRow("tavex: tank volume beyond a byte")
        << 8 << fixtures::header52(0, {{32, 300}}) << qint16(1) << RuntimeError::Overflow;
    QTest::newRow("kobi: more dives than records")
        << 32 << fixtures::kobiScuba(1) << qint16(2) << RuntimeError::SubscriptOutOfRange;
}

void tst_RecordDecoding::refusedRecords() {
    QFETCH(qint32, model);
    QFETCH(QList<qint32>, records);
    QFETCH(qint16, nDives);
    QFETCH(qint32, error);

    transfer(model, records);
    try {
        driver->decodeProfiles(nDives, world->progress);
        QFAIL("decoded");
    } catch (const RuntimeError& e) {
        QCOMPARE(e.number(), error);
    }
}

void tst_RecordDecoding::damagedSessionIsLeftOut_data() {
    QTest::addColumn<QList<qint32>>("session");
    QTest::newRow("session time beyond 16 bits") << fixtures::kobiSession(0, {{11, 600}});
    // Minutes times 60 beyond 32 bits, brought back into range by the seconds.
    QTest::newRow("session minutes beyond 32 bits")
        << fixtures::kobiSession(0, {{11, 35791395}, {12, -2147483647 - 1}});
    QTest::newRow("dive-time alarm minutes beyond 32 bits")
        << fixtures::kobiSession(0, {{19, 35791395}, {20, -2147483647 - 1}});
    QList<qint32> longFreeDive = fixtures::kobiSession(2);
    longFreeDive[23 + 2] = 600; // 600 minutes under water
    QTest::newRow("free dive time beyond 16 bits") << longFreeDive;
}

// The session alone is left out; the records before and after it are decoded as they stand.
void tst_RecordDecoding::damagedSessionIsLeftOut() {
    QFETCH(QList<qint32>, session);
    const QList<qint32> records = fixtures::kobiScuba(1, {{1, 20}}) + session + fixtures::kobiScuba(1, {{1, 26}});
    const std::vector<Dive> dives = decode(32, records);
    QCOMPARE(dives.size(), size_t(2));
    QCOMPARE(dives[0].getDateTime().date(), QDate(2020, 5, 10));
    QCOMPARE(dives[1].getDateTime().date(), QDate(2026, 5, 10));
    QCOMPARE(driver->leftOut(), QList<QDateTime>{QDateTime(QDate(2024, 5, 10), QTime(10, 15))});
}

QTEST_GUILESS_MAIN(tst_RecordDecoding)
#include "tst_recorddecoding.moc"
