#include "DownloadDriver.h"
#include "DownloadKOBI.h"
#include "DownloadZento.h"
#include "FakeDownload.h"
#include "MainModule.h"
#include "RecordFixtures.h"
#include "Settings.h"
#include "TestEnvironment.h"

#include <QtTest>

// One transfer through each driver: the calls it makes of its library, what it tells the user,
// how it counts the records and how it refuses what it cannot take.
class tst_DownloadSession : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void callingOrder_data();
    void callingOrder();
    void versionRule_data();
    void versionRule();
    void fetchResult_data();
    void fetchResult();
    void refusedBeforeTheTransfer_data();
    void refusedBeforeTheTransfer();
    void confirmationCancelled_data();
    void confirmationCancelled();
    void missingLibraryFunction();
    void kobiAbort();
    void kobiStoppedAfterFailure();
    void noDives_data();
    void noDives();
    void counting_data();
    void counting();

private:
    FakeLibraryScript& script(qint32 model);
    QStringList messages() const;

    std::unique_ptr<TestEnvironment> env;
    std::unique_ptr<FakeDownloadWorld> world;
};

namespace {
const QString serialPortBox = QStringLiteral("Error accessing serial port. Try to reinstall the SONA program.");
const QString kobiSerialPortBox = QStringLiteral("Error accessing serial port or downloading. Retry the previous "
                                                 "operation. If the problem persists reinstall the SONA program.");
} // namespace

void tst_DownloadSession::init() {
    env = std::make_unique<TestEnvironment>();
    // These cases read every box they get from the message list.
    env->fakes.message->failOnUnexpected = false;
    world = std::make_unique<FakeDownloadWorld>();
    Settings::instance().setCurrentLanguage(Settings::LANG_ENGLISH);
    Settings::instance().setComPort(3);
    const QList<qint32> dive = fixtures::header52(0);
    world->zento->records = dive;
    world->b330->records = dive;
    world->b770->records = fixtures::kobiScuba(1);
    world->b770->info = QList<qint32>(13, 0);
}

void tst_DownloadSession::cleanup() {
    world.reset();
    env.reset();
}

FakeLibraryScript& tst_DownloadSession::script(qint32 model) {
    if (model == 32)
        return *world->b770;
    if (model >= 8)
        return *world->b330;
    return *world->zento;
}

QStringList tst_DownloadSession::messages() const {
    QStringList texts;
    for (const ShownMessage& m : env->fakes.message->shown)
        texts << m.text;
    return texts;
}

void tst_DownloadSession::callingOrder_data() {
    QTest::addColumn<qint32>("model");
    QTest::addColumn<QStringList>("calls");
    const QStringList poll{"getDownloadStatus", "getProgress"};
    const QStringList zento = QStringList{"getVersion", "getDownloadStatus", "startDownload(3)"} + poll + poll + poll +
                              QStringList{"getDownloadStatus", "downloadProfile(4,30000)"};
    QTest::newRow("zento") << 1 << zento;
    QTest::newRow("zento rgbm") << 4 << zento;
    QStringList tavex = zento;
    tavex.last() = "downloadProfile(7,30000)";
    QTest::newRow("tavex") << 8 << tavex;
    QTest::newRow("lumo air") << 16 << tavex;
    QTest::newRow("kobi") << 32
                          << QStringList{"getVersion", "getDownloadStatus", "EsisteSeriale(3)", "startDownload(3)"} +
                                 poll + poll + poll +
                                 QStringList{"getDownloadStatus", "DimensioneProfili", "DimensioneFree",
                                             "downloadProfile(13,43,0)", "stopDownload"};
}

void tst_DownloadSession::callingOrder() {
    QFETCH(qint32, model);
    QFETCH(QStringList, calls);
    Settings::instance().setCurrentDiveComputer(model);
    if (model == 32)
        env->fakes.message->answers << Msg::Ok; // the prompt to start the device

    auto driver = DownloadDriver::create(model);
    QVERIFY(driver->downloadProfiles(world->progress));
    QCOMPARE(script(model).calls, calls);
    QCOMPARE(driver->getDiveImm(), qint16(1));
    QCOMPARE(world->confirm.shown, 1);
    QCOMPARE(world->progress.max(), 101);
    QCOMPARE(world->progress.values, (QList<int>{34, 67, 101}));
    QVERIFY(!env->fakes.busyPointer->busy);
    QCOMPARE(env->fakes.events->calls, 3);
    if (model == 32) {
        QCOMPARE(messages(), QStringList{getString(3045)});
        QCOMPARE(env->fakes.message->shown[0].flags, Msg::Information);
        QCOMPARE(env->fakes.message->shown[0].title, QStringLiteral("Information"));
        QVERIFY(static_cast<DownloadKOBI*>(driver.get())->bAbortDownload);
    } else {
        QCOMPARE(env->fakes.message->shown.size(), 0);
    }
}

void tst_DownloadSession::versionRule_data() {
    QTest::addColumn<qint32>("model");
    QTest::addColumn<qint32>("version");
    QTest::addColumn<QString>("refusal");
    QTest::newRow("zento 103") << 1 << 103 << "Dll Version Error. Must be 104 or greater.";
    QTest::newRow("zento 104") << 1 << 104 << "";
    QTest::newRow("lumo 103") << 2 << 103 << "Dll Version Error. Must be 104 or greater.";
    QTest::newRow("zento 150") << 1 << 150 << "";
    QTest::newRow("zento rgbm 150") << 4 << 150 << "Dll Version Error. Must be 200 or greater.";
    QTest::newRow("zento rgbm 200") << 4 << 200 << "";
    QTest::newRow("tavex 1 is not judged") << 8 << 1 << "";
    QTest::newRow("kobi 1 is not judged") << 32 << 1 << "";
}

void tst_DownloadSession::versionRule() {
    QFETCH(qint32, model);
    QFETCH(qint32, version);
    QFETCH(QString, refusal);
    Settings::instance().setCurrentDiveComputer(model);
    script(model).version = version;
    env->fakes.message->answers << Msg::Ok;

    auto driver = DownloadDriver::create(model);
    QCOMPARE(driver->downloadProfiles(world->progress), refusal.isEmpty());
    if (!refusal.isEmpty()) {
        QCOMPARE(messages(), QStringList{refusal});
        QCOMPARE(env->fakes.message->shown[0].flags, Msg::Critical);
        QCOMPARE(env->fakes.message->shown[0].title, QStringLiteral("Warning!"));
        QCOMPARE(script(model).calls, QStringList{"getVersion"});
        QCOMPARE(world->confirm.shown, 0);
    }
    QVERIFY(!env->fakes.busyPointer->busy);
}

void tst_DownloadSession::fetchResult_data() {
    QTest::addColumn<qint32>("model");
    QTest::addColumn<qint32>("result");
    QTest::addColumn<qint32>("message");
    for (qint32 model : {1, 8, 32}) {
        const QByteArray m = QByteArray::number(model);
        QTest::newRow("model " + m + ": time-out") << model << 1 << 3035;
        QTest::newRow("model " + m + ": port") << model << 2 << 3034;
        QTest::newRow("model " + m + ": 4") << model << 4 << 0;
        QTest::newRow("model " + m + ": -1") << model << -1 << 0;
    }
    QTest::newRow("model 32: sync") << 32 << 3 << 3044;
    QTest::newRow("model 1: 3 is no message") << 1 << 3 << 0;
}

void tst_DownloadSession::fetchResult() {
    QFETCH(qint32, model);
    QFETCH(qint32, result);
    QFETCH(qint32, message);
    Settings::instance().setCurrentDiveComputer(model);
    script(model).fetchResult = result;
    QStringList expected;
    if (model == 32) {
        env->fakes.message->answers << Msg::Ok;
        expected << getString(3045);
    }
    if (message)
        expected << getString(message);

    auto driver = DownloadDriver::create(model);
    QVERIFY(!driver->downloadProfiles(world->progress));
    QCOMPARE(messages(), expected);
    if (message) {
        QCOMPARE(env->fakes.message->shown.last().flags, Msg::Critical);
        QCOMPARE(env->fakes.message->shown.last().title, QStringLiteral("Warning!"));
    }
    QVERIFY(!env->fakes.busyPointer->busy);
    if (model == 32)
        QCOMPARE(script(model).calls.last(), QStringLiteral("stopDownload"));
}

void tst_DownloadSession::refusedBeforeTheTransfer_data() {
    QTest::addColumn<qint32>("model");
    QTest::addColumn<QString>("refusal");
    QTest::addColumn<QStringList>("boxes");
    const QString diagnostic = QStringLiteral("[DZ.DP]: line '0' - Error n. [0] - ");
    QTest::newRow("zento busy") << 1 << "status" << QStringList{diagnostic, serialPortBox};
    QTest::newRow("zento start refused") << 2 << "start" << QStringList{diagnostic, serialPortBox};
    QTest::newRow("tavex busy") << 16 << "status" << QStringList{serialPortBox};
    QTest::newRow("tavex start refused") << 8 << "start" << QStringList{serialPortBox};
    QTest::newRow("kobi already running") << 32 << "status" << QStringList{kobiSerialPortBox};
    QTest::newRow("kobi no such port") << 32 << "port" << QStringList{kobiSerialPortBox};
    QTest::newRow("kobi start refused") << 32 << "start" << QStringList{kobiSerialPortBox};
}

void tst_DownloadSession::refusedBeforeTheTransfer() {
    QFETCH(qint32, model);
    QFETCH(QString, refusal);
    QFETCH(QStringList, boxes);
    Settings::instance().setCurrentDiveComputer(model);
    FakeLibraryScript& lib = script(model);
    if (refusal == "status")
        lib.statusBeforeStart = model == 32 ? 1 : -1;
    else if (refusal == "start")
        lib.startResult = 0;
    else
        world->b770->portExists = 0;
    world->progress.setValue(50);

    auto driver = DownloadDriver::create(model);
    QVERIFY(!driver->downloadProfiles(world->progress));
    QCOMPARE(messages(), boxes);
    // The diagnostic comes in a plain box; the serial-port box is a warning.
    QCOMPARE(env->fakes.message->shown.last().flags, Msg::Critical);
    QCOMPARE(env->fakes.message->shown.last().title, QStringLiteral("Warning!"));
    if (boxes.size() == 2) {
        QCOMPARE(env->fakes.message->shown[0].flags, Msg::OkOnly);
        QCOMPARE(env->fakes.message->shown[0].title, QString());
    }
    QCOMPARE(world->progress.value(), 1);
    QVERIFY(!env->fakes.busyPointer->busy);
    QVERIFY(!lib.calls.contains(QStringLiteral("downloadProfile")));
    // Nothing was started, so nothing is stopped.
    QVERIFY(!lib.calls.contains(QStringLiteral("stopDownload")));
}

void tst_DownloadSession::confirmationCancelled_data() {
    QTest::addColumn<qint32>("model");
    QTest::newRow("zento") << 1;
    QTest::newRow("tavex") << 8;
    QTest::newRow("kobi") << 32;
}

void tst_DownloadSession::confirmationCancelled() {
    QFETCH(qint32, model);
    Settings::instance().setCurrentDiveComputer(model);
    world->confirm.answers << false;

    auto driver = DownloadDriver::create(model);
    QVERIFY(!driver->downloadProfiles(world->progress));
    QCOMPARE(world->confirm.shown, 1);
    QCOMPARE(env->fakes.message->shown.size(), 0);
    QCOMPARE(script(model).calls, (QStringList{"getVersion", "getDownloadStatus"}));
    QVERIFY(!env->fakes.busyPointer->busy);
}

void tst_DownloadSession::missingLibraryFunction() {
    Settings::instance().setCurrentDiveComputer(1);
    world->zento->failingCall = QStringLiteral("startDownload");

    DownloadZento driver;
    QVERIFY(!driver.downloadProfiles(world->progress));
    QCOMPARE(messages(), (QStringList{"[DZ.DP]: line '29' - Error n. [453] - Can't find DLL entry point startDownload",
                                      serialPortBox}));
}

void tst_DownloadSession::kobiAbort() {
    Settings::instance().setCurrentDiveComputer(32);
    env->fakes.message->answers << Msg::Ok;
    world->b770->runningPolls = 10;
    DownloadKOBI driver;
    // Cancel is pressed while the second poll's events run.
    int pumped = 0;
    env->fakes.events->onProcess = [&] {
        if (++pumped == 2)
            driver.bAbortDownload = false;
    };

    QVERIFY(!driver.downloadProfiles(world->progress));
    QCOMPARE(world->b770->calls.mid(world->b770->calls.size() - 3),
             (QStringList{"getDownloadStatus", "getProgress", "stopDownload"}));
    QVERIFY(!world->b770->calls.contains(QStringLiteral("DimensioneProfili")));
    QCOMPARE(world->progress.value(), 1);
    QCOMPARE(messages(), QStringList{getString(3045)});
    QVERIFY(!env->fakes.busyPointer->busy);
}

void tst_DownloadSession::kobiStoppedAfterFailure() {
    Settings::instance().setCurrentDiveComputer(32);
    env->fakes.message->answers << Msg::Ok << Msg::Ok;
    world->b770->failingCall = QStringLiteral("getProgress");

    DownloadKOBI failed;
    QVERIFY(!failed.downloadProfiles(world->progress));
    QCOMPARE(messages().last(), kobiSerialPortBox);
    // The unit is let go, so the next attempt finds it free.
    QCOMPARE(world->b770->calls.last(), QStringLiteral("stopDownload"));
    QVERIFY(!world->b770->started);

    world->b770->failingCall.clear();
    world->b770->polls = 0;
    world->b770->calls.clear();
    env->fakes.message->answers << Msg::Ok;
    DownloadKOBI next;
    QVERIFY(next.downloadProfiles(world->progress));
    QCOMPARE(next.getDiveImm(), qint16(1));
}

void tst_DownloadSession::noDives_data() {
    QTest::addColumn<qint32>("model");
    QTest::addColumn<QList<qint32>>("records");
    QTest::newRow("zento: nothing") << 1 << QList<qint32>{};
    QTest::newRow("zento: a header of zeros") << 4 << QList<qint32>(52, 0);
    QTest::newRow("tavex: nothing") << 16 << QList<qint32>{};
    QTest::newRow("kobi: no values") << 32 << QList<qint32>{};
    QTest::newRow("kobi: one zero") << 32 << QList<qint32>{0};
    QTest::newRow("kobi: a record of zeros") << 32 << QList<qint32>(39, 0);
}

void tst_DownloadSession::noDives() {
    QFETCH(qint32, model);
    QFETCH(QList<qint32>, records);
    Settings::instance().setCurrentDiveComputer(model);
    script(model).records = records;
    if (model == 32)
        env->fakes.message->answers << Msg::Ok;

    auto driver = DownloadDriver::create(model);
    QVERIFY(driver->downloadProfiles(world->progress));
    QCOMPARE(driver->getDiveImm(), qint16(0));
    const ShownMessage& summary = env->fakes.message->shown.last();
    QCOMPARE(summary.text, QStringLiteral("Download of dive data complete.\nTotal dives: 0\nDives with profile: 0\n"
                                          "Logged dives: 0\nDives already in the Logbook: 0"));
    QCOMPARE(summary.flags, Msg::Information);
    QCOMPARE(summary.title, QStringLiteral("Confirm"));
}

void tst_DownloadSession::counting_data() {
    QTest::addColumn<qint32>("model");
    QTest::addColumn<QList<qint32>>("records");
    QTest::addColumn<int>("count"); // -1: refused

    const QList<qint32> zentoDive = fixtures::header52(2) + QList<qint32>{10, 0, 0, 0, 20, 0, 0, 0};
    QTest::newRow("zento: three dives") << 1 << zentoDive + zentoDive + zentoDive << 3;
    QList<qint32> fills;
    while (fills.size() + 60 <= 30001)
        fills += zentoDive;
    fills += fixtures::header52(qint32(30001 - fills.size() - 52) / 4);
    fills.resize(30001, 7);
    QTest::newRow("zento: records fill the array") << 1 << fills << -1;
    QList<qint32> cutHeader;
    while (cutHeader.size() + 60 + 61 <= 30001)
        cutHeader += zentoDive;
    cutHeader += fixtures::header52(0);
    cutHeader += fixtures::header52(0).mid(0, 30001 - cutHeader.size());
    QTest::newRow("zento: last header cut off") << 2 << cutHeader << -1;
    QTest::newRow("zento: samples past the end") << 1 << fixtures::header52(7500) << -1;
    QTest::newRow("zento: huge sample count") << 4 << fixtures::header52(2000000000) << -1;
    QTest::newRow("zento: negative sample count") << 1 << fixtures::header52(-5) + zentoDive << -1;
    const QList<qint32> tavexDive = fixtures::header52(2) + QList<qint32>(10, 1);
    QTest::newRow("tavex: two dives") << 8 << tavexDive + tavexDive << 2;

    const QList<qint32> kobiDive = fixtures::kobiScuba(2);
    QTest::newRow("kobi: session and dive") << 32 << fixtures::kobiSession(3) + kobiDive << 2;
    QTest::newRow("kobi: padded with zeros") << 32 << kobiDive + QList<qint32>(100, 0) << 1;
    QTest::newRow("kobi: one stray value after the last record") << 32 << kobiDive + QList<qint32>{5} << 1;
    QTest::newRow("kobi: record cut off") << 32 << kobiDive.mid(0, kobiDive.size() - 1) << -1;
    QTest::newRow("kobi: one value") << 32 << QList<qint32>{7} << -1;
    QTest::newRow("kobi: negative count") << 32 << fixtures::kobiScuba(0, {{6, -3}}) + kobiDive << -1;
    QList<qint32> oversized;
    while (oversized.size() <= 32767)
        oversized += kobiDive;
    QTest::newRow("kobi: more than 32767 values") << 32 << oversized << -1;
}

void tst_DownloadSession::counting() {
    QFETCH(qint32, model);
    QFETCH(QList<qint32>, records);
    QFETCH(int, count);
    Settings::instance().setCurrentDiveComputer(model);
    script(model).records = records;
    if (model == 32)
        env->fakes.message->answers << Msg::Ok;

    auto driver = DownloadDriver::create(model);
    QCOMPARE(driver->downloadProfiles(world->progress), count >= 0);
    if (count >= 0) {
        QCOMPARE(driver->getDiveImm(), qint16(count));
        QCOMPARE(driver->decodeProfiles(qint16(count), world->progress).size(), size_t(count));
    } else {
        const QString box = model == 32 ? kobiSerialPortBox : serialPortBox;
        QCOMPARE(messages().last(), box);
        QCOMPARE(world->progress.value(), 1);
    }
}

QTEST_GUILESS_MAIN(tst_DownloadSession)
#include "tst_downloadsession.moc"
