#include "Dive.h"
#include "SmartCheckBox.h"
#include "TabFixture.h"
#include "TechnicalTab.h"

#include <QGroupBox>
#include <QLabel>
#include <QtTest>

using Tab = TabFixture<TechnicalTab>;

class tst_TechnicalTab : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void timeDepthTemperature_data();
    void timeDepthTemperature();
    void freeDiveCaptionGoesBack();
    void flagMarks_data();
    void flagMarks();
    void decoBoxesByModel_data();
    void decoBoxesByModel();
    void nitroxChecks_data();
    void nitroxChecks();
    void airDiveHidesNitroxValues();
    void tankValues_data();
    void tankValues();
    void errorBoxesStayEmpty();
};

void tst_TechnicalTab::timeDepthTemperature_data() {
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("unit");
    QTest::addColumn<int>("diveMode");
    QTest::addColumn<QString>("timeCaption");
    QTest::addColumn<QString>("time");
    QTest::addColumn<QString>("depth");
    QTest::addColumn<QString>("temperature");
    QTest::newRow("metric") << 1 << 0 << 0 << "Dive Time:"
                            << "45 min."
                            << "32.5 m."
                            << "18 °C";
    QTest::newRow("imperial") << 1 << 1 << 0 << "Dive Time:"
                              << "45 min."
                              << "107 ft."
                              << "64 °F";
    QTest::newRow("free-dive series counts dives") << 32 << 0 << 2 << "Total dives:"
                                                   << "45"
                                                   << "32.5 m."
                                                   << "18 °C";
}

void tst_TechnicalTab::timeDepthTemperature() {
    QFETCH(int, model);
    QFETCH(int, unit);
    QFETCH(int, diveMode);
    Tab t(model, unit);
    Dive dive = diveOf(model, diveMode);
    dive.setDiveTime(45);
    dive.setMaxDepth(32.5f);
    dive.setMinTemperature(18);
    t.tab->fill(&dive);
    QTEST(t.tab->lbl_DiveTime->text(), "timeCaption");
    QTEST(t.tab->lblDiveTime->text(), "time");
    QTEST(t.tab->lblMaxDepth->text(), "depth");
    QTEST(t.tab->lblMinTemp->text(), "temperature");
}

void tst_TechnicalTab::freeDiveCaptionGoesBack() {
    Tab t(32);
    const Dive series = diveOf(32, 2);
    const Dive dive = diveOf(32, 0);
    t.tab->fill(&series);
    t.tab->fill(&dive);
    QCOMPARE(t.tab->lbl_DiveTime->text(), QStringLiteral("Dive Time:"));
}

void tst_TechnicalTab::flagMarks_data() {
    QTest::addColumn<bool>("set");
    QTest::newRow("flags recorded") << true;
    QTest::newRow("nothing recorded") << false;
}

void tst_TechnicalTab::flagMarks() {
    QFETCH(bool, set);
    Tab t(32);
    Dive dive = diveOf(32, 0);
    dive.setStop(set ? 1 : 0);
    dive.setViolationStop(set ? 1 : 0);
    dive.setDeco(set ? 1 : 0);
    dive.setDecoStop(set ? 1 : 0);
    dive.setAscent(set ? 3 : 0);
    dive.setVRis(12);
    if (set)
        dive.addSample(100, 0, 0, 0);
    t.tab->fill(&dive);
    const qint16 check = set ? 1 : 0;
    QCOMPARE(t.tab->scbStop->viewMode(), check);
    QCOMPARE(t.tab->scbViolationDecoStop->viewMode(), check);
    QCOMPARE(t.tab->scbDecoDive->viewMode(), check);
    QCOMPARE(t.tab->scbDecoStopFlag->viewMode(), check);
    QCOMPARE(t.tab->scbUncontrolledAscent->viewMode(), check);
    // The profile is a recorded setting: a dot.
    QCOMPARE(t.tab->scbProfile->viewMode(), qint16(set ? 2 : 0));
    QCOMPARE(t.tab->lblMaxAscentRate->text(), QStringLiteral("12 m./min"));
}

void tst_TechnicalTab::decoBoxesByModel_data() {
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("diveMode");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("zento") << 1 << 0 << false;
    QTest::newRow("Lumo Air") << 16 << 1 << false;
    QTest::newRow("Kobi") << 32 << 0 << true;
    QTest::newRow("Kobi free-dive series") << 32 << 2 << false;
}

void tst_TechnicalTab::decoBoxesByModel() {
    QFETCH(int, model);
    QFETCH(int, diveMode);
    QFETCH(bool, enabled);
    Tab t(model);
    Dive dive = diveOf(model, diveMode);
    dive.setDeco(1);
    t.tab->fill(&dive);
    for (SmartCheckBox* box :
         {t.tab->scbViolationDecoStop, t.tab->scbDecoDive, t.tab->scbDecoStopFlag, t.tab->scbUncontrolledAscent})
        QCOMPARE(box->isEnabled(), enabled);
    // A greyed box still shows its mark.
    QCOMPARE(t.tab->scbDecoDive->viewMode(), qint16(1));
}

void tst_TechnicalTab::nitroxChecks_data() {
    QTest::addColumn<float>("maxDepth");
    QTest::addColumn<float>("maxCNS");
    QTest::addColumn<int>("cnsMark");
    QTest::addColumn<int>("ppo2Mark");
    QTest::newRow("33 m, CNS 75: nothing") << 33.0f << 75.0f << 0 << 0;
    QTest::newRow("34 m, CNS 76: both") << 34.0f << 76.0f << 1 << 1;
}

void tst_TechnicalTab::nitroxChecks() {
    QFETCH(float, maxDepth);
    QFETCH(float, maxCNS);
    Tab t(4);
    Dive dive = diveOf(4, 1);
    dive.setNitroxMixture(32);
    dive.setPPO2(1.4f);
    dive.setMaxDepth(maxDepth);
    dive.setStartCNS(12);
    dive.setMaxCNS(maxCNS);
    t.tab->fill(&dive);
    QVERIFY(t.tab->frameTechnicalNitrox->isEnabled());
    QVERIFY(shown(t.tab->lbl_StartCNS, t.tab->lblStartCNS));
    QCOMPARE(t.tab->lblStartCNS->text(), QStringLiteral("12 %"));
    QCOMPARE(t.tab->lblMaxCNS->text(), QString::number(maxCNS) + QStringLiteral(" %"));
    QTEST(int(t.tab->scbViolationCNS->viewMode()), "cnsMark");
    QTEST(int(t.tab->scbViolationPPO2->viewMode()), "ppo2Mark");
}

void tst_TechnicalTab::airDiveHidesNitroxValues() {
    Tab t(4);
    Dive nitrox = diveOf(4, 1);
    nitrox.setNitroxMixture(40);
    nitrox.setPPO2(1.4f);
    nitrox.setMaxDepth(40);
    nitrox.setMaxCNS(90);
    t.tab->fill(&nitrox);
    const Dive air = diveOf(4, 0);
    t.tab->fill(&air);
    QVERIFY(!t.tab->frameTechnicalNitrox->isEnabled());
    QVERIFY(!shown(t.tab->lbl_MaxCNS, t.tab->lblMaxCNS));
    QVERIFY(!shown(t.tab->lbl_StartCNS, t.tab->lblStartCNS));
    QCOMPARE(t.tab->scbViolationCNS->viewMode(), qint16(0));
    QCOMPARE(t.tab->scbViolationPPO2->viewMode(), qint16(0));
}

void tst_TechnicalTab::tankValues_data() {
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("unit");
    QTest::addColumn<int>("measure");
    QTest::addColumn<bool>("tank");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("rate");
    QTest::newRow("Tavex, litres") << 8 << 0 << 0 << true << "200 bar"
                                   << "12 lit./min";
    QTest::newRow("Lumo Air, cubic feet") << 16 << 0 << 1 << true << "200 bar"
                                          << "12 cu.ft./min";
    QTest::newRow("imperial converts the pressures only") << 8 << 1 << 0 << true << "2900.8 psi"
                                                          << "12 lit./min";
    QTest::newRow("Kobi has no tank fields") << 32 << 0 << 0 << false << ""
                                             << "";
}

void tst_TechnicalTab::tankValues() {
    QFETCH(int, model);
    QFETCH(int, unit);
    QFETCH(int, measure);
    QFETCH(bool, tank);
    Tab t(model, unit);
    Dive dive = diveOf(model, 0);
    dive.setVolumeMeasure(measure);
    dive.setStartTankPressure(200);
    dive.setStopTankPressure(50);
    dive.setTankUse(12);
    t.tab->fill(&dive);
    QCOMPARE(t.tab->frameTechnicalInfoAir->isEnabled(), tank);
    QCOMPARE(shown(t.tab->lbl_StartTankPressure, t.tab->lblStartTankPressure), tank);
    QCOMPARE(shown(t.tab->lbl_AverageConsuption, t.tab->lblAverageConsuption), tank);
    if (!tank)
        return;
    QTEST(t.tab->lblStartTankPressure->text(), "start");
    QTEST(t.tab->lblAverageConsuption->text(), "rate");
}

void tst_TechnicalTab::errorBoxesStayEmpty() {
    Tab t(32);
    Dive dive = diveOf(32, 0);
    dive.setAscent(1);
    dive.setDeco(1);
    t.tab->fill(&dive);
    QCOMPARE(t.tab->scbUBAErrors.keys(), QList<int>({5, 6, 7}));
    for (SmartCheckBox* box : t.tab->scbUBAErrors)
        QCOMPARE(box->viewMode(), qint16(0));
    QCOMPARE(t.tab->scbUBAErrors.value(7)->Caption(), QStringLiteral("Excessive Ascent Rate"));
}

QTEST_MAIN(tst_TechnicalTab)
#include "tst_technicaltab.moc"
