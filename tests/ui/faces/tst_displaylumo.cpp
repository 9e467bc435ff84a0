#include "FaceFixture.h"

#include <QtTest>

// The Lumo face (model code 2): where it differs from the Zento face.
class tst_DisplayLumo : public QObject {
    Q_OBJECT
private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void noDeepStopScreen();
    void safetyStop();
    void stopFlagPlaceholdersReadStOp();
    void temperatureTip();
    void nitroxThenAir();
};

void tst_DisplayLumo::noDeepStopScreen() {
    FaceFixture f(2);
    f.show(diveOf(2, 0), {StepValues{.depth = 18, .verticalDeep = 0, .noDecTime = 20}});
    f.face->updateDisplay(0);
    QCOMPARE(f.text("lblDigitAscTime0"), QString("20"));
    QCOMPARE(f.text("lblDigitAscTime1"), QString("20"));
    QVERIFY(!f.shown("lblDigitDeco"));
}

void tst_DisplayLumo::safetyStop() {
    FaceFixture f(2);
    f.show(diveOf(2, 0), {StepValues{.depth = 5, .safetyTime = 3}});
    f.face->updateDisplay(0);
    QCOMPARE(f.text("lblDigitDeco"), QString("3"));
    QCOMPARE(f.tip("lblDigitDeco"), QString("Safety Stop"));
    QCOMPARE(f.text("lblDigitAscTime0"), QString("st"));
}

void tst_DisplayLumo::stopFlagPlaceholdersReadStOp() {
    FaceFixture f(2);
    f.show(diveOf(2, 0, true), {StepValues{.depth = 10, .cns = 15}});
    f.face->updateDisplay(0);
    QCOMPARE(f.text("lblDigitCNSLimit"), QString("st"));
    QCOMPARE(f.text("lblDigitDeco"), QString("op"));
    QVERIFY(f.label("lblDigitCNSLimit")->x() < f.label("lblDigitDeco")->x());
}

void tst_DisplayLumo::temperatureTip() {
    FaceFixture f(2);
    QCOMPARE(f.tip("lblDigitTemp"), QString("Min. Water Temp.:"));
}

void tst_DisplayLumo::nitroxThenAir() {
    FaceFixture f(2);
    f.show(diveOf(2, 1), {StepValues{.depth = 10, .noDecTime = 30, .cns = 15}});
    f.face->updateDisplay(0);
    QCOMPARE(f.text("lblDigitCNSLimit"), QString("15"));
    f.show(diveOf(2, 0), {StepValues{.depth = 10, .noDecTime = 30}});
    for (const char* gone :
         {"lblDigitCNSLimit", "lblCNSO20", "lblO21", "lblNitrox0", "lblNitrox1", "lblDigitNitroxMixture"})
        QVERIFY2(!f.shown(gone), gone);
}

QTEST_MAIN(tst_DisplayLumo)
#include "tst_displaylumo.moc"
