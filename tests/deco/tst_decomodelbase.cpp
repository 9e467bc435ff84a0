// The rules both decompression models share: oxygen exposure and CNS, the safety-stop count and the
// ceiling-level step, checked through the models that apply them.
#include "DecoModelBase.h"
#include "DecoTestDives.h"
#include "Profile.h"
#include "TestEnvironment.h"

#include <QtTest>
#include <cmath>
#include <memory>

using namespace decotest;

namespace {
// The CNS shown for a running percentage, as the device shows it.
int shownCns(double cns) {
    if (cns <= 2.5)
        return 0;
    if (cns > 120)
        return 99;
    const int shown = int(std::nearbyint(cns)) / 5 * 5 + 5;
    return std::min(shown, 99);
}
} // namespace

class tst_DecoModelBase : public QObject {
    Q_OBJECT
private slots:
    void init() { m_environment = std::make_unique<TestEnvironment>(); }
    void cleanup() { m_environment.reset(); }

    void cnsLimitMinutes_data();
    void cnsLimitMinutes();
    void cnsDisplayValue_data();
    void cnsDisplayValue();
    void cnsOverADive_data();
    void cnsOverADive();
    void cnsRecoveryHasNoFloor();
    void safetyStop_data();
    void safetyStop();
    void ceilingCancelsSafetyStop();
    void ceilingRisesOneLevelPerSample_data();
    void ceilingRisesOneLevelPerSample();
    void ceilingFallsOneLevelPerSample();

private:
    std::unique_ptr<TestEnvironment> m_environment;
};

void tst_DecoModelBase::cnsLimitMinutes_data() {
    QTest::addColumn<float>("ppo2");
    QTest::addColumn<int>("minutes");
    QTest::newRow("lowest row starts at 0.5") << 0.5f << 720;
    QTest::newRow("0.59") << 0.59f << 720;
    QTest::newRow("0.6") << 0.6f << 570;
    QTest::newRow("0.75") << 0.75f << 450;
    QTest::newRow("0.85") << 0.85f << 360;
    QTest::newRow("0.95") << 0.95f << 300;
    QTest::newRow("1.0") << 1.0f << 240;
    QTest::newRow("1.15") << 1.15f << 210;
    QTest::newRow("1.25") << 1.25f << 180;
    QTest::newRow("1.35") << 1.35f << 150;
    QTest::newRow("1.45") << 1.45f << 135;
    QTest::newRow("1.55") << 1.55f << 120;
    QTest::newRow("1.65") << 1.65f << 75;
    QTest::newRow("exactly 1.7 takes the last row") << 1.7f << 75;
}

void tst_DecoModelBase::cnsLimitMinutes() {
    QFETCH(float, ppo2);
    QFETCH(int, minutes);
    QCOMPARE(DecoModelBase::getCnsLimitMinutes(ppo2), minutes);
}

void tst_DecoModelBase::cnsDisplayValue_data() {
    QTest::addColumn<float>("cns");
    QTest::addColumn<float>("shown");
    QTest::newRow("negative") << -3.0f << 0.0f;
    QTest::newRow("2.5") << 2.5f << 0.0f;
    QTest::newRow("2.6") << 2.6f << 5.0f;
    QTest::newRow("4.4") << 4.4f << 5.0f;
    QTest::newRow("4.5 rounds to even 4") << 4.5f << 5.0f;
    QTest::newRow("5") << 5.0f << 10.0f;
    QTest::newRow("94.6") << 94.6f << 100.0f;
    QTest::newRow("120") << 120.0f << 125.0f;
    QTest::newRow("above 120") << 150.0f << 120.0f;
}

void tst_DecoModelBase::cnsDisplayValue() {
    QFETCH(float, cns);
    QFETCH(float, shown);
    QCOMPARE(DecoModelBase::cnsDisplayValue(cns), shown);
}

void tst_DecoModelBase::cnsOverADive_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("oxygen");
    QTest::addColumn<double>("depth");
    QTest::addColumn<double>("startCns");
    QTest::addColumn<double>("perSample");
    // Per 20-second sample: 33.33 / the limit of the partial pressure's row, 22/3 above 1.7 bar,
    // -0.08 below 0.5 bar. Salt water and altitude do not change the partial pressure counted.
    const QList<std::tuple<const char*, int, double, double>> rows = {
        {"air at 10 m, 0.42 bar", 21, 10, -0.08},
        {"EAN32 at 6 m, 0.512 bar", 32, 6, 33.33 / 720},
        {"air at 30 m, 0.84 bar", 21, 30, 33.33 / 360},
        {"EAN28 at 25 m, 0.98 bar", 28, 25, 33.33 / 300},
        {"EAN32 at 33 m, 1.376 bar", 32, 33, 33.33 / 150},
        {"EAN36 at 30 m, 1.44 bar", 36, 30, 33.33 / 135},
        {"EAN40 at 28 m, 1.52 bar", 40, 28, 33.33 / 120},
        {"EAN50 at 23 m, 1.65 bar", 50, 23, 33.33 / 75},
        {"EAN50 at 24 m, exactly 1.7 bar", 50, 24, 33.33 / 75},
        {"EAN50 at 25 m, 1.75 bar", 50, 25, 22.0 / 3},
    };
    for (int code : {1, 8}) {
        for (const auto& [name, oxygen, depth, perSample] : rows) {
            QTest::addRow("code %d, %s", code, name) << code << oxygen << depth << 0.0 << perSample;
            QTest::addRow("code %d, %s, start 20", code, name) << code << oxygen << depth << 20.0 << perSample;
        }
    }
}

void tst_DecoModelBase::cnsOverADive() {
    QFETCH(int, code);
    QFETCH(int, oxygen);
    QFETCH(double, depth);
    QFETCH(double, startCns);
    QFETCH(double, perSample);
    Settings::instance().setCurrentDiveComputer(code);
    auto dive = diveOf(constant(depth, 40));
    if (oxygen != 21)
        setNitrox(*dive, oxygen);
    dive->setStartCNS(float(startCns));
    dive->setWater(0);
    Profile profile;
    profile.setCurrentDive(dive);
    profile.compute();
    QCOMPARE(profile.getCNS(0), qint16(0));
    for (qint16 step = 1; step <= 40; ++step)
        QCOMPARE(profile.getCNS(step), qint16(shownCns(startCns + step * perSample)));
}

void tst_DecoModelBase::cnsRecoveryHasNoFloor() {
    // 60 samples at 5 m on air take 4.8 % off an empty count; 30 samples at 30 m add back 2.78 %.
    Settings::instance().setCurrentDiveComputer(1);
    QList<double> depths = constant(5, 60);
    depths += constant(30, 30);
    Profile profile;
    profile.setCurrentDive(diveOf(depths));
    profile.compute();
    QCOMPARE(profile.getCNS(90), qint16(0));

    Profile fromEmpty;
    fromEmpty.setCurrentDive(diveOf(constant(30, 30)));
    fromEmpty.compute();
    QCOMPARE(fromEmpty.getCNS(30), qint16(5));
}

void tst_DecoModelBase::safetyStop_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<QList<double>>("depths");
    QTest::addColumn<QList<int>>("shown");
    for (int code : {1, 4}) {
        QTest::addRow("code %d, full stop", code) << code << QList<double>{12, 12, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4}
                                                  << QList<int>{0, 0, 3, 3, 3, 2, 2, 2, 1, 1, 1, 0};
        QTest::addRow("code %d, band ends excluded", code)
            << code << QList<double>{12, 5, 3.5, 4.9, 3.6} << QList<int>{0, 0, 0, 3, 3};
        QTest::addRow("code %d, leaving the band pauses", code)
            << code << QList<double>{12, 4, 4, 6, 4, 3, 4} << QList<int>{0, 3, 3, 0, 3, 0, 2};
        QTest::addRow("code %d, deeper than 10 m starts again", code)
            << code << QList<double>{12, 4, 4, 4, 4, 11, 4} << QList<int>{0, 3, 3, 3, 2, 0, 3};
        QTest::addRow("code %d, 10 m does not arm", code) << code << QList<double>{10, 4, 4} << QList<int>{0, 0, 0};
    }
}

void tst_DecoModelBase::safetyStop() {
    QFETCH(int, code);
    QFETCH(QList<double>, depths);
    QFETCH(QList<int>, shown);
    Settings::instance().setCurrentDiveComputer(code);
    Profile profile;
    profile.setCurrentDive(diveOf(depths));
    profile.compute();
    QList<int> actual;
    for (qint16 step = 1; step <= qint16(depths.size()); ++step) {
        QCOMPARE(profile.getDecoFlag(step), qint16(0));
        actual.append(profile.getSafetyTime(step));
    }
    QCOMPARE(actual, shown);
}

void tst_DecoModelBase::ceilingCancelsSafetyStop() {
    // The fastest compartment starts above its surface limit: a ceiling at the 12 m sample, gone by
    // the next sample at 4 m, takes the armed safety stop with it.
    Settings::instance().setCurrentDiveComputer(1);
    auto dive = diveOf({12, 4, 4});
    setTissues(*dive, {120, 26.07, 26.07, 26.07, 26.07, 26.07, 26.07, 26.07, 26.07, 26.07, 26.07});
    Profile profile;
    profile.setCurrentDive(dive);
    profile.compute();
    QCOMPARE(profile.getDecoFlag(1), qint16(1));
    QCOMPARE(profile.getDecoFlag(2), qint16(0));
    QCOMPARE(profile.getSafetyTime(2), qint16(0));
    QCOMPARE(profile.getSafetyTime(3), qint16(0));
}

void tst_DecoModelBase::ceilingRisesOneLevelPerSample_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<double>("load");
    QTest::newRow("11 compartments") << 1 << 300.0;
    QTest::newRow("RGBM") << 4 << 9.0;
}

void tst_DecoModelBase::ceilingRisesOneLevelPerSample() {
    // Every compartment far above every limit: the level still climbs one stop a sample, to 8.
    QFETCH(int, code);
    QFETCH(double, load);
    Settings::instance().setCurrentDiveComputer(code);
    auto dive = diveOf(constant(30, 12));
    setTissues(*dive, load);
    Profile profile;
    profile.setCurrentDive(dive);
    profile.compute();
    const QList<int> expected = {1, 2, 3, 4, 5, 6, 7, 8, 8, 8, 8, 8};
    for (qint16 step = 1; step <= 12; ++step) {
        QCOMPARE(profile.getDecoFlag(step), qint16(expected[step - 1]));
        QCOMPARE(profile.getTappa(step), qint16(expected[step - 1]));
        QVERIFY(profile.getDecoTime(step) >= 1);
        QCOMPARE(profile.getAscentTime(step), qint16(99));
        QCOMPARE(profile.getNoDecTime(step), qint16(0));
    }
}

void tst_DecoModelBase::ceilingFallsOneLevelPerSample() {
    // Only the fastest compartment is loaded, far above its surface limit. At 12 m (where the
    // ascent to any stop lasts 0 minutes) the level climbs while the load reaches the limit of the
    // level, holds while it reaches the limit of the level beneath, and else comes down one level.
    Settings::instance().setCurrentDiveComputer(1);
    const int samples = 14;
    auto dive = diveOf(constant(12, samples));
    QList<double> start(11, zentoSurfaceN2);
    start[0] = 200;
    setTissues(*dive, start);
    Profile profile;
    profile.setCurrentDive(dive);
    profile.compute();

    const double inspired = 22 * 3.3 * 0.79;
    const auto limit = [](int level) { return 108.9 + 23.0 * level; };
    double load = 200;
    int level = 0;
    QList<int> expected, actual;
    for (qint16 step = 1; step <= samples; ++step) {
        load = inspired + (load - inspired) * std::exp(-0.693 / 3 / 2.5);
        if (load >= limit(level))
            ++level;
        else if (level > 0 && load < limit(level - 1))
            --level;
        expected.append(level);
        actual.append(profile.getDecoFlag(step));
    }
    QCOMPARE(actual, expected);
    QCOMPARE(*std::max_element(actual.begin(), actual.end()), 3);
    QCOMPARE(actual.last(), 0);
}

QTEST_GUILESS_MAIN(tst_DecoModelBase)
#include "tst_decomodelbase.moc"
