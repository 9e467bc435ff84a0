#include "Internationalization.h"
#include "MainModule.h"
#include "RuntimeError.h"
#include "Settings.h"
#include "SettingsStore.h"
#include "TestEnvironment.h"

#include <QSettings>
#include <QtTest>

class tst_Settings : public QObject {
    Q_OBJECT
private slots:
    void defaultsWithEmptyStore();
    void readsStoredValues();
    void damagedValueReadsAsDefault_data();
    void damagedValueReadsAsDefault();
    void databaseNameHasOneSeparator_data();
    void databaseNameHasOneSeparator();
    void helpPathByLanguage_data();
    void helpPathByLanguage();
    void languageOffset_data();
    void languageOffset();
    void colourEntryOutOfRange();
    void shortColourArrayKeepsTheRest();
    void filterState();
    void saveGroups_data();
    void saveGroups();
    void modelPredicates_data();
    void modelPredicates();
    void recreatedAfterRelease();
    void serializedValuesReadAsDefault_data();
    void serializedValuesReadAsDefault();
    void unwritableStoreFails();
};

void tst_Settings::defaultsWithEmptyStore() {
    TestEnvironment env;
    Settings& s = Settings::instance();
    QCOMPARE(s.currentDiveComputer(), 1);
    QCOMPARE(s.comPort(), 1);
    QCOMPARE(s.currentLanguage(), Settings::LANG_ITALIAN);
    QCOMPARE(s.currentDiverIcon(), 1);
    QCOMPARE(s.currentStatisticsMode(), 3);
    QCOMPARE(s.getProfileColor(0), 0xFFFF00); // light cyan: red in the lowest byte
    QCOMPARE(s.getPrinterColor(0), 0);
    QCOMPARE(s.currentProfileColors(), (QList<qint32>{0xFFFF00, 0x00FFFF, 0x0000FF, 0x800080, 0x000080, 0x00FF00}));
    QCOMPARE(s.currentLogbookID(), -1);
    QCOMPARE(s.currentDiveID(), -1);
    QCOMPARE(s.currentFilter(),
             QStringLiteral("SELECT * FROM DIVE WHERE DIVE_ID IS NOT NULL ORDER BY [DATETIME] DESC"));
    QCOMPARE(s.defaultFilter(), QStringLiteral("SELECT * FROM DIVE WHERE DIVE_ID IS NOT NULL"));
    QCOMPARE(s.dbFileName(), QStringLiteral("dives.mdb"));
    QVERIFY(!s.isDebugMode());
    QCOMPARE(applicationHelpFile(), env.folder() + "help/SONA2_i.html");
}

void tst_Settings::readsStoredValues() {
    TestEnvironment env;
    env.storeSetting("DiveComputer", "32");
    env.storeSetting("SerialPort", "4");
    env.storeSetting("Language", "0");
    env.storeSetting("DiverIcon", "5");
    env.storeSetting("Statistics", "2.5"); // halves to even
    env.storeSetting("proColor3", "123456");
    env.storeSetting("ptrColor5", "-1");
    Settings& s = Settings::instance();
    QCOMPARE(s.currentDiveComputer(), 32);
    QCOMPARE(s.comPort(), 4);
    QCOMPARE(s.currentLanguage(), Settings::LANG_ENGLISH);
    QCOMPARE(s.currentDiverIcon(), 5);
    QCOMPARE(s.currentStatisticsMode(), 2);
    QCOMPARE(s.getProfileColor(3), 123456);
    QCOMPARE(s.getPrinterColor(5), -1);
    QCOMPARE(s.getPrinterColor(4), 128);
}

void tst_Settings::damagedValueReadsAsDefault_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::newRow("letters in model") << "DiveComputer"
                                      << "zento";
    QTest::newRow("empty port") << "SerialPort"
                                << "";
    QTest::newRow("language beyond 16 bits") << "Language"
                                             << "70000";
    QTest::newRow("colour beyond 32 bits") << "proColor0"
                                           << "99999999999";
}

void tst_Settings::damagedValueReadsAsDefault() {
    QFETCH(QString, key);
    QFETCH(QString, value);
    TestEnvironment env;
    env.storeSetting(key, value);
    Settings& s = Settings::instance();
    QCOMPARE(s.currentDiveComputer(), 1);
    QCOMPARE(s.comPort(), 1);
    QCOMPARE(s.currentLanguage(), 3);
    QCOMPARE(s.getProfileColor(0), 0xFFFF00);
}

void tst_Settings::databaseNameHasOneSeparator_data() {
    QTest::addColumn<QString>("home");
    QTest::newRow("without separator") << "/opt/sona";
    QTest::newRow("with separator") << "/opt/sona/";
    QTest::newRow("root folder") << "/";
}

void tst_Settings::databaseNameHasOneSeparator() {
    QFETCH(QString, home);
    TestEnvironment env;
    qputenv("SONA_HOME", home.toUtf8());
    env.restart();
    const QString expected = (home.endsWith('/') ? home : home + '/') + "dives.mdb";
    QCOMPARE(Settings::instance().databaseName(), expected);
}

void tst_Settings::helpPathByLanguage_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("file");
    QTest::newRow("english") << 0 << "help/SONA2_e.html";
    QTest::newRow("french") << 1 << "help/SONA2_f.html";
    QTest::newRow("german") << 2 << "help/SONA2_d.html";
    QTest::newRow("italian") << 3 << "help/SONA2_i.html";
    QTest::newRow("portuguese") << 4 << "help/SONA2_p.html";
    QTest::newRow("spanish") << 5 << "help/SONA2_s.html";
    QTest::newRow("beyond") << 6 << "";
    QTest::newRow("negative") << -1 << "";
}

void tst_Settings::helpPathByLanguage() {
    QFETCH(int, language);
    QFETCH(QString, file);
    TestEnvironment env;
    const QString path = Settings::instance().getHelpPathName(qint16(language));
    QCOMPARE(path, file.isEmpty() ? QString() : env.folder() + file);
}

void tst_Settings::languageOffset_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("offset");
    QTest::newRow("english") << "0" << 10000;
    QTest::newRow("french") << "1" << 20000;
    QTest::newRow("german") << "2" << 30000;
    QTest::newRow("italian") << "3" << 0;
    QTest::newRow("portuguese") << "4" << 40000;
    QTest::newRow("spanish") << "5" << 50000;
    QTest::newRow("unknown code") << "7" << -1;
}

void tst_Settings::languageOffset() {
    QFETCH(QString, stored);
    QFETCH(int, offset);
    TestEnvironment env;
    env.storeSetting("Language", stored);
    if (offset < 0) {
        try {
            Settings::instance().languageResourceOffset();
            QFAIL("no error");
        } catch (const RuntimeError& e) {
            QCOMPARE(e.number(), 9);
        }
        QCOMPARE(getString(1000), QString()); // every string reads as empty
    } else {
        QCOMPARE(Settings::instance().languageResourceOffset(), offset);
    }
}

void tst_Settings::colourEntryOutOfRange() {
    TestEnvironment env;
    for (int entry : {-1, 6}) {
        QVERIFY_THROWS_EXCEPTION(RuntimeError, Settings::instance().getProfileColor(entry));
        QVERIFY_THROWS_EXCEPTION(RuntimeError, Settings::instance().getPrinterColor(entry));
    }
}

void tst_Settings::shortColourArrayKeepsTheRest() {
    TestEnvironment env;
    env.fakes.message->answers.enqueue(Msg::Ok);
    Settings& s = Settings::instance();
    s.setCurrentProfileColors({1, 2, 3, 4});
    QCOMPARE(s.currentProfileColors(), (QList<qint32>{1, 2, 3, 4, 0x000080, 0x00FF00}));
    QCOMPARE(env.fakes.message->shown.size(), 1);
    const ShownMessage& box = env.fakes.message->shown.first();
    QCOMPARE(box.text, QStringLiteral("[Settings.currentProfileColors]: Error setting the array values. Array lengths "
                                      "not match. \n [9] - Subscript out of range"));
    QCOMPARE(box.flags, Msg::OkOnly);
    QCOMPARE(box.title, QString());

    env.fakes.message->answers.enqueue(Msg::Ok);
    s.setCurrentPrinterColors({7});
    QVERIFY(env.fakes.message->shown.last().text.startsWith("[Settings.currentPrinterColors]"));
    QCOMPARE(s.getPrinterColor(0), 7);
    QCOMPARE(s.getPrinterColor(1), 0x00FFFF);

    s.setCurrentPrinterColors({1, 2, 3, 4, 5, 6, 7, 8}); // extra entries are ignored
    QCOMPARE(s.currentPrinterColors(), (QList<qint32>{1, 2, 3, 4, 5, 6}));
}

void tst_Settings::filterState() {
    TestEnvironment env;
    Settings& s = Settings::instance();
    QVERIFY(!s.isFilterOn());
    s.setCurrentFilter(s.defaultFilter() + " AND MAX_DEPTH > 10" + Settings::UNFILTERED_ORDER);
    QVERIFY(s.isFilterOn());
    s.setCurrentFilter(s.defaultFilter() + Settings::UNFILTERED_ORDER);
    QVERIFY(!s.isFilterOn());
}

void tst_Settings::saveGroups_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<QStringList>("written");
    const QStringList colours = {"proColor0", "ptrColor0", "proColor1", "ptrColor1", "proColor2", "ptrColor2",
                                 "proColor3", "ptrColor3", "proColor4", "ptrColor4", "proColor5", "ptrColor5"};
    QTest::newRow("options dialog") << 120 << (QStringList{"SerialPort", "DiverIcon", "Statistics"} + colours);
    QTest::newRow("statistics only") << 64 << QStringList{"Statistics"};
    QTest::newRow("model") << 1 << QStringList{"DiveComputer"};
    QTest::newRow("language and unit") << 6 << QStringList{"Language", "MeasureUnit"};
    QTest::newRow("all")
        << 0
        << (QStringList{"DiveComputer", "Language", "MeasureUnit", "SerialPort", "DiverIcon", "Statistics"} + colours);
    QTest::newRow("bits above 64 ignored") << 128 << QStringList{};
}

void tst_Settings::saveGroups() {
    QFETCH(int, mode);
    QFETCH(QStringList, written);
    TestEnvironment env;
    Settings::instance().save(mode);
    QSettings store(SettingsStore::fileName(), QSettings::IniFormat);
    store.beginGroup("Settings");
    QStringList keys = store.childKeys();
    keys.sort();
    written.sort();
    QCOMPARE(keys, written);
}

void tst_Settings::modelPredicates_data() {
    QTest::addColumn<int>("model");
    QTest::addColumn<bool>("rgbm");
    QTest::addColumn<bool>("air");
    QTest::addColumn<int>("bottomTime");
    QTest::addColumn<int>("freeDive");
    QTest::newRow("zento") << 1 << false << false << 2 << 99;
    QTest::newRow("lumo") << 2 << false << false << 2 << 99;
    QTest::newRow("zento rgbm") << 4 << true << false << 2 << 99;
    QTest::newRow("tavex") << 8 << true << true << 2 << 99;
    QTest::newRow("lumo air") << 16 << true << true << 2 << 99;
    QTest::newRow("kobi") << 32 << true << false << 3 << 2;
    QTest::newRow("two models") << 3 << false << false << 2 << 99;
}

void tst_Settings::modelPredicates() {
    QFETCH(int, model);
    QFETCH(bool, rgbm);
    QFETCH(bool, air);
    QFETCH(int, bottomTime);
    QFETCH(int, freeDive);
    TestEnvironment env;
    Settings::instance().setCurrentDiveComputer(model);
    QCOMPARE(Settings::instance().isCurrentDiveComputerRGBM(), rgbm);
    QCOMPARE(Settings::instance().isCurrentDiveComputerAir(), air);
    QCOMPARE(Settings::instance().getBottomTimeCode(), bottomTime);
    QCOMPARE(Settings::instance().getFreeDiveCode(), freeDive);
}

void tst_Settings::recreatedAfterRelease() {
    TestEnvironment env;
    Settings::instance().setComPort(9);
    Settings::instance().save(Settings::SAVE_SERIAL_PORT);
    Settings::instance().setCurrentDiverIcon(4); // in memory only
    Settings::release();
    QVERIFY(!Settings::exists());
    QCOMPARE(Settings::instance().comPort(), 9);
    QCOMPARE(Settings::instance().currentDiverIcon(), 1);
}

void tst_Settings::serializedValuesReadAsDefault_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::newRow("variant of a GUI type") << QByteArray("DiveComputer=@Variant(\\0\\0\\0\\x49\\0(0\\0\\x4)");
    QTest::newRow("variant of a list") << QByteArray("DiveComputer=@Variant(\\0\\0\\0\\t\\0\\0\\0\\x1)");
    QTest::newRow("byte array") << QByteArray("DiveComputer=@ByteArray(8)");
    QTest::newRow("rectangle") << QByteArray("DiveComputer=@Rect(0 0 8 8)");
}

// A value that QSettings would decode into an object of its own is no decimal text: it reads as the
// default, and storing other keys beside it still works.
void tst_Settings::serializedValuesReadAsDefault() {
    QFETCH(QByteArray, line);
    TestEnvironment env;
    const QString path = SettingsStore::fileName();
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[Settings]\n" + line + "\nSerialPort=7\n");
    file.close();

    QCOMPARE(Settings::instance().currentDiveComputer(), 1);
    QCOMPARE(Settings::instance().comPort(), 7);
    Settings::instance().setComPort(9);
    Settings::instance().save(Settings::SAVE_SERIAL_PORT);
    Settings::release();
    QCOMPARE(Settings::instance().comPort(), 9);
    QCOMPARE(Settings::instance().currentDiveComputer(), 1);
}

void tst_Settings::unwritableStoreFails() {
    TestEnvironment env;
    Settings::instance().setComPort(4);
    Settings::instance().save(Settings::SAVE_SERIAL_PORT);
    // A folder where the file should be: nothing can be written there.
    const QString path = SettingsStore::fileName();
    QVERIFY(QFile::remove(path));
    QVERIFY(QDir().mkpath(path));

    Settings::instance().setComPort(12);
    try {
        Settings::instance().save(Settings::SAVE_SERIAL_PORT);
        QFAIL("no error");
    } catch (const RuntimeError& e) {
        QCOMPARE(e.number(), SettingsStore::WRITE_FAILED);
        QVERIFY2(e.description().contains(path), qPrintable(e.description()));
    }
    // What the program reads back is what the store holds, not what it was asked to hold.
    QCOMPARE(SettingsStore::value(QStringLiteral("SerialPort"), QStringLiteral("1")), QStringLiteral("1"));
}

QTEST_GUILESS_MAIN(tst_Settings)
#include "tst_settings.moc"
