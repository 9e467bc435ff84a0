#include "Dive.h"
#include "DiveInfoRules.h"
#include "TestEnvironment.h"

#include <QtTest>

class tst_DiveInfoRules : public QObject {
    Q_OBJECT
private slots:
    void modeOfDive_data();
    void modeOfDive();
    void tankFields_data();
    void tankFields();
    void decoFlags_data();
    void decoFlags();
    void tankFieldsOnRefresh_data();
    void tankFieldsOnRefresh();
    void cnsViolation_data();
    void cnsViolation();
    void ppo2Violation_data();
    void ppo2Violation();
};

void tst_DiveInfoRules::modeOfDive_data() {
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("diveMode");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("nitrox");
    QTest::addColumn<bool>("air");
    QTest::addColumn<bool>("freeDive");
    QTest::newRow("air") << 1 << 0 << "Air" << false << true << false;
    QTest::newRow("nitrox") << 8 << 1 << "Nitrox" << true << true << false;
    QTest::newRow("bottom time, code 2") << 4 << 2 << "Bottom Time" << false << false << false;
    QTest::newRow("bottom time on the Kobi, code 3") << 32 << 3 << "Bottom Time" << false << false << false;
    QTest::newRow("free dive on the Kobi") << 32 << 2 << "Free Dive" << false << false << true;
    QTest::newRow("code 3 elsewhere is none") << 1 << 3 << "---" << false << false << false;
    QTest::newRow("unknown code") << 32 << 7 << "---" << false << false << false;
}

void tst_DiveInfoRules::modeOfDive() {
    QFETCH(int, model);
    QFETCH(int, diveMode);
    TestEnvironment env;
    env.storeSetting(QStringLiteral("DiveComputer"), QString::number(model));
    env.restart();
    Dive dive;
    dive.setDiveComputer(model);
    dive.setDiveMode(diveMode);
    const DiveInfoRules::Mode mode = DiveInfoRules::modeOf(dive);
    QTEST(mode.text, "text");
    QTEST(mode.nitrox, "nitrox");
    QTEST(mode.air, "air");
    QTEST(mode.freeDive, "freeDive");
}

void tst_DiveInfoRules::tankFields_data() {
    QTest::addColumn<int>("model");
    QTest::addColumn<bool>("on");
    for (int model : {1, 2, 4, 32})
        QTest::addRow("model %d never", model) << model << false;
    QTest::newRow("Tavex") << 8 << true;
    QTest::newRow("Lumo Air") << 16 << true;
}

void tst_DiveInfoRules::tankFields() {
    QFETCH(int, model);
    QFETCH(bool, on);
    QCOMPARE(DiveInfoRules::tankFieldsOn(true, model), on);
    QCOMPARE(DiveInfoRules::tankFieldsOn(false, model), false);
}

void tst_DiveInfoRules::decoFlags_data() {
    QTest::addColumn<int>("model");
    QTest::addColumn<bool>("freeDive");
    QTest::addColumn<bool>("enabled");
    for (int model : {1, 2, 4, 8, 16}) {
        QTest::addRow("model %d, dive", model) << model << false << false;
        QTest::addRow("model %d, free dive", model) << model << true << false;
    }
    QTest::newRow("Kobi dive") << 32 << false << true;
    QTest::newRow("Kobi free-dive series") << 32 << true << false;
}

void tst_DiveInfoRules::decoFlags() {
    QFETCH(int, model);
    QFETCH(bool, freeDive);
    QTEST(DiveInfoRules::decoFlagsEnabled(freeDive, model), "enabled");
}

void tst_DiveInfoRules::tankFieldsOnRefresh_data() {
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("expected"); // -1: left alone
    for (int model : {1, 2, 4, 32})
        QTest::addRow("model %d off", model) << model << 0;
    QTest::newRow("Tavex on") << 8 << 1;
    QTest::newRow("Lumo Air on") << 16 << 1;
    QTest::newRow("several bits left alone") << 3 << -1;
}

void tst_DiveInfoRules::tankFieldsOnRefresh() {
    QFETCH(int, model);
    QFETCH(int, expected);
    const std::optional<bool> on = DiveInfoRules::tankFieldsOnRefresh(model);
    QCOMPARE(on.has_value() ? int(*on) : -1, expected);
}

void tst_DiveInfoRules::cnsViolation_data() {
    QTest::addColumn<float>("maxCNS");
    QTest::addColumn<bool>("violation");
    QTest::newRow("75 is none") << 75.0f << false;
    QTest::newRow("75.1") << 75.1f << true;
    QTest::newRow("none at all") << 0.0f << false;
}

void tst_DiveInfoRules::cnsViolation() {
    QFETCH(float, maxCNS);
    QTEST(DiveInfoRules::cnsViolation(maxCNS), "violation");
}

void tst_DiveInfoRules::ppo2Violation_data() {
    QTest::addColumn<float>("depth");
    QTest::addColumn<int>("oxygen");
    QTest::addColumn<float>("limit");
    QTest::addColumn<bool>("violation");
    QTest::newRow("32 % at 33 m: 1.376 bar") << 33.0f << 32 << 1.4f << false;
    QTest::newRow("32 % at 34 m: 1.408 bar") << 34.0f << 32 << 1.4f << true;
    QTest::newRow("exactly the limit: 32 % at 40 m, 1.6") << 40.0f << 32 << 1.6f << false;
    QTest::newRow("air at the surface") << 0.0f << 21 << 1.4f << false;
}

void tst_DiveInfoRules::ppo2Violation() {
    QFETCH(float, depth);
    QFETCH(int, oxygen);
    QFETCH(float, limit);
    QTEST(DiveInfoRules::ppo2Violation(depth, qint16(oxygen), limit), "violation");
}

QTEST_GUILESS_MAIN(tst_DiveInfoRules)
#include "tst_diveinforules.moc"
