#include "Dive.h"
#include "SettingsTab.h"
#include "SmartCheckBox.h"
#include "TabFixture.h"

#include <QGroupBox>
#include <QLabel>
#include <QtTest>

using Tab = TabFixture<SettingsTab>;

class tst_SettingsTab : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void captions();
    void fieldsByMode_data();
    void fieldsByMode();
    void headerValues_data();
    void headerValues();
    void tankValues_data();
    void tankValues();
    void nitroxValues_data();
    void nitroxValues();
    void noDiveKeepsWhatIsShown();
};

void tst_SettingsTab::captions() {
    Tab t(8);
    QCOMPARE(t.tab->objectName(), QStringLiteral("frameSettings"));
    QCOMPARE(t.tab->title(), QStringLiteral("Settings"));
    QCOMPARE(t.tab->lbl_Program->text(), QStringLiteral("Program:"));
    QCOMPARE(t.tab->scbReserve100Alarm->Caption(), QStringLiteral("Set 100 bar reserve alarm:"));
    QCOMPARE(t.tab->frameSettingsNitrox->title(), QStringLiteral("Nitrox"));
    QCOMPARE(t.tab->frameSettingsAir->title(), QStringLiteral("Tank Set"));
}

void tst_SettingsTab::fieldsByMode_data() {
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("diveMode");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<bool>("nitrox");
    QTest::addColumn<bool>("tank");
    QTest::addColumn<bool>("ascentSetEnabled");
    QTest::newRow("zento air") << 1 << 0 << "Air" << false << false << false;
    QTest::newRow("zento nitrox") << 1 << 1 << "Nitrox" << true << false << false;
    QTest::newRow("Tavex air") << 8 << 0 << "Air" << false << true << false;
    QTest::newRow("Lumo Air nitrox") << 16 << 1 << "Nitrox" << true << true << false;
    QTest::newRow("Tavex bottom time") << 8 << 2 << "Bottom Time" << false << false << false;
    QTest::newRow("Kobi air") << 32 << 0 << "Air" << false << false << true;
    QTest::newRow("Kobi bottom time") << 32 << 3 << "Bottom Time" << false << false << true;
    QTest::newRow("Kobi free-dive series") << 32 << 2 << "Free Dive" << false << false << false;
    QTest::newRow("unknown mode") << 16 << 9 << "---" << false << false << false;
}

void tst_SettingsTab::fieldsByMode() {
    QFETCH(int, model);
    QFETCH(int, diveMode);
    QFETCH(bool, nitrox);
    QFETCH(bool, tank);
    Tab t(model);
    SettingsTab& tab = *t.tab;
    const Dive dive = diveOf(model, diveMode);
    tab.fill(&dive);
    QTEST(tab.lblMode->text(), "mode");

    QCOMPARE(tab.frameSettingsNitrox->isEnabled(), nitrox);
    QCOMPARE(shown(tab.lbl_Mixture, tab.lblMixture), nitrox);
    QCOMPARE(shown(tab.lbl_PPO2, tab.lblPPO2), nitrox);
    QCOMPARE(tab.lbl_Mixture->isHidden(), false); // a caption greys, it never goes

    QCOMPARE(tab.frameSettingsAir->isEnabled(), tank);
    QCOMPARE(shown(tab.lbl_Reserve50, tab.lblReserve50), tank);
    QCOMPARE(shown(tab.lbl_Reserve100, tab.lblReserve100), tank);
    QCOMPARE(shown(tab.lbl_MeasureUnit, tab.lblMeasureUnit), tank);
    QCOMPARE(shown(tab.lbl_TankVolume, tab.lblTankVolume), tank);
    QCOMPARE(tab.scbReserve100Alarm->isEnabled(), tank);

    QTEST(tab.scbUncontrolledAscentSet->isEnabled(), "ascentSetEnabled");
    QVERIFY(tab.scbSoundAlarmSet->isEnabled());
}

void tst_SettingsTab::headerValues_data() {
    QTest::addColumn<int>("altitude");
    QTest::addColumn<int>("water");
    QTest::addColumn<int>("ascentMode");
    QTest::addColumn<int>("buzzer");
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("waterText");
    QTest::addColumn<int>("ascentMark");
    QTest::addColumn<int>("buzzerMark");
    QTest::newRow("P0, salt, nothing set") << 0 << 0 << 0 << 0 << "P0"
                                           << "Salt" << 0 << 0;
    QTest::newRow("P3, fresh, both set") << 3 << 1 << 1 << 2 << "P3"
                                         << "Fresh" << 2 << 2;
}

void tst_SettingsTab::headerValues() {
    QFETCH(int, altitude);
    QFETCH(int, water);
    QFETCH(int, ascentMode);
    QFETCH(int, buzzer);
    Tab t(1);
    Dive dive = diveOf(1, 0);
    dive.setAltitude(altitude);
    dive.setWater(water);
    dive.setAscentMode(ascentMode);
    dive.setBuzzer(buzzer);
    dive.setPersonalFactor(2);
    t.tab->fill(&dive);
    QTEST(t.tab->lblProgram->text(), "program");
    QTEST(t.tab->lblWater->text(), "waterText");
    QCOMPARE(t.tab->lblPersonalFactor->text(), QStringLiteral("2"));
    QTEST(int(t.tab->scbUncontrolledAscentSet->viewMode()), "ascentMark");
    QTEST(int(t.tab->scbSoundAlarmSet->viewMode()), "buzzerMark");
}

void tst_SettingsTab::tankValues_data() {
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("unit");
    QTest::addColumn<int>("measure");
    QTest::addColumn<float>("volume");
    QTest::addColumn<int>("reserve100Flag");
    QTest::addColumn<QString>("measureText");
    QTest::addColumn<QString>("volumeText");
    QTest::addColumn<bool>("pressureShown");
    QTest::addColumn<QString>("pressureText");
    QTest::addColumn<QString>("reserve50Text");
    QTest::addColumn<int>("alarmMark");
    QTest::newRow("litres: tenths, no tank pressure") << 8 << 0 << 0 << 125.0f << 1 << "lit./bar"
                                                      << "12.5 lit." << false << ""
                                                      << "50 bar" << 2;
    QTest::newRow("cubic feet: as stored, pressure as stored") << 16 << 0 << 1 << 80.0f << 0 << "cu.ft./psi"
                                                               << "80 cu.ft." << true << "3000 psi"
                                                               << "50 bar" << 0;
    QTest::newRow("imperial units convert the reserves only") << 8 << 1 << 0 << 120.0f << 0 << "lit./bar"
                                                              << "12 lit." << false << ""
                                                              << "725.2 psi" << 0;
}

void tst_SettingsTab::tankValues() {
    QFETCH(int, model);
    QFETCH(int, unit);
    QFETCH(int, measure);
    QFETCH(float, volume);
    QFETCH(int, reserve100Flag);
    QFETCH(bool, pressureShown);
    QFETCH(QString, pressureText);
    Tab t(model, unit);
    Dive dive = diveOf(model, 0);
    dive.setVolumeMeasure(measure);
    dive.setTankVolume(volume);
    dive.setTankPressure(3000);
    dive.setReserve50(50);
    dive.setReserve100(100);
    dive.setReserve100Flag(reserve100Flag);
    t.tab->fill(&dive);
    QTEST(t.tab->lblMeasureUnit->text(), "measureText");
    QTEST(t.tab->lblTankVolume->text(), "volumeText");
    QCOMPARE(shown(t.tab->lbl_TankPressure, t.tab->lblTankPressure), pressureShown);
    if (pressureShown)
        QCOMPARE(t.tab->lblTankPressure->text(), pressureText);
    QTEST(t.tab->lblReserve50->text(), "reserve50Text");
    QTEST(int(t.tab->scbReserve100Alarm->viewMode()), "alarmMark");
}

void tst_SettingsTab::nitroxValues_data() {
    QTest::addColumn<int>("unit");
    QTest::addColumn<QString>("ppo2");
    QTest::newRow("metric") << 0 << "1.4 bar";
    QTest::newRow("imperial") << 1 << "20.3 psi";
}

void tst_SettingsTab::nitroxValues() {
    QFETCH(int, unit);
    Tab t(4, unit);
    Dive dive = diveOf(4, 1);
    dive.setNitroxMixture(32);
    dive.setPPO2(1.4f);
    t.tab->fill(&dive);
    QCOMPARE(t.tab->lblMixture->text(), QStringLiteral("32 %"));
    QTEST(t.tab->lblPPO2->text(), "ppo2");
}

void tst_SettingsTab::noDiveKeepsWhatIsShown() {
    Tab t(1);
    Dive dive = diveOf(1, 1);
    dive.setAltitude(2);
    t.tab->fill(&dive);
    t.tab->fill(nullptr);
    QCOMPARE(t.tab->lblProgram->text(), QStringLiteral("P2"));
    QCOMPARE(t.tab->lblMode->text(), QStringLiteral("Nitrox"));
}

QTEST_MAIN(tst_SettingsTab)
#include "tst_settingstab.moc"
