#include "Database.h"
#include "DeviceImage.h"
#include "DeviceRecords.h"
#include "DownloadConfirmDialog.h"
#include "DownloadDriver.h"
#include "EmulatedB330Library.h"
#include "EmulatedB770Library.h"
#include "EmulatedZentoLibrary.h"
#include "FakeDownload.h"
#include "InterfaceLibraries.h"
#include "MainModule.h"
#include "Recordset.h"
#include "Settings.h"
#include "SqlScript.h"
#include "TestEnvironment.h"
#include "diveFreeInfo.h"

#include <QtTest>

// The stand-ins the program ships: device images on the serial ports, transfers that run on their
// own by the clock, the faults a real transfer meets, and a whole download from an image into a
// logbook.
class tst_EmulatedLibraries : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void forgottenInstallationFails();
    void imageFile();
    void imageRefused_data();
    void imageRefused();
    void transferRunsByTheClock();
    void transferOutcome_data();
    void transferOutcome();
    void b770HoldsThePortUntilStopped();
    void versionFromTheImage();
    void downloadFromImage_data();
    void downloadFromImage();

private:
    void advance(qint64 ms) { env->fakes.clock->current = env->fakes.clock->current.addMSecs(ms); }
    // A few dives of the model as its device would hold them.
    static QList<Dive> dives(qint32 model);

    std::unique_ptr<TestEnvironment> env;
};

void tst_EmulatedLibraries::init() {
    env = std::make_unique<TestEnvironment>();
    // These cases read every box they get from the message list.
    env->fakes.message->failOnUnexpected = false;
    Settings::instance().setCurrentLanguage(Settings::LANG_ENGLISH);
    InterfaceLibraries::installEmulated();
}

void tst_EmulatedLibraries::cleanup() {
    InterfaceLibraries::reset();
    DownloadConfirmDialog::installFactory({});
    env.reset();
}

// As with the other seams, a library nobody installed is a fault of the caller, not a device error.
void tst_EmulatedLibraries::forgottenInstallationFails() {
    QCOMPARE(InterfaceLibraries::zento().getVersion(), EmulatedZentoLibrary::OWN_VERSION);
    QCOMPARE(InterfaceLibraries::b330().getVersion(), EmulatedB330Library::OWN_VERSION);
    QCOMPARE(InterfaceLibraries::b770().getVersion(), EmulatedB770Library::OWN_VERSION);
    InterfaceLibraries::reset();
    QVERIFY_THROWS_EXCEPTION(std::logic_error, InterfaceLibraries::zento());
    QVERIFY_THROWS_EXCEPTION(std::logic_error, InterfaceLibraries::b330());
    QVERIFY_THROWS_EXCEPTION(std::logic_error, InterfaceLibraries::b770());
}

void tst_EmulatedLibraries::imageFile() {
    DeviceImage image;
    image.library = DeviceImage::Library::B770;
    image.version = 110;
    image.model = 32;
    image.transferMs = 250;
    image.fault = DeviceImage::Fault::SyncError;
    image.records = {0, 24, 5, -1, 2147483647};
    image.freeProfile = {10, 0};
    image.freeProfileOwner = 2;
    const QString path = DeviceImage::pathForPort(4);
    QCOMPARE(path, env->folder() + QStringLiteral("devices/COM4.json"));
    QVERIFY(image.save(path));

    const std::optional<DeviceImage> read = DeviceImage::load(path);
    QVERIFY(read);
    QCOMPARE(read->library, image.library);
    QCOMPARE(read->version, 110);
    QCOMPARE(read->model, 32);
    QCOMPARE(read->transferMs, 250);
    QCOMPARE(read->fault, DeviceImage::Fault::SyncError);
    QCOMPARE(read->records, image.records);
    QCOMPARE(read->freeProfile, image.freeProfile);
    QCOMPARE(read->freeProfileOwner, 2);
}

void tst_EmulatedLibraries::imageRefused_data() {
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QString>("reason");
    QTest::newRow("not JSON") << QByteArray("{records: [1,2") << "";
    QTest::newRow("a list") << QByteArray("[1, 2]") << "not a JSON object";
    QTest::newRow("unknown library") << QByteArray(R"({"library": "X1", "records": []})") << "\"library\"";
    QTest::newRow("unknown fault") << QByteArray(R"({"library": "Zento", "fault": "fire"})") << "\"fault\"";
    QTest::newRow("fraction") << QByteArray(R"({"library": "Zento", "records": [1, 2.5]})") << "value 1";
    QTest::newRow("beyond 32 bits") << QByteArray(R"({"library": "B330", "records": [4294967296]})") << "value 0";
    QTest::newRow("text") << QByteArray(R"({"library": "B330", "records": ["7"]})") << "value 0";
    QTest::newRow("negative time") << QByteArray(R"({"library": "B770", "transferMs": -5})") << "transferMs";
}

void tst_EmulatedLibraries::imageRefused() {
    QFETCH(QByteArray, json);
    QFETCH(QString, reason);
    QString error;
    QVERIFY(!DeviceImage::fromJson(json, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY2(error.contains(reason), qPrintable(error));
}

void tst_EmulatedLibraries::transferRunsByTheClock() {
    DeviceImage image;
    image.transferMs = 1000;
    image.records = {2024, 5, 10};
    image.info = {1, 2, 3};
    QVERIFY(image.save(DeviceImage::pathForPort(2)));

    EmulatedZentoLibrary library;
    QCOMPARE(library.getDownloadStatus(), 0);
    QCOMPARE(library.startDownload(2), 1);
    QCOMPARE(library.getDownloadStatus(), 1);
    QCOMPARE(library.getProgress(), 0);
    advance(400);
    QCOMPARE(library.getDownloadStatus(), 1);
    QCOMPARE(library.getProgress(), 40);
    // A second start while the unit is busy is refused.
    QCOMPARE(library.startDownload(2), 0);
    advance(600);
    QCOMPARE(library.getDownloadStatus(), 0);

    std::array<qint32, 7> info{};
    std::vector<qint32> records(6, -1);
    QCOMPARE(library.downloadProfile(info.data(), 4, records.data(), 4), 0);
    QCOMPARE(records, (std::vector<qint32>{2024, 5, 10, 0, 0, -1}));
    QCOMPARE(info[2], 3);
    QCOMPARE(info[6], 0);
}

void tst_EmulatedLibraries::transferOutcome_data() {
    QTest::addColumn<int>("library");      // DeviceImage::Library
    QTest::addColumn<QByteArray>("image"); // "" for no image on the port
    QTest::addColumn<qint32>("result");
    QTest::newRow("zento delivers") << 0 << QByteArray(R"({"library": "Zento", "records": [1]})") << 0;
    QTest::newRow("zento time-out") << 0 << QByteArray(R"({"library": "Zento", "fault": "timeout"})") << 1;
    QTest::newRow("zento port error") << 0 << QByteArray(R"({"library": "Zento", "fault": "port"})") << 2;
    QTest::newRow("zento nothing on the port") << 0 << QByteArray() << 2;
    QTest::newRow("zento finds a Kobi") << 0 << QByteArray(R"({"library": "B770", "records": [1]})") << 1;
    QTest::newRow("zento unreadable image") << 0 << QByteArray("{") << 1;
    QTest::newRow("b330 delivers") << 1 << QByteArray(R"({"library": "B330", "records": [1]})") << 0;
    QTest::newRow("b330 time-out") << 1 << QByteArray(R"({"library": "B330", "fault": "timeout"})") << 1;
    QTest::newRow("b330 finds a Zento") << 1 << QByteArray(R"({"library": "Zento", "records": [1]})") << 1;
    QTest::newRow("b770 delivers") << 2 << QByteArray(R"({"library": "B770", "records": [1]})") << 0;
    QTest::newRow("b770 sync error") << 2 << QByteArray(R"({"library": "B770", "fault": "sync"})") << 3;
    QTest::newRow("b770 port error") << 2 << QByteArray(R"({"library": "B770", "fault": "port"})") << 2;
}

void tst_EmulatedLibraries::transferOutcome() {
    QFETCH(int, library);
    QFETCH(QByteArray, image);
    QFETCH(qint32, result);
    if (!image.isEmpty()) {
        QDir().mkpath(env->folder() + QStringLiteral("devices"));
        QFile file(DeviceImage::pathForPort(1));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(image);
    }

    std::array<qint32, 13> info{};
    std::vector<qint32> records(4, 0);
    qint32 answer = -1;
    if (library == 2) {
        EmulatedB770Library b770;
        QCOMPARE(b770.EsisteSeriale(1), image.isEmpty() ? 0 : 1);
        QCOMPARE(b770.startDownload(1), 1);
        advance(EmulatedInterfaceUnit::NoAnswerMs);
        QCOMPARE(b770.getDownloadStatus(), 0);
        QCOMPARE(b770.DimensioneProfili(), result == 0 ? 1 : 0);
        answer = b770.downloadProfile(info.data(), 13, records.data(), 1, records.data() + 2, 1);
        b770.stopDownload();
    } else {
        auto run = [&](auto& lib, qint32 family) {
            QCOMPARE(lib.startDownload(1), 1);
            advance(EmulatedInterfaceUnit::NoAnswerMs);
            QCOMPARE(lib.getDownloadStatus(), 0);
            answer = lib.downloadProfile(info.data(), family, records.data(), 3);
        };
        if (library == 0) {
            EmulatedZentoLibrary lib;
            run(lib, 4);
        } else {
            EmulatedB330Library lib;
            run(lib, 7);
        }
    }
    QCOMPARE(answer, result);
    QCOMPARE(records[0], result == 0 ? 1 : 0);
}

void tst_EmulatedLibraries::b770HoldsThePortUntilStopped() {
    DeviceImage image;
    image.library = DeviceImage::Library::B770;
    image.transferMs = 100;
    QVERIFY(image.save(DeviceImage::pathForPort(1)));
    EmulatedB770Library library;
    QCOMPARE(library.startDownload(1), 1);
    advance(200);
    QCOMPARE(library.getDownloadStatus(), 0);
    QCOMPARE(library.startDownload(1), 0);
    library.stopDownload();
    QCOMPARE(library.startDownload(1), 1);
    // An abort while the transfer runs lets go of the port as well.
    library.stopDownload();
    QCOMPARE(library.getDownloadStatus(), 0);
    QCOMPARE(library.startDownload(1), 1);
}

void tst_EmulatedLibraries::versionFromTheImage() {
    Settings::instance().setComPort(5);
    QCOMPARE(EmulatedZentoLibrary().getVersion(), EmulatedZentoLibrary::OWN_VERSION);
    DeviceImage image;
    image.version = 150;
    QVERIFY(image.save(DeviceImage::pathForPort(5)));
    QCOMPARE(EmulatedZentoLibrary().getVersion(), 150);
    // Another library's image says nothing of this one's version.
    QCOMPARE(EmulatedB330Library().getVersion(), EmulatedB330Library::OWN_VERSION);
}

QList<Dive> tst_EmulatedLibraries::dives(qint32 model) {
    QList<Dive> list;
    for (int d = 0; d < 3; ++d) {
        Dive dive;
        dive.setDiveComputer(model);
        dive.setDateTime(QDateTime(QDate(2024, 7, 1 + d), QTime(10, 15)));
        dive.setMaxDepth(18.4f + float(d));
        dive.setMinTemperature(-1 + d);
        dive.setPPO2(1.4f);
        QVariantList tissues;
        for (int t = 0; t < (model <= 2 ? 11 : 10); ++t)
            tissues << (model <= 2 ? 26.0 : 0.8);
        dive.setStartTissue(tissues);
        if (model == 8 || model == 16) {
            dive.setTankVolume(150);
            dive.setStartTankPressure(200);
        }
        const int samples = d == 1 ? 0 : 90;
        for (int s = 1; s <= samples; ++s)
            dive.addSample(qMin(s, samples + 1 - s) * 4, 1, 0, 0, model == 8 || model == 16 ? 200 - s : 0);
        dive.setDiveTime(model == 32 ? samples / 3.0 : samples / 3);
        list << dive;
    }
    if (model == 32) {
        Dive session;
        session.setDiveComputer(model);
        session.setDiveMode(2);
        session.setDateTime(QDateTime(QDate(2024, 7, 4), QTime(15, 0)));
        session.setMaxDepth(12.3f);
        auto info = std::make_shared<diveFreeInfo>();
        info->setSessionTime(600);
        info->addFreeDive(123, 15, 1, 30, 2);
        info->addFreeDive(80, 50, 0, 0, 3);
        info->addProfileFree({0, 60, 123, 60, 0, 40, 80, 40, 0});
        session.setDiveFreeInfo(info);
        session.setDiveTime(2);
        list << session;
    }
    return list;
}

void tst_EmulatedLibraries::downloadFromImage_data() {
    QTest::addColumn<qint32>("model");
    for (qint32 model : {1, 2, 4, 8, 16, 32})
        QTest::newRow(qPrintable(getDiveComputerName(qint16(model)))) << model;
}

void tst_EmulatedLibraries::downloadFromImage() {
    QFETCH(qint32, model);
    Settings::instance().setCurrentDiveComputer(model);
    Settings::instance().setComPort(7);

    DeviceImage image;
    image.library = *DeviceImage::libraryForModel(model);
    image.model = model;
    image.transferMs = 500;
    const QList<Dive> held = dives(model);
    for (const Dive& dive : held) {
        if (model == 32 && dive.getDiveMode() == 2) {
            image.records += DeviceRecords::kobiSession(dive);
            image.freeProfile = DeviceRecords::kobiFreeProfile(dive);
            image.freeProfileOwner = qint32(held.size());
        } else if (model == 32) {
            image.records += DeviceRecords::kobiScuba(dive);
        } else if (model == 8 || model == 16) {
            image.records += DeviceRecords::tavex(dive);
        } else {
            image.records += DeviceRecords::zento(dive, model);
        }
    }
    QVERIFY(image.save(DeviceImage::pathForPort(7)));

    SqlScript::createDatabase(Settings::instance().databaseName(), SqlScript::currentSchema());
    Database db = Database::open(Settings::instance().databaseName());
    db.execute(QStringLiteral("INSERT INTO FILE (FILENAME, DIVE_MODEL) VALUES ('Reef', ?)"), {model});
    db.close();

    FakeConfirmDialog::Script confirm;
    DownloadConfirmDialog::installFactory([&] { return std::make_unique<FakeConfirmDialog>(confirm); });
    // The transfer takes its time while the driver lets events run.
    env->fakes.events->onProcess = [&] { advance(50); };
    FakeProgressBar progress;
    QStringList summaries;
    for (int round = 0; round < 2; ++round) {
        if (model == 32)
            env->fakes.message->answers << Msg::Ok;
        auto driver = DownloadDriver::create(model);
        QVERIFY(driver->downloadProfiles(progress));
        QVERIFY(progress.values.contains(51));
        QCOMPARE(driver->getDiveImm(), qint16(held.size()));
        Database target = Database::open(Settings::instance().databaseName());
        QVERIFY(driver->storeProfiles(target, 1, driver->getDiveImm(), progress));
        env->fakes.message->answers << Msg::Ok;
        driver->showSummary(); // as the dialog does once the dives are committed
        summaries << env->fakes.message->shown.last().text;
    }
    const int n = int(held.size());
    const int withProfile = 2;
    QCOMPARE(summaries[0], DownloadDriver::summaryText({qint16(n), qint16(withProfile), qint16(n), 0, {}}));
    QCOMPARE(summaries[1], DownloadDriver::summaryText({qint16(n), qint16(withProfile), 0, qint16(n), {}}));

    // The logbook holds what the device held.
    Database check = Database::open(Settings::instance().databaseName());
    Recordset rs(check, QStringLiteral("SELECT * FROM DIVE ORDER BY [DATETIME]"));
    for (const Dive& dive : held) {
        QVERIFY(!rs.eof());
        QCOMPARE(rs.dateTime(QStringLiteral("DATETIME")), dive.getDateTime());
        QCOMPARE(rs.value(QStringLiteral("MAX_DEPTH")).toFloat(), dive.getMaxDepth());
        QCOMPARE(rs.value(QStringLiteral("DIVE_TIME")).toInt(), int(dive.getDiveTime()));
        const int recordLength = model == 8 || model == 16 ? 20 : 16;
        if (dive.getDiveMode() != 2) {
            QCOMPARE(rs.value(QStringLiteral("MIN_TEMP")).toInt(), int(dive.getMinTemperature()));
            QCOMPARE(rs.value(QStringLiteral("SAMPLE")).toString().size(), dive.getSamplesCount() * recordLength);
        } else {
            QCOMPARE(rs.value(QStringLiteral("SAMPLE")).toString(),
                     QStringLiteral("*000000600123006000000040008000400000*012300750150008000500180"));
        }
        rs.moveNext();
    }
    QVERIFY(rs.eof());
}

QTEST_GUILESS_MAIN(tst_EmulatedLibraries)
#include "tst_emulatedlibraries.moc"
