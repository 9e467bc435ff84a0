#include "FaceFixture.h"
#include "Settings.h"

#include <QtTest>

// The Zento face (model codes 1 and 4), read element by element.
class tst_DisplayZento : public QObject {
    Q_OBJECT
private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void updateBeforeProfileChangesNothing();
    void screens_data();
    void screens();
    void keepsTheModelItWasMadeFor();
    void arrows_data();
    void arrows();
    void stopDepthByUnit_data();
    void stopDepthByUnit();
    void safetyStopKeepsLowerField();
    void readings_data();
    void readings();
    void placeholders_data();
    void placeholders();
    void nitroxCnsStartsEmpty();
    void altitudeAndWater_data();
    void altitudeAndWater();
    void ascentRatePictures_data();
    void ascentRatePictures();
    void icons();
    void zeroSamplesAndStepsPastTheEnd();
    void germanLocale();
};

void tst_DisplayZento::updateBeforeProfileChangesNothing() {
    FaceFixture f(1);
    f.face->updateDisplay(3);
    QCOMPARE(f.text("lblDigitAscTime1"), QString("88"));
    QVERIFY(f.shown("lblDigitAscTime1"));
    QVERIFY(!f.shown("lblDigitDepth"));
}

void tst_DisplayZento::screens_data() {
    QTest::addColumn<int>("model");
    QTest::addColumn<StepValues>("values");
    QTest::addColumn<QString>("deco");
    QTest::addColumn<bool>("decoShown");
    QTest::addColumn<QString>("decoTip");
    QTest::addColumn<QString>("upper");
    QTest::addColumn<QString>("upperTip");
    QTest::addColumn<QString>("lower");
    QTest::addColumn<QString>("lowerTip");
    QTest::addColumn<bool>("ascTime");
    QTest::addColumn<bool>("noDeco");
    QTest::addColumn<bool>("decoCaption");

    StepValues noStop{.depth = 12, .maxDepth = 12, .noDecTime = 7};
    QTest::newRow("no-stop time in both fields") << 1 << noStop << "" << false << ""
                                                 << "07"
                                                 << "No-Decompression Time Remaining"
                                                 << "07"
                                                 << "No-Decompression Time Remaining" << false << true << false;
    StepValues safety{.depth = 5, .maxDepth = 12, .safetyTime = 3, .verticalDeep = 0, .noDecTime = 40};
    QTest::newRow("safety stop wins over deep stop") << 4 << safety << "3" << true << "Safety Stop"
                                                     << "st"
                                                     << ""
                                                     << ""
                                                     << "Time to Surface" << false << false << false;
    StepValues deep{.depth = 18, .maxDepth = 25, .verticalDeep = 0, .noDecTime = 20};
    QTest::newRow("RGBM deep stop") << 4 << deep << "1" << true << "Deep Stop"
                                    << "st"
                                    << ""
                                    << ""
                                    << "Time to Surface" << false << false << false;
    QTest::newRow("no deep-stop screen on code 1") << 1 << deep << "" << false << ""
                                                   << "20"
                                                   << "No-Decompression Time Remaining"
                                                   << "20"
                                                   << "No-Decompression Time Remaining" << false << true << false;
    StepValues decoDeep{
        .depth = 18, .maxDepth = 25, .decoFlag = 1, .verticalDeep = 0, .tappa = 1, .decoTime = 2, .ascentTime = 6};
    QTest::newRow("RGBM deep stop with decompression") << 4 << decoDeep << "1" << true << "Deep Stop"
                                                       << "st"
                                                       << ""
                                                       << "06"
                                                       << "Time to Surface" << true << false << true;
    StepValues deco{.depth = 9, .maxDepth = 30, .decoFlag = 3, .tappa = 3, .decoTime = 120, .ascentTime = 14};
    QTest::newRow("first stop, time capped at 99") << 1 << deco << "09" << true << "Depth of First Decompression Stop"
                                                   << "99"
                                                   << "Duration of First Decompression Stop"
                                                   << "14"
                                                   << "Time to Surface" << true << false << true;
}

void tst_DisplayZento::screens() {
    QFETCH(int, model);
    QFETCH(StepValues, values);
    FaceFixture f(model);
    f.show(diveOf(model, 0), {values});
    f.face->updateDisplay(0);
    QTEST(f.text("lblDigitDeco"), "deco");
    QTEST(f.shown("lblDigitDeco"), "decoShown");
    QTEST(f.tip("lblDigitDeco"), "decoTip");
    QTEST(f.text("lblDigitAscTime0"), "upper");
    QTEST(f.tip("lblDigitAscTime0"), "upperTip");
    QTEST(f.text("lblDigitAscTime1"), "lower");
    QTEST(f.tip("lblDigitAscTime1"), "lowerTip");
    QTEST(f.shown("lblASCTIME"), "ascTime");
    QTEST(f.shown("lblNODEC0") && f.shown("lblNODEC1"), "noDeco");
    QTEST(f.shown("lblDECO0") && f.shown("lblDECO1"), "decoCaption");
}

// A change of the model setting reaches the faces made after it, not this one.
void tst_DisplayZento::keepsTheModelItWasMadeFor() {
    FaceFixture f(4);
    Settings::instance().setCurrentDiveComputer(1);
    f.show(diveOf(1, 0), {StepValues{.depth = 18, .maxDepth = 25, .verticalDeep = 0, .noDecTime = 20}});
    f.face->updateDisplay(0);
    QCOMPARE(f.text("lblDigitDeco"), QString("1"));
    QCOMPARE(f.tip("lblDigitDeco"), QString("Deep Stop"));
}

void tst_DisplayZento::arrows_data() {
    QTest::addColumn<float>("depth");
    QTest::addColumn<bool>("up");
    QTest::addColumn<bool>("down");
    QTest::newRow("above the stop: down only") << 8.4f << false << true;
    QTest::newRow("half a metre above: both") << 8.5f << true << true;
    QTest::newRow("at the stop: both") << 9.0f << true << true;
    QTest::newRow("half a metre below: both") << 9.5f << true << true;
    QTest::newRow("below the stop: up only") << 9.6f << true << false;
}

void tst_DisplayZento::arrows() {
    QFETCH(float, depth);
    FaceFixture f(1);
    f.show(diveOf(1, 0), {StepValues{.depth = depth, .decoFlag = 3, .tappa = 3, .decoTime = 2, .ascentTime = 5},
                          StepValues{.depth = depth, .noDecTime = 5}});
    f.face->updateDisplay(0);
    QTEST(f.shown("imageTriangleUp"), "up");
    QTEST(f.shown("imageTriangleDown"), "down");
    f.face->updateDisplay(1);
    QVERIFY(!f.shown("imageTriangleUp"));
    QVERIFY(!f.shown("imageTriangleDown"));
}

void tst_DisplayZento::stopDepthByUnit_data() {
    QTest::addColumn<int>("unit");
    QTest::addColumn<QString>("stop");
    QTest::addColumn<QString>("mark");
    QTest::addColumn<QString>("otherMark");
    QTest::newRow("metric") << 0 << "09"
                            << "lblSelMeter0"
                            << "lblSelFeet0";
    QTest::newRow("imperial") << 1 << "30"
                              << "lblSelFeet0"
                              << "lblSelMeter0";
}

void tst_DisplayZento::stopDepthByUnit() {
    QFETCH(int, unit);
    QFETCH(QString, mark);
    QFETCH(QString, otherMark);
    FaceFixture f(1, unit);
    f.show(diveOf(1, 0), {StepValues{.depth = 9, .decoFlag = 3, .tappa = 3, .decoTime = 2, .ascentTime = 5},
                          StepValues{.depth = 9, .noDecTime = 5}});
    f.face->updateDisplay(0);
    QTEST(f.text("lblDigitDeco"), "stop");
    QVERIFY(f.shown(mark));
    QVERIFY(!f.shown(otherMark));
    f.face->updateDisplay(1);
    QVERIFY(!f.shown(mark));
    QVERIFY(!f.shown(otherMark));
}

void tst_DisplayZento::safetyStopKeepsLowerField() {
    FaceFixture f(1);
    f.show(diveOf(1, 0), {StepValues{.depth = 6, .noDecTime = 33}, StepValues{.depth = 5, .safetyTime = 3}});
    f.face->updateDisplay(0);
    f.face->updateDisplay(1);
    QCOMPARE(f.text("lblDigitDeco"), QString("3"));
    QCOMPARE(f.text("lblDigitAscTime0"), QString("st"));
    QCOMPARE(f.text("lblDigitAscTime1"), QString("33"));
}

void tst_DisplayZento::readings_data() {
    QTest::addColumn<int>("unit");
    QTest::addColumn<int>("step");
    QTest::addColumn<float>("depth");
    QTest::addColumn<float>("maxDepth");
    QTest::addColumn<QString>("minute");
    QTest::addColumn<QString>("depthText");
    QTest::addColumn<QString>("maxDepthText");
    QTest::addColumn<QString>("temperature");
    QTest::newRow("step 0") << 0 << 0 << 0.0f << 0.0f << "0"
                            << "0"
                            << "0"
                            << "24";
    QTest::newRow("step 7 is minute 2") << 0 << 7 << 102.46f << 9.25f << "2"
                                        << "102"
                                        << "9.2"
                                        << "24";
    QTest::newRow("depth rounds, max depth cuts") << 0 << 3 << 9.96f << 12.75f << "1"
                                                  << "10"
                                                  << "12.7"
                                                  << "24";
    QTest::newRow("max depth never ends in a point") << 0 << 3 << 50.0f << 100.5f << "1"
                                                     << "50"
                                                     << "100"
                                                     << "24";
    QTest::newRow("imperial") << 1 << 3 << 10.0f << 30.0f << "1"
                              << "33"
                              << "99"
                              << "75";
}

void tst_DisplayZento::readings() {
    QFETCH(int, unit);
    QFETCH(int, step);
    QFETCH(float, depth);
    QFETCH(float, maxDepth);
    FaceFixture f(1, unit);
    QList<StepValues> steps(step + 1, StepValues{.noDecTime = 50});
    steps[step].depth = depth;
    steps[step].maxDepth = maxDepth;
    f.show(diveOf(1, 0), steps);
    f.face->updateDisplay(qint16(step));
    QTEST(f.text("lblDigitDiveTime"), "minute");
    QTEST(f.text("lblDigitDepth"), "depthText");
    QTEST(f.text("lblDigitMaxDepth"), "maxDepthText");
    QTEST(f.text("lblDigitTemp"), "temperature");
    QCOMPARE(f.tip("lblDigitTemp"), QString("Min. Water Temp.:"));
    QCOMPARE(f.shown("lblSelC"), unit == 0);
    QCOMPARE(f.shown("lblSelF"), unit == 1);
}

void tst_DisplayZento::placeholders_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("stop");
    QTest::addColumn<QString>("deco");
    QTest::addColumn<QString>("cns");
    QTest::addColumn<QString>("upper");
    QTest::addColumn<QString>("lower");
    QTest::addColumn<bool>("timesShown");
    QTest::addColumn<bool>("cnsShown");
    QTest::newRow("stop flag: st op, no time fields") << 0 << true << "st"
                                                      << "op"
                                                      << ""
                                                      << "" << false << true;
    QTest::newRow("bottom time: bt at every step") << 2 << false << ""
                                                   << ""
                                                   << "bt"
                                                   << "bt" << true << false;
}

void tst_DisplayZento::placeholders() {
    QFETCH(int, mode);
    QFETCH(bool, stop);
    FaceFixture f(1);
    const StepValues deco{
        .depth = 20, .maxDepth = 20, .decoFlag = 2, .tappa = 2, .decoTime = 3, .ascentTime = 8, .cns = 15};
    f.show(diveOf(1, mode, stop), {deco, deco, deco, deco, deco, deco, deco, deco});
    for (qint16 step : {0, 4, 7}) {
        f.face->updateDisplay(step);
        QTEST(f.text("lblDigitDeco"), "deco");
        QTEST(f.text("lblDigitCNSLimit"), "cns");
        QTEST(f.text("lblDigitAscTime0"), "upper");
        QTEST(f.text("lblDigitAscTime1"), "lower");
        QTEST(f.shown("lblDigitAscTime0") && f.shown("lblDigitAscTime1"), "timesShown");
        QTEST(f.shown("lblDigitCNSLimit"), "cnsShown");
        // The decompression legends belong to scuba dives only.
        for (const char* legend : {"lblNODEC0", "lblDECO0", "lblASCTIME", "imageTriangleUp", "lblMin"})
            QVERIFY2(!f.shown(legend), legend);
    }
}

void tst_DisplayZento::nitroxCnsStartsEmpty() {
    FaceFixture f(1);
    f.show(diveOf(1, 1), {StepValues{.depth = 10, .noDecTime = 30, .cns = 15}});
    QCOMPARE(f.text("lblDigitCNSLimit"), QString());
    QVERIFY(f.shown("lblDigitCNSLimit"));
    f.face->updateDisplay(0);
    QCOMPARE(f.text("lblDigitCNSLimit"), QString("15"));
    QCOMPARE(f.text("lblDigitNitroxMixture"), QString("32"));
    for (const char* caption : {"lblNitrox0", "lblNitrox1", "lblCNSO20", "lblO21", "lblDigitNitroxMixture"})
        QVERIFY2(f.shown(caption), caption);
}

void tst_DisplayZento::altitudeAndWater_data() {
    QTest::addColumn<int>("water");
    QTest::addColumn<int>("altitude");
    QTest::addColumn<bool>("salt");
    QTest::addColumn<int>("picture");
    QTest::newRow("salt, sea level") << 0 << 0 << true << 0;
    QTest::newRow("fresh, class 1") << 1 << 1 << false << 6;
    QTest::newRow("class 3") << 0 << 3 << true << 8;
    QTest::newRow("class 4 shows no picture") << 0 << 4 << true << 0;
}

void tst_DisplayZento::altitudeAndWater() {
    QFETCH(int, water);
    QFETCH(int, altitude);
    FaceFixture f(1);
    auto before = diveOf(1, 0);
    before->setAltitude(2);
    f.show(before, {StepValues{}});
    auto dive = diveOf(1, 0);
    dive->setWater(water);
    dive->setAltitude(altitude);
    f.show(dive, {StepValues{}});
    QTEST(f.shown("lblSALT0") && f.shown("lblSALT1"), "salt");
    QCOMPARE(f.shown("lblFRESH0") && f.shown("lblFRESH1"), water != 0);
    QTEST(f.picture("imageAltitude"), "picture");
}

void tst_DisplayZento::ascentRatePictures_data() {
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("picture");
    QTest::newRow("level 5") << 5 << 1;
    QTest::newRow("level 1") << 1 << 5;
    QTest::newRow("level 0") << 0 << 0;
    QTest::newRow("out of range") << 9 << 0;
}

void tst_DisplayZento::ascentRatePictures() {
    QFETCH(int, level);
    FaceFixture f(1);
    f.show(diveOf(1, 0), {StepValues{.maxVelocity = qint16(level)}});
    QCOMPARE(f.picture("imageSlow"), 0);
    f.face->updateDisplay(0);
    QTEST(f.picture("imageSlow"), "picture");
}

void tst_DisplayZento::icons() {
    FaceFixture f(1);
    f.face->setIcon(true, false);
    QVERIFY(f.shown("imageAscent"));
    QVERIFY(!f.shown("imageDecoStop"));
    QCOMPARE(f.tip("imageAscent"), QString("Uncontrolled ascent"));
    f.face->setIcon(false, true);
    QVERIFY(!f.shown("imageAscent"));
    QVERIFY(f.shown("imageDecoStop"));
    QCOMPARE(f.tip("imageDecoStop"), QString("Omitted deco stop"));
    // A new dive leaves the icons to the host.
    f.show(diveOf(1, 0), {});
    QVERIFY(f.shown("imageDecoStop"));
}

void tst_DisplayZento::zeroSamplesAndStepsPastTheEnd() {
    FaceFixture f(4);
    f.show(diveOf(4, 0), {});
    f.face->updateDisplay(0);
    QCOMPARE(f.text("lblDigitDepth"), QString("0"));
    f.show(diveOf(4, 0), {StepValues{.depth = 10, .maxDepth = 10, .noDecTime = 40}});
    f.face->updateDisplay(50);
    QCOMPARE(f.text("lblDigitDepth"), QString("0"));
    QCOMPARE(f.text("lblDigitMaxDepth"), QString("0"));
    QCOMPARE(f.text("lblDigitDiveTime"), QString("16"));
}

void tst_DisplayZento::germanLocale() {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    FaceFixture f(1, 0, 2);
    f.show(diveOf(1, 0), {StepValues{.depth = 7.5f, .maxDepth = 12.75f, .noDecTime = 40}});
    f.face->updateDisplay(0);
    QCOMPARE(f.text("lblDigitDepth"), QString("7,5"));
    QCOMPARE(f.text("lblDigitMaxDepth"), QString("12.7"));
    QCOMPARE(f.tip("lblDigitDepth"), QString("Tiefe"));
}

QTEST_MAIN(tst_DisplayZento)
#include "tst_displayzento.moc"
