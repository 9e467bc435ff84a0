#include "ModelCodes.h"

#include <QtTest>

// The stored codes and the models they stand for.
class tst_ModelCodes : public QObject {
    Q_OBJECT
private slots:
    void models_data();
    void models();
    void codesThatAreNoModel_data();
    void codesThatAreNoModel();
};

void tst_ModelCodes::models_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<ModelCode>("model");
    QTest::addColumn<bool>("eleven");
    QTest::addColumn<bool>("air");
    QTest::newRow("Zento") << 1 << ModelCode::dcZento << true << false;
    QTest::newRow("Lumo") << 2 << ModelCode::dcLUMO << true << false;
    QTest::newRow("Zento RGBM") << 4 << ModelCode::dcZentoRGBM << false << false;
    QTest::newRow("Tavex") << 8 << ModelCode::dcTAVEX << false << true;
    QTest::newRow("Lumo Air") << 16 << ModelCode::dcLumoAir << false << true;
    QTest::newRow("Kobi") << 32 << ModelCode::dcKOBI << false << false;
}

void tst_ModelCodes::models() {
    QFETCH(int, code);
    QFETCH(ModelCode, model);
    QFETCH(bool, eleven);
    QFETCH(bool, air);
    QVERIFY(ModelCodes::model(code) == model);
    QCOMPARE(ModelCodes::code(model), code);
    QVERIFY(ModelCodes::isKnown(code));
    QVERIFY(ModelCodes::ALL & code);
    QCOMPARE(ModelCodes::hasElevenTissues(code), eleven);
    QCOMPARE(ModelCodes::isRGBM(code), !eleven);
    QCOMPARE(ModelCodes::isAirIntegrated(code), air);
}

void tst_ModelCodes::codesThatAreNoModel_data() {
    QTest::addColumn<int>("code");
    QTest::newRow("none") << 0;
    QTest::newRow("two models") << 3;
    QTest::newRow("every model") << 63;
    QTest::newRow("beyond the models") << 64;
    QTest::newRow("negative") << -1;
}

void tst_ModelCodes::codesThatAreNoModel() {
    QFETCH(int, code);
    QVERIFY(!ModelCodes::model(code));
    QVERIFY(!ModelCodes::isKnown(code));
    QVERIFY(!ModelCodes::hasElevenTissues(code));
    QVERIFY(!ModelCodes::isRGBM(code));
    QVERIFY(!ModelCodes::isAirIntegrated(code));
}

QTEST_GUILESS_MAIN(tst_ModelCodes)
#include "tst_modelcodes.moc"
