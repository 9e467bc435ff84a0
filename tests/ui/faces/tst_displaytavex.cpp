#include "FaceFixture.h"

#include <QtTest>

// The air-integrated face (model codes 8 and 16), read element by element.
class tst_DisplayTavex : public QObject {
    Q_OBJECT
private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void tank_data();
    void tank();
    void threeFigureReadingsKeepTheirSize();
    void stopScreens_data();
    void stopScreens();
    void timeToSurfaceOnlyWithDecompression();
    void stopFlag();
    void icons_data();
    void icons();
    void ascentScale();
};

void tst_DisplayTavex::tank_data() {
    QTest::addColumn<int>("unit");
    QTest::addColumn<int>("measure");
    QTest::addColumn<QString>("pressure");
    QTest::addColumn<QString>("pressureUnit");
    QTest::addColumn<QString>("volume");
    QTest::addColumn<QString>("volumeUnit");
    QTest::newRow("metric, litres") << 0 << 0 << "187"
                                    << "lblBAR"
                                    << "15"
                                    << "lblLITERS";
    QTest::newRow("imperial, cubic feet") << 1 << 1 << "2712"
                                          << "lblPSI"
                                          << ".5"
                                          << "lblCUFT";
}

void tst_DisplayTavex::tank() {
    QFETCH(int, unit);
    QFETCH(int, measure);
    QFETCH(QString, pressureUnit);
    QFETCH(QString, volumeUnit);
    FaceFixture f(8, unit);
    auto dive = diveOf(8, 0);
    dive->setVolumeMeasure(measure);
    dive->setTankVolume(150);
    f.show(dive, {StepValues{.depth = 10, .noDecTime = 40, .tankPressure = 187, .consumption = 18}});
    f.face->updateDisplay(0);
    QTEST(f.text("lblDigitTankPressure"), "pressure");
    QTEST(f.text("lblDigitTankVolume"), "volume");
    QCOMPARE(f.text("lblDigitConsuption"), QString("18"));
    QVERIFY(f.shown(pressureUnit));
    QVERIFY(!f.shown(pressureUnit == "lblBAR" ? "lblPSI" : "lblBAR"));
    QVERIFY(f.shown(volumeUnit));
    QVERIFY(!f.shown(volumeUnit == "lblLITERS" ? "lblCUFT" : "lblLITERS"));
}

void tst_DisplayTavex::threeFigureReadingsKeepTheirSize() {
    FaceFixture f(16);
    QList<StepValues> steps(360, StepValues{.depth = 10, .noDecTime = 40, .consumption = 18});
    steps.last().consumption = 102;
    f.show(diveOf(16, 0), steps);
    f.face->updateDisplay(0);
    const QFont rate = f.label("lblDigitConsuption")->font();
    const QFont minute = f.label("lblDigitDiveTime")->font();
    // A breathing rate and a dive minute past 99 show whole, in the figures of smaller ones.
    f.face->updateDisplay(359);
    for (const auto& [field, text, font] :
         {std::tuple{"lblDigitConsuption", "102", rate}, std::tuple{"lblDigitDiveTime", "119", minute}}) {
        const QLabel* digits = f.label(field);
        QCOMPARE(digits->text(), QString(text));
        QCOMPARE(digits->font(), font);
        QVERIFY2(QFontMetrics(font).horizontalAdvance(digits->text()) <= digits->contentsRect().width(), field);
    }
}

void tst_DisplayTavex::stopScreens_data() {
    QTest::addColumn<StepValues>("values");
    QTest::addColumn<QString>("deco");
    QTest::addColumn<QString>("upper");
    QTest::addColumn<QString>("upperTip");
    QTest::newRow("safety stop") << StepValues{.depth = 5, .safetyTime = 3} << "st"
                                 << "3"
                                 << "Safety Stop";
    QTest::newRow("deep stop") << StepValues{.depth = 18, .verticalDeep = 0, .noDecTime = 20} << "st"
                               << "1"
                               << "Deep Stop";
    QTest::newRow("deep stop with decompression")
        << StepValues{.depth = 18, .decoFlag = 1, .verticalDeep = 0, .tappa = 1, .ascentTime = 4} << "st"
        << "1"
        << "Deep Stop";
}

void tst_DisplayTavex::stopScreens() {
    QFETCH(StepValues, values);
    FaceFixture f(16);
    f.show(diveOf(16, 0), {values});
    f.face->updateDisplay(0);
    QTEST(f.text("lblDigitDeco"), "deco");
    QCOMPARE(f.tip("lblDigitDeco"), QString());
    QTEST(f.text("lblDigitAscTime0"), "upper");
    QTEST(f.tip("lblDigitAscTime0"), "upperTip");
    QVERIFY(!f.shown("lblSelMeter0"));
    QVERIFY(!f.shown("lblSelFeet0"));
}

void tst_DisplayTavex::timeToSurfaceOnlyWithDecompression() {
    FaceFixture f(8);
    f.show(diveOf(8, 0), {StepValues{.depth = 20, .noDecTime = 9},
                          StepValues{.depth = 20, .decoFlag = 1, .tappa = 1, .decoTime = 2, .ascentTime = 6}});
    f.face->updateDisplay(0);
    QCOMPARE(f.text("lblDigitAscTime0"), QString("09"));
    QVERIFY(!f.shown("lblDigitAscTime1"));
    QVERIFY(!f.shown("lblASCTIME"));
    f.face->updateDisplay(1);
    QCOMPARE(f.text("lblDigitAscTime1"), QString("06"));
    QVERIFY(f.shown("lblDigitAscTime1"));
    QVERIFY(f.shown("lblASCTIME"));
    QVERIFY(f.shown("lblSelMeter0"));
}

void tst_DisplayTavex::stopFlag() {
    FaceFixture f(8);
    f.show(diveOf(8, 0, true), {StepValues{.depth = 10}});
    f.face->updateDisplay(0);
    QCOMPARE(f.text("lblDigitDeco"), QString("st"));
    QCOMPARE(f.text("lblDigitAscTime0"), QString("op"));
    QVERIFY(f.shown("lblDigitAscTime0"));
    QVERIFY(!f.shown("lblDigitAscTime1"));
    QVERIFY(!f.shown("Label1"));
    QVERIFY(f.shown("lbl_CNS"));
}

void tst_DisplayTavex::icons_data() {
    QTest::addColumn<bool>("ascent");
    QTest::addColumn<bool>("decoStop");
    QTest::newRow("none") << false << false;
    QTest::newRow("ascent") << true << false;
    QTest::newRow("omitted stop") << false << true;
    QTest::newRow("both") << true << true;
}

void tst_DisplayTavex::icons() {
    QFETCH(bool, ascent);
    QFETCH(bool, decoStop);
    FaceFixture f(8);
    f.face->setIcon(true, true);
    f.face->setIcon(ascent, decoStop);
    QCOMPARE(f.shown("imageAscent"), ascent);
    QCOMPARE(f.shown("imageDecoStop"), decoStop);
    QCOMPARE(f.shown("shapeUBA"), ascent || decoStop);
}

void tst_DisplayTavex::ascentScale() {
    FaceFixture f(8);
    f.show(diveOf(8, 0), {StepValues{.maxVelocity = 5}, StepValues{.maxVelocity = 1}, StepValues{.maxVelocity = 0}});
    const QList<int> pictures{12, 16, 0};
    for (qint16 step = 0; step < 3; ++step) {
        f.face->updateDisplay(step);
        QCOMPARE(f.picture("imageSlow"), pictures[step]);
    }
}

QTEST_MAIN(tst_DisplayTavex)
#include "tst_displaytavex.moc"
