#include "Database.h"
#include "DownloadDriver.h"
#include "FakeDownload.h"
#include "RecordFixtures.h"
#include "Recordset.h"
#include "Settings.h"
#include "SqlScript.h"
#include "TestEnvironment.h"
#include "Workspace.h"

#include <QtTest>

using fixtures::Values;

// The store step: decoded dives appended to a logbook of a real database file, counted, summed
// up, and nothing left behind when it fails.
class tst_StoreProfiles : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void summary();
    void sameDownloadTwice_data();
    void sameDownloadTwice();
    void rowColumns_data();
    void rowColumns();
    void failureLeavesDatabaseAsBefore_data();
    void failureLeavesDatabaseAsBefore();
    void rowsBelongToTheDialogsTransaction();
    void singlesStoredExactly_data();
    void singlesStoredExactly();
    void unwritableDiveIsLeftOut_data();
    void unwritableDiveIsLeftOut();
    void gaugeEndsAtItsMaximum_data();
    void gaugeEndsAtItsMaximum();

private:
    qint32 addLogbook(qint32 model);
    // Transfers `records` through the model's driver and stores them into logbook `fileID`: the
    // records counted, or `nDives` of them.
    bool store(qint32 model, const QList<qint32>& records, qint32 fileID, qint16 nDives = -1);
    // Every row of FILE and DIVE, as text.
    QStringList snapshot();

    std::unique_ptr<TestEnvironment> env;
    std::unique_ptr<FakeDownloadWorld> world;
};

void tst_StoreProfiles::init() {
    env = std::make_unique<TestEnvironment>();
    // These cases read every box they get from the message list.
    env->fakes.message->failOnUnexpected = false;
    world = std::make_unique<FakeDownloadWorld>();
    Settings::instance().setCurrentLanguage(Settings::LANG_ENGLISH);
    SqlScript::createDatabase(Settings::instance().databaseName(), SqlScript::currentSchema());
}

void tst_StoreProfiles::cleanup() {
    if (Workspace::defaultWorkspace().inTransaction())
        Workspace::defaultWorkspace().rollback();
    world.reset();
    env.reset();
}

qint32 tst_StoreProfiles::addLogbook(qint32 model) {
    Database db = Database::open(Settings::instance().databaseName());
    Recordset rs = Recordset::table(db, QStringLiteral("FILE"));
    rs.addNew();
    rs.setValue(QStringLiteral("FILENAME"), QStringLiteral("Reef"));
    rs.setValue(QStringLiteral("DIVE_MODEL"), model);
    rs.setValue(QStringLiteral("CREATION_DATE"), QDateTime(QDate(2024, 1, 1), QTime(8, 0)));
    rs.update();
    return rs.lastModified().toInt();
}

bool tst_StoreProfiles::store(qint32 model, const QList<qint32>& records, qint32 fileID, qint16 nDives) {
    Settings::instance().setCurrentDiveComputer(model);
    world->zento->records = records;
    world->b330->records = records;
    world->b770->records = records;
    world->zento->started = world->b330->started = world->b770->started = false;
    world->zento->polls = world->b330->polls = world->b770->polls = 0;
    if (model == 32)
        env->fakes.message->answers << Msg::Ok; // the prompt to start the device
    auto driver = DownloadDriver::create(model);
    if (!driver->downloadProfiles(world->progress))
        return false;
    Database db = Database::open(Settings::instance().databaseName());
    const bool stored = driver->storeProfiles(db, fileID, nDives >= 0 ? nDives : driver->getDiveImm(), world->progress);
    if (db.isOpen())
        throw RuntimeError(0, QStringLiteral("test"), QStringLiteral("the store step left the database open"));
    if (stored)
        driver->showSummary(); // as the dialog does once it has committed
    return stored;
}

QStringList tst_StoreProfiles::snapshot() {
    Database db = Database::open(Settings::instance().databaseName());
    QStringList rows;
    for (const char* statement : {"SELECT * FROM FILE ORDER BY FILE_ID", "SELECT * FROM DIVE ORDER BY DIVE_ID"}) {
        Recordset rs(db, QLatin1String(statement));
        for (; !rs.eof(); rs.moveNext()) {
            QStringList values;
            for (int i = 0; i < rs.fieldCount(); ++i)
                values << rs.fieldName(i) + u'=' + rs.value(i).toString();
            rows << values.join(u'|');
        }
    }
    return rows;
}

void tst_StoreProfiles::summary() {
    const qint32 logbook = addLogbook(1);
    QList<qint32> records = fixtures::header52(1) + QList<qint32>{123, 2, 0, 15};
    records += fixtures::header52(0, {{2, 11}});
    records += fixtures::header52(2, {{2, 12}}) + QList<qint32>{50, 1, 0, 0, 60, 1, 0, 0};

    QVERIFY(store(1, records, logbook));
    const ShownMessage& box = env->fakes.message->shown.last();
    QCOMPARE(box.text, QStringLiteral("Download of dive data complete.\nTotal dives: 3\nDives with profile: 2\n"
                                      "Logged dives: 3\nDives already in the Logbook: 0"));
    QCOMPARE(box.flags, Msg::Information);
    QCOMPARE(box.title, QStringLiteral("Confirm"));
    QCOMPARE(world->progress.max(), 7);
    QCOMPARE(world->progress.min(), 1);
    QCOMPARE(world->progress.value(), 7);
    QCOMPARE(snapshot().size(), 1 + 3);
}

void tst_StoreProfiles::sameDownloadTwice_data() {
    QTest::addColumn<qint32>("model");
    QTest::addColumn<QList<qint32>>("records");
    QTest::addColumn<int>("withProfile");
    const QList<qint32> zento = fixtures::header52(1) + QList<qint32>{123, 2, 0, 15} + fixtures::header52(0, {{2, 11}});
    QTest::newRow("zento") << 1 << zento << 1;
    QTest::newRow("zento rgbm") << 4 << zento << 1;
    QTest::newRow("tavex") << 8
                           << fixtures::header52(1) + QList<qint32>{123, 2, 0, 0, 180} +
                                  fixtures::header52(0, {{2, 11}})
                           << 1;
    QTest::newRow("kobi") << 32 << fixtures::kobiScuba(3) + fixtures::kobiSession(2) << 1;
}

void tst_StoreProfiles::sameDownloadTwice() {
    QFETCH(qint32, model);
    QFETCH(QList<qint32>, records);
    QFETCH(int, withProfile);
    const qint32 logbook = addLogbook(model);

    QVERIFY(store(model, records, logbook));
    const QStringList first = snapshot();
    QCOMPARE(first.size(), 1 + 2);

    QVERIFY(store(model, records, logbook));
    QCOMPARE(env->fakes.message->shown.last().text,
             QStringLiteral("Download of dive data complete.\nTotal dives: 2\nDives with profile: %1\n"
                            "Logged dives: 0\nDives already in the Logbook: 2")
                 .arg(withProfile));
    QCOMPARE(snapshot(), first);

    // The same dives belong in another logbook as well.
    const qint32 other = addLogbook(model);
    QVERIFY(store(model, records, other));
    QCOMPARE(snapshot().size(), 2 + 4);
}

void tst_StoreProfiles::rowColumns_data() {
    QTest::addColumn<qint32>("model");
    QTest::addColumn<QList<qint32>>("records");
    QTest::addColumn<QString>("column");
    QTest::addColumn<QVariant>("expected");

    QTest::newRow("start") << 1 << fixtures::header52(0) << "DATETIME" << QVariant("2024-05-10 09:30:00");
    QTest::newRow("dive time") << 1 << fixtures::header52(0, {{5, 101}}) << "DIVE_TIME" << QVariant(34);
    QTest::newRow("max depth") << 2 << fixtures::header52(0, {{6, 123}}) << "MAX_DEPTH" << QVariant(12.3);
    QTest::newRow("air dive's mix") << 1 << fixtures::header52(0, {{28, 32}}) << "MIX_NITROX" << QVariant(21);
    QTest::newRow("nitrox dive's mix") << 1 << fixtures::header52(0, {{21, 1}, {28, 32}}) << "MIX_NITROX"
                                       << QVariant(32);
    QTest::newRow("ppo2") << 1 << fixtures::header52(0, {{29, 14}}) << "PPO2" << QVariant(1.4);
    QTest::newRow("code 1 tissue unscaled") << 1 << fixtures::header52(0, {{40, 5000}}) << "TISSUE_1" << QVariant(33);
    QTest::newRow("code 1 eleventh tissue") << 2 << fixtures::header52(0, {{50, 5000}}) << "TISSUE_11" << QVariant(33);
    QTest::newRow("code 1 no autozero") << 1 << fixtures::header52(0, {{8, 4}}) << "AUTOZERO" << QVariant(0);
    QTest::newRow("code 4 tissue times 100") << 4 << fixtures::header52(0, {{40, 5000}}) << "TISSUE_1" << QVariant(100);
    QTest::newRow("code 4 no eleventh tissue")
        << 4 << fixtures::header52(0, {{50, 5000}}) << "TISSUE_11" << QVariant(0);
    QTest::newRow("code 4 deep stop 2") << 4 << fixtures::header52(0, {{39, 3}, {50, 770}}) << "DEEP_STOP_2"
                                        << QVariant(2);
    QTest::newRow("code 4 autozero") << 4 << fixtures::header52(0, {{8, 4}}) << "AUTOZERO" << QVariant(4);
    QTest::newRow("scuba profile") << 1 << fixtures::header52(1) + QList<qint32>{123, 2, 0, 15} << "SAMPLE"
                                   << QVariant("0123000200000015");
    QTest::newRow("no samples, no profile") << 4 << fixtures::header52(0) << "SAMPLE" << QVariant("");
    QTest::newRow("not simulated") << 1 << fixtures::header52(0) << "IS_SIMUL" << QVariant(0);

    QTest::newRow("tavex no tank pressure")
        << 8 << fixtures::header52(0, {{33, 65535}}) << "TANK_PRESSURE" << QVariant(0);
    QTest::newRow("tavex tank pressure 65534")
        << 8 << fixtures::header52(0, {{33, 65534}}) << "TANK_PRESSURE" << QVariant(65534);
    QTest::newRow("tavex start pressure kept")
        << 16 << fixtures::header52(0, {{35, 65535}}) << "START_TANK_PRESSURE" << QVariant(65535);
    QTest::newRow("tavex tissue") << 8 << fixtures::header52(0, {{40, 5000}}) << "TISSUE_1" << QVariant(100);
    QTest::newRow("tavex deep stop 2") << 16 << fixtures::header52(0, {{39, 3}, {50, 770}}) << "DEEP_STOP_2"
                                       << QVariant(770);
    QTest::newRow("tavex air profile") << 8 << fixtures::header52(1) + QList<qint32>{123, 2, 0, 0, 180} << "SAMPLE"
                                       << QVariant("01230002000000000180");
    QTest::newRow("tavex index 27 unused") << 8 << fixtures::header52(0, {{27, 99}}) << "SAMPLE" << QVariant("");

    QTest::newRow("kobi personal factor in TSR") << 32 << fixtures::kobiScuba(0, {{13, 3}}) << "TSR" << QVariant(3);
    QTest::newRow("kobi tank columns 0") << 32 << fixtures::kobiScuba(0) << "TANK_PRESSURE" << QVariant(0);
    QTest::newRow("kobi tissue") << 32 << fixtures::kobiScuba(0, {{29, 7845}}) << "TISSUE_1" << QVariant(99.99643);
    QTest::newRow("kobi scuba profile") << 32 << fixtures::kobiScuba(1) << "SAMPLE" << QVariant("0100000100000000");
    QTest::newRow("kobi session mode") << 32 << fixtures::kobiSession(1) << "DIVE_MODE" << QVariant(2);
    QTest::newRow("kobi session dives") << 32 << fixtures::kobiSession(3) << "DIVE_TIME" << QVariant(3);
    QTest::newRow("kobi session time") << 32 << fixtures::kobiSession(0, {{11, 3}, {12, 20}}) << "AIRTIME_FLAG"
                                       << QVariant(200);
    QTest::newRow("kobi session depth alarm")
        << 32 << fixtures::kobiSession(0, {{22, 25}}) << "RESERVE100" << QVariant(25);
    QList<qint32> freeDive = fixtures::kobiSession(1);
    freeDive[23] = 123;
    freeDive[24] = 15;
    freeDive[25] = 1;
    freeDive[26] = 30;
    freeDive[27] = 2;
    QTest::newRow("kobi session records") << 32 << freeDive << "SAMPLE" << QVariant("012300750150");
    QTest::newRow("kobi empty session") << 32 << fixtures::kobiSession(0) << "SAMPLE" << QVariant("");
}

void tst_StoreProfiles::rowColumns() {
    QFETCH(qint32, model);
    QFETCH(QList<qint32>, records);
    QFETCH(QString, column);
    QFETCH(QVariant, expected);
    const qint32 logbook = addLogbook(model);

    QVERIFY(store(model, records, logbook));
    Database db = Database::open(Settings::instance().databaseName());
    Recordset rs(db, QStringLiteral("SELECT * FROM DIVE"));
    QVERIFY(!rs.eof());
    const QVariant actual = rs.value(column);
    if (expected.typeId() == QMetaType::Double)
        QVERIFY2(qAbs(actual.toDouble() - expected.toDouble()) < 1e-4, qPrintable(actual.toString()));
    else
        QCOMPARE(actual.toString(), expected.toString());
    QCOMPARE(rs.value(QStringLiteral("FILE_ID")).toInt(), logbook);
}

void tst_StoreProfiles::failureLeavesDatabaseAsBefore_data() {
    QTest::addColumn<qint32>("model");
    QTest::addColumn<QList<qint32>>("records");
    QTest::addColumn<qint16>("nDives"); // -1: as counted
    QTest::addColumn<bool>("missingLogbook");
    QTest::addColumn<qint32>("error");

    const QList<qint32> good = fixtures::header52(1) + QList<qint32>{123, 2, 0, 15};
    QTest::newRow("second dive's hour 25")
        << 1 << good + fixtures::header52(0, {{3, 25}}) << qint16(-1) << false << qint32(RuntimeError::TypeMismatch);
    QTest::newRow("logbook gone") << 8 << fixtures::header52(0) << qint16(-1) << true << qint32(3201);
    QTest::newRow("more dives than records")
        << 32 << fixtures::kobiScuba(1) << qint16(2) << false << RuntimeError::SubscriptOutOfRange;
}

void tst_StoreProfiles::failureLeavesDatabaseAsBefore() {
    QFETCH(qint32, model);
    QFETCH(QList<qint32>, records);
    QFETCH(qint16, nDives);
    QFETCH(bool, missingLogbook);
    QFETCH(qint32, error);
    const QList<qint32> earlier = model == 32 ? fixtures::kobiScuba(2, {{1, 20}}) : fixtures::header52(0, {{0, 2020}});
    QVERIFY(store(model, earlier, addLogbook(model)));

    // As in the download dialog: a transaction holding a logbook made for this download.
    Workspace::defaultWorkspace().beginTrans();
    const qint32 created = addLogbook(model);
    const QStringList before = snapshot();

    QVERIFY(!store(model, records, missingLogbook ? created + 100 : created, nDives));
    const ShownMessage& report = env->fakes.message->shown.last();
    QVERIFY2(report.text.startsWith(QStringLiteral("[DZ.SP]:  Error n. [%1] - ").arg(error)), qPrintable(report.text));
    QCOMPARE(report.flags, Msg::Critical);
    QCOMPARE(report.title, QStringLiteral("Warning!"));
    QCOMPARE(snapshot(), before);

    // The dialog's transaction is still there to be rolled back or used again.
    QVERIFY(Workspace::defaultWorkspace().inTransaction());
    QVERIFY(store(model, earlier, created));
    QCOMPARE(snapshot().size(), before.size() + 1);
}

void tst_StoreProfiles::rowsBelongToTheDialogsTransaction() {
    const qint32 logbook = addLogbook(8);
    const QStringList before = snapshot();
    const QList<qint32> records = fixtures::header52(0) + fixtures::header52(0, {{2, 11}});

    Workspace::defaultWorkspace().beginTrans();
    QVERIFY(store(8, records, logbook));
    QCOMPARE(snapshot().size(), before.size() + 2);
    Workspace::defaultWorkspace().rollback();
    QCOMPARE(snapshot(), before);

    Workspace::defaultWorkspace().beginTrans();
    QVERIFY(store(8, records, logbook));
    Workspace::defaultWorkspace().commitTrans();
    QCOMPARE(snapshot().size(), before.size() + 2);
}

void tst_StoreProfiles::singlesStoredExactly_data() {
    QTest::addColumn<qint32>("model");
    QTest::addColumn<QList<qint32>>("records");
    QTest::addColumn<QString>("column");
    QTest::addColumn<float>("single");
    QTest::newRow("ppo2") << 1 << fixtures::header52(0, {{29, 14}}) << "PPO2" << float(14 / 10.0);
    QTest::newRow("code 4 tissue in hundredths")
        << 4 << fixtures::header52(0, {{40, 1}}) << "TISSUE_1" << float(float(1 / 5000.0) * 100);
    QTest::newRow("code 4 mean depth beyond 2^24")
        << 4 << fixtures::header52(0, {{18, 16777217}}) << "DEPTH_M" << float(16777217);
    QTest::newRow("tavex surface interval beyond 2^24")
        << 8 << fixtures::header52(0, {{20, 33554435}}) << "TSR" << float(33554435);
    QTest::newRow("kobi tissue") << 32 << fixtures::kobiScuba(0, {{29, 7845}}) << "TISSUE_1"
                                 << float(float(7845 / 7845.28) * 100);
}

// A single is stored as itself: what is read back is the value the dive held, bit for bit.
void tst_StoreProfiles::singlesStoredExactly() {
    QFETCH(qint32, model);
    QFETCH(QList<qint32>, records);
    QFETCH(QString, column);
    QFETCH(float, single);
    QVERIFY(store(model, records, addLogbook(model)));
    Database db = Database::open(Settings::instance().databaseName());
    Recordset rs(db, QStringLiteral("SELECT %1 FROM DIVE").arg(column));
    QCOMPARE(rs.value(0).toDouble(), double(single));
}

void tst_StoreProfiles::unwritableDiveIsLeftOut_data() {
    QTest::addColumn<qint32>("model");
    QTest::addColumn<QList<qint32>>("records");
    QTest::addColumn<QString>("leftOut");
    const QList<qint32> good = fixtures::header52(1, {{2, 11}}) + QList<qint32>{123, 2, 0, 15};
    const QList<qint32> deep = QList<qint32>{10000, 0, 0, 0};
    QTest::newRow("first dive 1000 m deep") << 4 << fixtures::header52(1) + deep + good << "2024-05-10 09:30";
    QTest::newRow("last dive 1000 m deep") << 1 << good + fixtures::header52(1, {{2, 13}}) + deep << "2024-05-13 09:30";
    QList<qint32> session = fixtures::kobiSession(1);
    session[23] = 10000; // a free dive's depth beyond what the profile text holds
    QTest::newRow("kobi session point beyond 9999")
        << 32 << fixtures::kobiScuba(1, {{1, 20}}) + session << "2024-05-10 10:15";
    // A damaged record costs only itself, also when it cannot be decoded at all.
    QTest::newRow("kobi session time beyond 16 bits")
        << 32 << fixtures::kobiScuba(1, {{1, 20}}) + fixtures::kobiSession(0, {{11, 600}}) << "2024-05-10 10:15";
}

void tst_StoreProfiles::unwritableDiveIsLeftOut() {
    QFETCH(qint32, model);
    QFETCH(QList<qint32>, records);
    QFETCH(QString, leftOut);
    QVERIFY(store(model, records, addLogbook(model)));
    const QString summary = env->fakes.message->shown.last().text;
    QVERIFY2(summary.contains(QStringLiteral("Total dives: 2\n")) &&
                 summary.contains(QStringLiteral("Logged dives: 1\n")) &&
                 summary.endsWith(QStringLiteral("Dives not stored, their data cannot be written: ") + leftOut),
             qPrintable(summary));
    QCOMPARE(snapshot().size(), 1 + 1);
}

void tst_StoreProfiles::gaugeEndsAtItsMaximum_data() {
    QTest::addColumn<qint32>("model");
    QTest::addColumn<QList<qint32>>("records");
    QTest::addColumn<int>("rows");
    const QList<qint32> good = fixtures::header52(1) + QList<qint32>{123, 2, 0, 15};
    QTest::newRow("every dive stored") << 1 << good + fixtures::header52(0, {{2, 11}}) << 2;
    QTest::newRow("a dive that cannot be written")
        << 4 << good + fixtures::header52(1, {{2, 13}}) + QList<qint32>{10000, 0, 0, 0} << 1;
    const QList<qint32> damaged = fixtures::kobiSession(0, {{11, 600}}); // a session time beyond 16 bits
    QTest::newRow("kobi session left out")
        << 32 << fixtures::kobiScuba(1, {{1, 20}}) + damaged + fixtures::kobiScuba(0, {{1, 21}}) << 2;
    QTest::newRow("kobi first and last left out")
        << 32 << damaged + fixtures::kobiScuba(1, {{1, 20}}) + fixtures::kobiSession(0, {{1, 22}, {11, 600}}) << 1;
    QTest::newRow("kobi nothing but a left-out session") << 32 << damaged << 0;
}

// The bar moves one step per record while decoding and one per record while storing, whatever
// becomes of the record: a download that completes fills it.
void tst_StoreProfiles::gaugeEndsAtItsMaximum() {
    QFETCH(qint32, model);
    QFETCH(QList<qint32>, records);
    QFETCH(int, rows);
    QVERIFY(store(model, records, addLogbook(model)));
    const FakeProgressBar& bar = world->progress;
    const QList<int> stored = bar.values.mid(bar.values.lastIndexOf(1));
    QList<int> steps;
    for (int v = 1; v <= bar.max(); ++v)
        steps << v;
    QCOMPARE(stored, steps);
    QCOMPARE(bar.value(), bar.max());
    QCOMPARE(snapshot().size(), 1 + rows);
}

QTEST_GUILESS_MAIN(tst_StoreProfiles)
#include "tst_storeprofiles.moc"
