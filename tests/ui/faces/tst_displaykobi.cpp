#include "DisplayKobi.h"
#include "FaceFixture.h"

#include <QtTest>

// The Kobi face (model code 32), read element by element.
class tst_DisplayKobi : public QObject {
    Q_OBJECT
private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void freeDive_data();
    void freeDive();
    void freeDiveLowerRow();
    void depthFields_data();
    void depthFields();
    void safetyStop();
    void deepStop_data();
    void deepStop();
    void decompression();
    void glyphs_data();
    void glyphs();
    void bottomTime();
    void nitroxShowsCns();
    void bottomButton_data();
    void bottomButton();
    void bottomButtonBeforeAnyProfile();
    void topButtonAlwaysToggles();
    void liveDepth();
};

namespace {
DisplayKobi& kobi(FaceFixture& f) {
    return static_cast<DisplayKobi&>(*f.face);
}
} // namespace

void tst_DisplayKobi::freeDive_data() {
    QTest::addColumn<int>("unit");
    QTest::addColumn<int>("step");
    QTest::addColumn<QString>("minutes");
    QTest::addColumn<QString>("seconds");
    QTest::addColumn<QString>("maxDepth");
    QTest::newRow("step 0") << 0 << 0 << "00"
                            << "00"
                            << "00.0";
    QTest::newRow("125 seconds, metric") << 0 << 1 << "02"
                                         << "05"
                                         << "12.3";
    QTest::newRow("125 seconds, imperial") << 1 << 1 << "02"
                                           << "05"
                                           << "41.0";
}

void tst_DisplayKobi::freeDive() {
    QFETCH(int, unit);
    QFETCH(int, step);
    FaceFixture f(32, unit);
    auto dive = diveOf(32, 2);
    dive->addSample(50, 1, 125, 123, 0);
    f.show(dive, {StepValues{}, StepValues{.depth = 5, .maxDepth = 20}});
    f.face->updateDisplay(qint16(step));
    QTEST(f.text("lblDigitDeco"), "minutes");
    QTEST(f.text("lblDigitAscTime0"), "seconds");
    QTEST(f.text("lblDigitMaxDepth"), "maxDepth");
    QCOMPARE(f.text("lblDigitDiveTime"), QString());
    QCOMPARE(f.text("lblVelMaxIcon"), QString());
}

void tst_DisplayKobi::freeDiveLowerRow() {
    FaceFixture f(32);
    auto dive = diveOf(32, 2);
    dive->addSample(0, 3, 40, 0, 0);
    dive->addSample(80, 3, 44, 80, 0);
    f.show(dive, {StepValues{}, StepValues{.depth = 0}, StepValues{.depth = 8}});
    f.face->updateDisplay(1);
    QCOMPARE(f.text("lblDigitAscTime1"), QString("n°3"));
    QVERIFY(f.label("lblDigitAscTime1")->alignment() & Qt::AlignLeft);
    f.face->updateDisplay(2);
    QCOMPARE(f.text("lblDigitAscTime1"), QString("24°C"));
    QVERIFY(f.label("lblDigitAscTime1")->alignment() & Qt::AlignRight);
    QCOMPARE(f.tip("lblDigitAscTime1"), QString("Min. Water Temp.:"));
}

void tst_DisplayKobi::depthFields_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<float>("depth");
    QTest::addColumn<QString>("text");
    QTest::newRow("100.4 is cut and shown as 100.0") << "en_US" << 100.4f << "100.0";
    QTest::newRow("7.5 is padded") << "en_US" << 7.5f << "07.5";
    QTest::newRow("German comma") << "de_DE" << 7.5f << "07,5";
}

void tst_DisplayKobi::depthFields() {
    QFETCH(QString, locale);
    QFETCH(float, depth);
    QLocale::setDefault(QLocale(locale));
    FaceFixture f(32);
    f.show(diveOf(32, 0), {StepValues{.depth = depth, .maxDepth = depth, .noDecTime = 40}});
    f.face->updateDisplay(0);
    QTEST(f.text("lblDigitDepth"), "text");
    QTEST(f.text("lblDigitMaxDepth"), "text");
}

void tst_DisplayKobi::safetyStop() {
    FaceFixture f(32);
    f.show(diveOf(32, 0), {StepValues{.depth = 5, .safetyTime = 3, .verticalDeep = 0, .noDecTime = 50}});
    f.face->updateDisplay(0);
    QCOMPARE(f.text("lblDigitAscTime0"), QString("3"));
    QCOMPARE(f.tip("lblDigitAscTime0"), QString("Safety Stop"));
    QCOMPARE(f.text("lblDigitDeepStop"), QString("SAFESTOP"));
    QVERIFY(f.shown("lblDigitDeepStop"));
    for (const char* gone :
         {"lblDigitAscTime1", "lblDigitTemp", "lblDigitDiveTime", "lbl_DiveTime", "lblNODEC0", "lblDigitDeco"})
        QVERIFY2(!f.shown(gone), gone);
}

void tst_DisplayKobi::deepStop_data() {
    QTest::addColumn<int>("unit");
    QTest::addColumn<float>("depth");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("second");
    QTest::addColumn<QString>("stop");
    QTest::newRow("at the first") << 0 << 18.0f << 18 << 12 << "18";
    QTest::newRow("within a metre of the second") << 0 << 12.8f << 18 << 12 << "12";
    QTest::newRow("near neither: the first") << 0 << 15.0f << 18 << 12 << "18";
    QTest::newRow("no second recorded") << 0 << 12.0f << 18 << -1 << "18";
    QTest::newRow("none recorded: empty, never -01") << 0 << 18.0f << -1 << -1 << "";
    QTest::newRow("imperial") << 1 << 18.0f << 18 << -1 << "59";
}

void tst_DisplayKobi::deepStop() {
    QFETCH(int, unit);
    QFETCH(float, depth);
    QFETCH(int, first);
    QFETCH(int, second);
    FaceFixture f(32, unit);
    f.show(diveOf(32, 0), {StepValues{.depth = depth, .verticalDeep = 0, .noDecTime = 20}}, qint16(first),
           qint16(second));
    f.face->updateDisplay(0);
    QCOMPARE(f.text("lblDigitDeepStop"), QString("DEEPSTOP"));
    QVERIFY(f.shown("lblDigitDeepStop"));
    QTEST(f.text("lblDigitDeco"), "stop");
    QVERIFY(f.shown("lblDigitDeco"));
    QCOMPARE(f.text("lblDigitAscTime0"), QString("1"));
    QCOMPARE(f.tip("lblDigitAscTime0"), QString("Deep Stop"));
    QCOMPARE(f.tip("lblDigitDeepStop"), QString("Deep Stop"));
    QVERIFY(!f.shown("lblASCTIME"));
}

void tst_DisplayKobi::decompression() {
    FaceFixture f(32);
    f.show(diveOf(32, 0), {StepValues{.depth = 8.4f, .decoFlag = 3, .tappa = 3, .decoTime = 120, .ascentTime = 14}});
    f.face->updateDisplay(0);
    QCOMPARE(f.text("lblDigitDeco"), QString("09"));
    QCOMPARE(f.tip("lblDigitDeco"), QString("Depth of First Decompression Stop"));
    QCOMPARE(f.text("lblDigitAscTime0"), QString("99"));
    QCOMPARE(f.text("lblDigitAscTime1"), QString("14"));
    QCOMPARE(f.tip("lblDigitAscTime1"), QString("Time to Surface"));
    QVERIFY(f.shown("lblASCTIME"));
    QVERIFY(f.shown("lblDECO0"));
    QVERIFY(f.shown("lblSelMeter0"));
    QVERIFY(f.shown("imageTriangleDown"));
    QVERIFY(!f.shown("imageTriangleUp"));
    QVERIFY(!f.shown("lblNODEC0"));
}

void tst_DisplayKobi::glyphs_data() {
    QTest::addColumn<int>("level");
    QTest::addColumn<QString>("glyph");
    QTest::newRow("5") << 5 << "_";
    QTest::newRow("4") << 4 << "_";
    QTest::newRow("3") << 3 << "-";
    QTest::newRow("2") << 2 << ";";
    QTest::newRow("1 shows none") << 1 << "";
    QTest::newRow("0") << 0 << "";
}

void tst_DisplayKobi::glyphs() {
    QFETCH(int, level);
    FaceFixture f(32);
    f.show(diveOf(32, 0), {StepValues{.noDecTime = 30, .maxVelocity = qint16(level)}});
    f.face->updateDisplay(0);
    QTEST(f.text("lblVelMaxIcon"), "glyph");
    // The chevrons are drawn on the display, none of them on its frame or the housing.
    QLabel* symbol = f.label("lblVelMaxIcon");
    QImage drawn(f.face->size(), QImage::Format_ARGB32_Premultiplied);
    drawn.fill(Qt::transparent);
    symbol->render(&drawn, symbol->pos(), QRegion(), QWidget::DrawChildren);
    const QPainterPath display = DisplayKobi::displayArea();
    int inked = 0;
    for (int y = 0; y < drawn.height(); ++y)
        for (int x = 0; x < drawn.width(); ++x)
            if (qAlpha(drawn.pixel(x, y)) > 0) {
                ++inked;
                QVERIFY2(display.contains(QPointF(x + 0.5, y + 0.5)),
                         qPrintable(QStringLiteral("(%1,%2)").arg(x).arg(y)));
            }
    QCOMPARE(inked > 0, !f.text("lblVelMaxIcon").isEmpty());
}

void tst_DisplayKobi::bottomTime() {
    FaceFixture f(32);
    f.show(diveOf(32, 3), QList<StepValues>(8, StepValues{.depth = 10, .maxDepth = 10}));
    QCOMPARE(f.text("lblDigitAscTime0"), QString("bt"));
    QCOMPARE(f.text("lblDigitAscTime1"), QString("bt"));
    f.face->updateDisplay(7);
    QCOMPARE(f.text("lblDigitDeco"), QString("02"));
    QCOMPARE(f.text("lblDigitAscTime0"), QString("20"));
}

void tst_DisplayKobi::nitroxShowsCns() {
    FaceFixture f(32);
    f.show(diveOf(32, 1),
           {StepValues{.depth = 10, .noDecTime = 30, .cns = 15},
            StepValues{.depth = 20, .decoFlag = 1, .tappa = 1, .decoTime = 2, .ascentTime = 4, .cns = 20}});
    f.face->updateDisplay(0);
    QCOMPARE(f.text("lblDigitDiveTime"), QString("15  "));
    QCOMPARE(f.text("lblDigitAscTime1"), QString("32"));
    QVERIFY(f.shown("lblDigitDiveTime"));
    QVERIFY(f.shown("lblO2"));
    QVERIFY(f.shown("lblCNSO2"));
    QVERIFY(!f.shown("lbl_DiveTime"));
    f.face->updateDisplay(1);
    QCOMPARE(f.text("lblDigitDiveTime"), QString("20  "));
    QVERIFY(f.shown("lblDigitDiveTime"));
    QVERIFY(!f.shown("lblO2"));
}

void tst_DisplayKobi::bottomButton_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("step");
    QTest::addColumn<bool>("toggles");
    QTest::newRow("air dive") << 0 << 1 << true;
    QTest::newRow("deep-stop screen") << 0 << 2 << false;
    QTest::newRow("nitrox dive") << 1 << 1 << false;
    QTest::newRow("bottom time") << 3 << 1 << false;
    QTest::newRow("free dive") << 2 << 1 << false;
}

void tst_DisplayKobi::bottomButton() {
    QFETCH(int, mode);
    QFETCH(int, step);
    QFETCH(bool, toggles);
    FaceFixture f(32);
    f.show(diveOf(32, mode), {StepValues{.noDecTime = 40}, StepValues{.depth = 10, .noDecTime = 40},
                              StepValues{.depth = 18, .verticalDeep = 0, .noDecTime = 30}});
    f.face->updateDisplay(qint16(step));
    const bool diveTimeBefore = f.shown("lblDigitDiveTime");
    QTest::mouseClick(f.image("imgBottomRedButton"), Qt::LeftButton);
    QCOMPARE(kobi(f).temperatureToggle(), toggles);
    QCOMPARE(f.picture("imgBottomRedButton"), toggles ? 13 : 0);
    if (toggles) {
        QVERIFY(f.shown("lblDigitTemp"));
        QVERIFY(!f.shown("lblDigitDiveTime"));
        QTest::mouseClick(f.image("imgBottomRedButton"), Qt::LeftButton);
        QVERIFY(!f.shown("lblDigitTemp"));
        QVERIFY(f.shown("lblDigitDiveTime"));
    } else {
        QCOMPARE(f.shown("lblDigitDiveTime"), diveTimeBefore);
    }
}

void tst_DisplayKobi::bottomButtonBeforeAnyProfile() {
    FaceFixture f(32);
    QTest::mouseClick(f.image("imgBottomRedButton"), Qt::LeftButton);
    QVERIFY(!kobi(f).temperatureToggle());
    QCOMPARE(f.picture("imgBottomRedButton"), 0);
}

void tst_DisplayKobi::topButtonAlwaysToggles() {
    FaceFixture f(32);
    f.show(diveOf(32, 0), {StepValues{.depth = 10, .maxDepth = 20, .noDecTime = 40}});
    f.face->updateDisplay(0);
    QTest::mouseClick(f.image("imgTopRedButton"), Qt::LeftButton);
    QVERIFY(f.shown("lblDigitMaxDepth"));
    QVERIFY(!f.shown("lblDigitDepth"));
    QCOMPARE(f.picture("imgTopRedButton"), 12);
    // A new dive keeps the diver's choice, with one of the two depths shown, and the next click
    // shows the depth again.
    f.show(diveOf(32, 3), {StepValues{}});
    QVERIFY(f.shown("lblDigitMaxDepth"));
    QVERIFY(!f.shown("lblDigitDepth"));
    QCOMPARE(f.picture("imgTopRedButton"), 12);
    QTest::mouseClick(f.image("imgTopRedButton"), Qt::LeftButton);
    QVERIFY(!f.shown("lblDigitMaxDepth"));
    QVERIFY(f.shown("lblDigitDepth"));
    QCOMPARE(f.picture("imgTopRedButton"), 0);
}

void tst_DisplayKobi::liveDepth() {
    FaceFixture f(32);
    f.face->updateDepth(7.5f);
    QCOMPARE(f.text("lblDigitDepth"), QString("7.5"));
    f.face->updateDepth(102.46f);
    QCOMPARE(f.text("lblDigitDepth"), QString("102"));
}

QTEST_MAIN(tst_DisplayKobi)
#include "tst_displaykobi.moc"
