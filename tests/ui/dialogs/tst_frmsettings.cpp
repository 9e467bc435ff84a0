#include "ColorBox.h"
#include "Internationalization.h"
#include "MainModule.h"
#include "Settings.h"
#include "SettingsStore.h"
#include "TestEnvironment.h"
#include "frmSettings.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QTreeWidget>
#include <QtTest>

namespace {
// What the store holds for a key; "-" when the key was never written.
QString stored(const QString& key) {
    return SettingsStore::value(key, QStringLiteral("-"));
}

QStringList shownTexts(const FakeMessageService& messages) {
    QStringList texts;
    for (const ShownMessage& message : messages.shown)
        texts << message.text;
    return texts;
}

QString checkedName(const QList<QRadioButton*>& options) {
    for (QRadioButton* option : options) {
        if (option->isChecked())
            return option->objectName();
    }
    return QStringLiteral("none");
}

QList<QRadioButton*> modelOptions(const frmSettings& d) {
    return {d.optZento, d.optLUMO, d.optZentoRGBM, d.optTAVEX, d.optLUMO_AIR, d.optKOBI};
}

void showPage(frmSettings& dialog, const char* key) {
    dialog.tvSettings_NodeClick(dialog.node(QLatin1String(key)));
}

bool pageShown(const frmSettings& dialog, int page) {
    return !dialog.picOptions[page]->isHidden() && dialog.picOptions[page]->isEnabled();
}

const QStringList savedGroupKeys{"SerialPort", "DiverIcon", "Statistics", "proColor0",
                                 "proColor5",  "ptrColor0", "ptrColor5"};
const QStringList nextStartKeys{"DiveComputer", "Language", "MeasureUnit"};
} // namespace

class tst_frmSettings : public QObject {
    Q_OBJECT
private slots:
    void loadBuildsTreeAndShowsGeneral();
    void generalPageShowsRunningValues_data();
    void generalPageShowsRunningValues();
    void okAtOnceSavesEveryValue();
    void notices_data();
    void notices();
    void earlierChoiceSurvivesLaterOk();
    void unsavedSettingsAreReported();
    void cancelWritesNothing();
    void measurementLabelsUseTheChosenSystem_data();
    void measurementLabelsUseTheChosenSystem();
    void downloadEntryShowsSerialPort();
    void serialPort_data();
    void serialPort();
    void diverIcon_data();
    void diverIcon();
    void colours();
    void statisticsPage_data();
    void statisticsPage();
    void statisticsEdits_data();
    void statisticsEdits();
};

void tst_frmSettings::loadBuildsTreeAndShowsGeneral() {
    TestEnvironment env;
    env.fakes.busyPointer->busy = true;
    frmSettings dialog;

    QCOMPARE(dialog.windowTitle(), getString(2050));
    QTreeWidgetItem* root = dialog.node(QStringLiteral("settings"));
    QVERIFY(root && root->isExpanded());
    QCOMPARE(root->text(0), getString(2050));
    const QList<QPair<QString, int>> pages{{"A0", 2074}, {"A1", 2075}, {"A2", 2076}, {"A3", 2086}, {"A4", 2087}};
    QCOMPARE(root->childCount(), pages.size());
    for (int i = 0; i < pages.size(); ++i) {
        QCOMPARE(root->child(i)->data(0, Qt::UserRole).toString(), pages[i].first);
        QCOMPARE(root->child(i)->text(0), getString(pages[i].second));
    }
    QVERIFY(pageShown(dialog, 0));
    for (int page = 1; page < 5; ++page)
        QVERIFY(!pageShown(dialog, page));
    QCOMPARE(dialog.lbl_Setting->text(), QLatin1Char(' ') + dialog.node(QStringLiteral("A0"))->text(0));
    QVERIFY(!env.fakes.busyPointer->busy);

    // The root is no page: clicking it changes nothing.
    dialog.tvSettings_NodeClick(root);
    QVERIFY(pageShown(dialog, 0));
    QCOMPARE(dialog.lbl_Setting->text(), QLatin1Char(' ') + dialog.node(QStringLiteral("A0"))->text(0));
}

void tst_frmSettings::generalPageShowsRunningValues_data() {
    QTest::addColumn<QString>("storedModel");
    QTest::addColumn<QString>("storedLanguage");
    QTest::addColumn<QString>("model");
    QTest::addColumn<QString>("language");
    QTest::newRow("defaults") << "-"
                              << "-"
                              << "optZento"
                              << "optLanguage3";
    QTest::newRow("Kobi in English") << "32"
                                     << "0"
                                     << "optKOBI"
                                     << "optLanguage0";
    QTest::newRow("several model bits") << "3"
                                        << "5"
                                        << "none"
                                        << "optLanguage5";
    QTest::newRow("model bit above the six") << "64"
                                             << "1"
                                             << "none"
                                             << "optLanguage1";
    QTest::newRow("language out of range") << "8"
                                           << "9"
                                           << "optTAVEX"
                                           << "none";
}

void tst_frmSettings::generalPageShowsRunningValues() {
    QFETCH(QString, storedModel);
    QFETCH(QString, storedLanguage);
    QFETCH(QString, model);
    QFETCH(QString, language);
    TestEnvironment env;
    if (storedModel != "-")
        env.storeSetting(QStringLiteral("DiveComputer"), storedModel);
    if (storedLanguage != "-")
        env.storeSetting(QStringLiteral("Language"), storedLanguage);

    frmSettings dialog;
    QCOMPARE(checkedName(modelOptions(dialog)), model);
    QCOMPARE(checkedName({dialog.optLanguage.begin(), dialog.optLanguage.end()}), language);
    for (int i = 0; i < 6; ++i)
        QCOMPARE(dialog.optLanguage[i]->isEnabled(), Settings::instance().isLanguageAvailable(quint8(i)));

    // Nothing chosen: OK writes back what the next start would have used anyway.
    dialog.cmdOk_Click();
    QCOMPARE(stored(QStringLiteral("DiveComputer")), storedModel == "-" ? QStringLiteral("1") : storedModel);
    QCOMPARE(stored(QStringLiteral("Language")), storedLanguage == "-" ? QStringLiteral("3") : storedLanguage);
    QCOMPARE(env.fakes.message->shown.size(), 0);
}

void tst_frmSettings::okAtOnceSavesEveryValue() {
    TestEnvironment env;
    env.storeSetting(QStringLiteral("SerialPort"), QStringLiteral("5"));
    env.storeSetting(QStringLiteral("DiverIcon"), QStringLiteral("2"));
    env.storeSetting(QStringLiteral("Statistics"), QStringLiteral("1"));
    frmSettings dialog;
    dialog.cmdOk_Click();

    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(stored(QStringLiteral("SerialPort")), QStringLiteral("5"));
    QCOMPARE(stored(QStringLiteral("DiverIcon")), QStringLiteral("2"));
    QCOMPARE(stored(QStringLiteral("Statistics")), QStringLiteral("1"));
    const Settings& settings = Settings::instance();
    for (int i = 0; i < 6; ++i) {
        QCOMPARE(stored(QStringLiteral("proColor%1").arg(i)), QString::number(settings.getProfileColor(i)));
        QCOMPARE(stored(QStringLiteral("ptrColor%1").arg(i)), QString::number(settings.getPrinterColor(i)));
    }
    QCOMPARE(stored(QStringLiteral("DiveComputer")), QStringLiteral("1"));
    QCOMPARE(stored(QStringLiteral("Language")), QStringLiteral("3"));
    QCOMPARE(stored(QStringLiteral("MeasureUnit")), QStringLiteral("0"));
    QCOMPARE(env.fakes.message->shown.size(), 0);
}

void tst_frmSettings::notices_data() {
    QTest::addColumn<bool>("unit");
    QTest::addColumn<bool>("language");
    QTest::addColumn<bool>("model");
    QTest::addColumn<QList<int>>("strings");
    QTest::newRow("unit") << true << false << false << QList<int>{2078};
    QTest::newRow("language") << false << true << false << QList<int>{2077};
    QTest::newRow("unit and language") << true << true << false << QList<int>{2079};
    QTest::newRow("model") << false << false << true << QList<int>{2080};
    QTest::newRow("language and model") << false << true << true << QList<int>{2077, 2080};
    QTest::newRow("everything") << true << true << true << QList<int>{2079, 2080};
}

void tst_frmSettings::notices() {
    QFETCH(bool, unit);
    QFETCH(bool, language);
    QFETCH(bool, model);
    QFETCH(QList<int>, strings);
    TestEnvironment env;
    for (int i = 0; i < strings.size(); ++i)
        env.fakes.message->answers.enqueue(Msg::Ok);

    frmSettings dialog;
    if (unit) {
        showPage(dialog, "A1");
        dialog.optMeasureImperial->setChecked(true);
    }
    if (language)
        dialog.optLanguage[Settings::LANG_ENGLISH]->setChecked(true);
    if (model)
        dialog.optKOBI->setChecked(true);
    dialog.cmdOk_Click();

    QStringList expected;
    for (int id : strings)
        expected << getString(id);
    QCOMPARE(shownTexts(*env.fakes.message), expected);
    for (const ShownMessage& message : env.fakes.message->shown) {
        QCOMPARE(message.flags, Msg::OkOnly | Msg::Information);
        QCOMPARE(message.title, getString(1004));
    }
    QCOMPARE(env.fakes.message->unexpected, 0);

    QCOMPARE(stored(QStringLiteral("MeasureUnit")), unit ? QStringLiteral("1") : QStringLiteral("0"));
    QCOMPARE(stored(QStringLiteral("Language")), language ? QStringLiteral("0") : QStringLiteral("3"));
    QCOMPARE(stored(QStringLiteral("DiveComputer")), model ? QStringLiteral("32") : QStringLiteral("1"));
    // The running program keeps what it started with.
    QCOMPARE(Internationalization::instance().measureUnit(), qint16(0));
    QCOMPARE(Settings::instance().currentLanguage(), Settings::LANG_ITALIAN);
    QCOMPARE(Settings::instance().currentDiveComputer(), 1);
}

void tst_frmSettings::earlierChoiceSurvivesLaterOk() {
    TestEnvironment env;
    env.fakes.message->answers << Msg::Ok << Msg::Ok;
    {
        frmSettings dialog;
        dialog.optLanguage[Settings::LANG_GERMAN]->setChecked(true);
        dialog.cmdOk_Click();
    }
    QCOMPARE(stored(QStringLiteral("Language")), QString::number(Settings::LANG_GERMAN));
    {
        // The choice for the next start is what the dialog shows, and OK keeps it.
        frmSettings dialog;
        QVERIFY(dialog.optLanguage[Settings::LANG_GERMAN]->isChecked());
        dialog.cmdOk_Click();
    }
    QCOMPARE(stored(QStringLiteral("Language")), QString::number(Settings::LANG_GERMAN));
    {
        // And it can be changed again: the last choice is the one the next start uses.
        frmSettings dialog;
        dialog.optLanguage[Settings::LANG_ENGLISH]->setChecked(true);
        dialog.cmdOk_Click();
    }
    QCOMPARE(stored(QStringLiteral("Language")), QString::number(Settings::LANG_ENGLISH));
    QCOMPARE(Settings::instance().currentLanguage(), Settings::LANG_ITALIAN);
    QCOMPARE(env.fakes.message->shown.size(), 2);
    QCOMPARE(env.fakes.message->unexpected, 0);
}

void tst_frmSettings::unsavedSettingsAreReported() {
    TestEnvironment env;
    // A folder where the file should be: nothing can be written there.
    QVERIFY(QDir().mkpath(SettingsStore::fileName()));
    env.fakes.message->answers << Msg::Ok;
    frmSettings dialog;
    dialog.cmdOk_Click();
    QCOMPARE(env.fakes.message->shown.size(), 1);
    const ShownMessage& box = env.fakes.message->shown[0];
    QVERIFY2(box.text.contains(SettingsStore::fileName()), qPrintable(box.text));
    QCOMPARE(box.flags, Msg::OkOnly | Msg::Critical);
    QCOMPARE(box.title, getString(1005));
}

void tst_frmSettings::cancelWritesNothing() {
    TestEnvironment env;
    env.fakes.fileDialogs->colors.enqueue(QColor(1, 2, 3));
    const QList<qint32> profileColors = Settings::instance().currentProfileColors();
    const qint16 port = Settings::instance().comPort();

    frmSettings dialog;
    dialog.optKOBI->setChecked(true);
    dialog.optLanguage[Settings::LANG_ENGLISH]->setChecked(true);
    showPage(dialog, "A1");
    dialog.optMeasureImperial->setChecked(true);
    showPage(dialog, "A2");
    dialog.comboCOM->setCurrentIndex(9);
    showPage(dialog, "A3");
    dialog.picColor[0]->onDoubleClick();
    dialog.cmdCancel_Click();

    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    for (const QString& key : savedGroupKeys + nextStartKeys)
        QCOMPARE(stored(key), QStringLiteral("-"));
    QCOMPARE(Settings::instance().currentProfileColors(), profileColors);
    QCOMPARE(Settings::instance().comPort(), port);
    QCOMPARE(env.fakes.message->shown.size(), 0);
}

void tst_frmSettings::measurementLabelsUseTheChosenSystem_data() {
    QTest::addColumn<QString>("running");
    QTest::addColumn<bool>("chooseImperial");
    QTest::newRow("metric shown while metric") << "0" << false;
    QTest::newRow("imperial chosen while metric") << "0" << true;
    QTest::newRow("imperial shown while imperial") << "1" << true;
}

void tst_frmSettings::measurementLabelsUseTheChosenSystem() {
    QFETCH(QString, running);
    QFETCH(bool, chooseImperial);
    TestEnvironment env;
    env.storeSetting(QStringLiteral("MeasureUnit"), running);
    const qint16 runningUnit = Internationalization::instance().measureUnit();

    frmSettings dialog;
    showPage(dialog, "A1");
    QCOMPARE(dialog.optMeasureImperial->isChecked(), running == "1");
    if (chooseImperial)
        dialog.optMeasureImperial->setChecked(true);

    const bool imperial = chooseImperial;
    QCOMPARE(dialog.lbl_Depth->text(),
             getString(imperial ? 2058 : 2057) + " (" + getString(imperial ? 1081 : 1080) + ")");
    QCOMPARE(dialog.lbl_Temperature->text(),
             getString(imperial ? 2060 : 2059) + " (" + getString(imperial ? 1083 : 1082) + ")");
    QCOMPARE(dialog.lbl_Pressure->text(), getString(imperial ? 2062 : 2061));
    QCOMPARE(dialog.lbl_Volume->text(),
             getString(imperial ? 2064 : 2063) + " (" + getString(imperial ? 1087 : 1086) + ")");
    QCOMPARE(Internationalization::instance().measureUnit(), runningUnit);

    // A page keeps its contents while the dialog is open.
    showPage(dialog, "A2");
    showPage(dialog, "A1");
    QCOMPARE(dialog.optMeasureImperial->isChecked(), imperial);
}

void tst_frmSettings::downloadEntryShowsSerialPort() {
    TestEnvironment env;
    env.storeSetting(QStringLiteral("SerialPort"), QStringLiteral("4"));
    frmSettings dialog;
    showPage(dialog, "A2");

    QVERIFY(pageShown(dialog, 2));
    for (int page : {0, 1, 3, 4})
        QVERIFY(!pageShown(dialog, page));
    QCOMPARE(dialog.tvSettings->currentItem(), dialog.node(QStringLiteral("A2")));
    QCOMPARE(dialog.lbl_Setting->text(), QLatin1Char(' ') + getString(2076));
    QCOMPARE(dialog.comboCOM->currentIndex(), 3);
    QVERIFY(dialog.optZento->isChecked()); // the General page was filled while loading

    dialog.comboCOM->setCurrentIndex(9);
    dialog.cmdOk_Click();
    QCOMPARE(Settings::instance().comPort(), qint16(10));
    QCOMPARE(stored(QStringLiteral("SerialPort")), QStringLiteral("10"));
}

void tst_frmSettings::serialPort_data() {
    QTest::addColumn<QString>("storedPort");
    QTest::addColumn<int>("shownIndex");
    QTest::addColumn<int>("chosenIndex"); // -1: none
    QTest::addColumn<QString>("savedPort");
    QTest::newRow("in the list") << "7" << 6 << -1 << "7";
    QTest::newRow("last in the list") << "30" << 29 << -1 << "30";
    QTest::newRow("no port") << "0" << -1 << -1 << "0";
    QTest::newRow("above the list") << "45" << -1 << -1 << "45";
    QTest::newRow("negative") << "-2" << -1 << -1 << "-2";
    QTest::newRow("above the list, then chosen") << "45" << -1 << 2 << "3";
}

void tst_frmSettings::serialPort() {
    QFETCH(QString, storedPort);
    QFETCH(int, shownIndex);
    QFETCH(int, chosenIndex);
    QFETCH(QString, savedPort);
    TestEnvironment env;
    env.storeSetting(QStringLiteral("SerialPort"), storedPort);

    frmSettings dialog;
    showPage(dialog, "A2");
    QCOMPARE(dialog.comboCOM->currentIndex(), shownIndex);
    QCOMPARE(dialog.comboCOM->count(), 30);
    if (chosenIndex >= 0)
        dialog.comboCOM->setCurrentIndex(chosenIndex);
    dialog.cmdOk_Click();
    QCOMPARE(stored(QStringLiteral("SerialPort")), savedPort);
    QCOMPARE(Settings::instance().comPort(), qint16(savedPort.toShort()));
}

void tst_frmSettings::diverIcon_data() {
    QTest::addColumn<QString>("storedIcon");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("savedIcon");
    QTest::newRow("first") << "1"
                           << "optDiver0"
                           << "1";
    QTest::newRow("last") << "6"
                          << "optDiver5"
                          << "6";
    QTest::newRow("below the first") << "0"
                                     << "optDiver0"
                                     << "1";
    QTest::newRow("above the last") << "9"
                                    << "none"
                                    << "9";
}

void tst_frmSettings::diverIcon() {
    QFETCH(QString, storedIcon);
    QFETCH(QString, shown);
    QFETCH(QString, savedIcon);
    TestEnvironment env;
    env.storeSetting(QStringLiteral("DiverIcon"), storedIcon);

    frmSettings dialog;
    showPage(dialog, "A3");
    QCOMPARE(checkedName({dialog.optDiver.begin(), dialog.optDiver.end()}), shown);
    for (QLabel* image : dialog.imageSub)
        QVERIFY(!image->pixmap().isNull());
    dialog.cmdOk_Click();
    QCOMPARE(stored(QStringLiteral("DiverIcon")), savedIcon);
    QCOMPARE(Settings::instance().currentDiverIcon(), qint16(savedIcon.toShort()));
}

void tst_frmSettings::colours() {
    TestEnvironment env;
    const QColor chosen(200, 30, 10);
    env.fakes.fileDialogs->colors.enqueue(chosen);
    env.fakes.fileDialogs->colors.enqueue(QColor()); // the printer colour's dialog is cancelled
    const Settings& settings = Settings::instance();
    const qint32 printerDeco = settings.getPrinterColor(frmSettings::PROFILE_COLOR_DECO);

    frmSettings dialog;
    showPage(dialog, "A3");
    QCOMPARE(dialog.listProfileColor->count(), 4);
    QCOMPARE(dialog.listProfileColor->currentRow(), frmSettings::PROFILE_COLOR_NORMAL);
    QCOMPARE(dialog.listProfileColor->item(3)->text(), getString(1213));
    QCOMPARE(valueFromColor(dialog.picColor[0]->color()), settings.getProfileColor(0));

    dialog.listProfileColor->setCurrentRow(frmSettings::PROFILE_COLOR_DECO);
    QCOMPARE(valueFromColor(dialog.picColor[1]->color()), printerDeco);
    QTest::mouseDClick(dialog.picColor[0], Qt::LeftButton);
    QTest::mouseDClick(dialog.picColor[1], Qt::LeftButton);
    QCOMPARE(dialog.picColor[0]->color(), chosen);
    QCOMPARE(valueFromColor(dialog.picColor[1]->color()), printerDeco);
    dialog.cmdOk_Click();

    QCOMPARE(settings.getProfileColor(frmSettings::PROFILE_COLOR_DECO), valueFromColor(chosen));
    QCOMPARE(stored(QStringLiteral("proColor2")), QString::number(200 + 256 * 30 + 65536 * 10));
    QCOMPARE(stored(QStringLiteral("ptrColor2")), QString::number(printerDeco));
}

void tst_frmSettings::statisticsPage_data() {
    QTest::addColumn<QString>("storedMode");
    QTest::addColumn<bool>("askTicked");
    QTest::addColumn<bool>("scopeEnabled");
    QTest::addColumn<QString>("scope");
    QTest::newRow("0") << "0" << false << true << "optOnlyStatsLogbook";
    QTest::newRow("1") << "1" << true << false << "optOnlyStatsLogbook";
    QTest::newRow("2") << "2" << false << true << "optAllStatsArchive";
    QTest::newRow("3") << "3" << true << false << "optAllStatsArchive";
}

void tst_frmSettings::statisticsPage() {
    QFETCH(QString, storedMode);
    QFETCH(bool, askTicked);
    QFETCH(bool, scopeEnabled);
    QFETCH(QString, scope);
    TestEnvironment env;
    env.storeSetting(QStringLiteral("Statistics"), storedMode);

    frmSettings dialog;
    showPage(dialog, "A4");
    QCOMPARE(dialog.chkAskForStats->isChecked(), askTicked);
    QCOMPARE(dialog.frameStatsMode->isEnabled(), scopeEnabled);
    QCOMPARE(dialog.optAllStatsArchive->isEnabled(), scopeEnabled);
    QCOMPARE(dialog.optOnlyStatsLogbook->isEnabled(), scopeEnabled);
    QCOMPARE(checkedName({dialog.optAllStatsArchive, dialog.optOnlyStatsLogbook}), scope);
    dialog.cmdOk_Click();
    QCOMPARE(stored(QStringLiteral("Statistics")), storedMode);
}

void tst_frmSettings::statisticsEdits_data() {
    QTest::addColumn<QString>("storedMode");
    QTest::addColumn<QString>("edit");
    QTest::addColumn<QString>("savedMode");
    QTest::newRow("stop asking keeps all logbooks") << "3"
                                                    << "untick"
                                                    << "2";
    QTest::newRow("stop asking, current logbook") << "1"
                                                  << "untick"
                                                  << "0";
    QTest::newRow("start asking") << "2"
                                  << "tick"
                                  << "3";
    QTest::newRow("current logbook only") << "2"
                                          << "only"
                                          << "0";
    QTest::newRow("all logbooks") << "0"
                                  << "all"
                                  << "2";
}

void tst_frmSettings::statisticsEdits() {
    QFETCH(QString, storedMode);
    QFETCH(QString, edit);
    QFETCH(QString, savedMode);
    TestEnvironment env;
    env.storeSetting(QStringLiteral("Statistics"), storedMode);

    frmSettings dialog;
    showPage(dialog, "A4");
    if (edit == "untick" || edit == "tick")
        dialog.chkAskForStats->setChecked(edit == "tick");
    else if (edit == "only")
        dialog.optOnlyStatsLogbook->setChecked(true);
    else
        dialog.optAllStatsArchive->setChecked(true);
    QCOMPARE(dialog.frameStatsMode->isEnabled(), !dialog.chkAskForStats->isChecked());
    dialog.cmdOk_Click();
    QCOMPARE(stored(QStringLiteral("Statistics")), savedMode);
    QCOMPARE(Settings::instance().currentStatisticsMode(), qint16(savedMode.toShort()));
}

QTEST_MAIN(tst_frmSettings)
#include "tst_frmsettings.moc"
