// The RGBM model against values worked out here from its published tables and formulas, in double
// precision: limits reduced by the dive history, loads by the exponential decay law, times solved
// with logarithms; and its deep stops and tank values.
#include "DecoTestDives.h"
#include "Profile.h"
#include "RuntimeError.h"
#include "TestEnvironment.h"

#include <QtTest>
#include <array>
#include <cmath>
#include <memory>

using namespace decotest;

namespace {
constexpr int N = 10;
constexpr std::array<double, N> halfTime = {2.5, 5, 10, 20, 30, 40, 60, 80, 120, 240};
constexpr std::array<double, N> surfaceRatio = {3.3, 2.861, 2.345, 1.939, 1.748, 1.615, 1.455, 1.424, 1.394, 1.348};
constexpr std::array<double, N> slope = {0.751, 0.654, 0.556, 0.523, 0.457, 0.409, 0.393, 0.375, 0.359, 0.343};
constexpr std::array<double, 4> surfaceBar = {1, 0.858, 0.766, 0.657};
constexpr std::array<double, 9> stopBar = {1, 1.303, 1.606, 1.909, 2.21, 2.51, 2.818, 3.121, 3.424};

using Loads = std::array<double, N>;

double remaining(int j, double minutes) {
    return std::exp(-0.693 * minutes / halfTime[size_t(j)]);
}

Loads uniform(double load) {
    Loads loads;
    loads.fill(load);
    return loads;
}

Loads loadsAfter(const Loads& start, double inspiredN2, int samples) {
    Loads loads{};
    for (int j = 0; j < N; ++j)
        loads[size_t(j)] = inspiredN2 + (start[size_t(j)] - inspiredN2) * remaining(j, samples / 3.0);
    return loads;
}

// The limits of a dive: surface limit a_j and slope b_j per stop level.
struct Limits {
    Loads a{};
    Loads b{};
    double at(int j, int level) const { return a[size_t(j)] + level * b[size_t(j)]; }
};

// The dive history a dive brings, and the limits it makes at a given mean depth.
struct History {
    int altitude = 0;
    int personalFactor = 0;
    double surfaceInterval = 0;
    int diveDays = 0;
    double previousMeanDepth = 0;

    Limits limits(double meanDepth) const {
        const double ps = surfaceBar[size_t(altitude)];
        const double personal = personalFactor == 1 ? 0.95 : personalFactor == 2 ? 0.9 : 1;
        const double days = diveDays > 0 ? 0.8 + 0.2 * std::exp(-diveDays / 7.0) : 1;
        double interval = 1, reverse = 1;
        if (surfaceInterval > 0) {
            interval = 1 - 0.3 * std::exp(-std::pow(surfaceInterval - 30, 2) / 1200);
            const double weight = 0.4 * std::exp(-std::pow(surfaceInterval - 60, 2) / 4000);
            const double deeper = meanDepth - previousMeanDepth;
            if (previousMeanDepth > 0 && deeper > 0)
                reverse = 1 - (1 - std::exp(-deeper / (meanDepth + 10))) * weight;
        }
        const double r = 0.45 * interval + 0.35 * reverse + 0.2 * days;
        Limits limits;
        for (int j = 0; j < N; ++j) {
            const double m = ps * surfaceRatio[size_t(j)] * personal;
            // Only the seven faster compartments feel the history.
            const double reduction = j < 7 ? (1 - r) * halfTime[size_t(j)] / 80 + r : 1;
            limits.a[size_t(j)] = (1 - reduction) * ps * 0.79 + m * reduction;
            limits.b[size_t(j)] = slope[size_t(j)] * reduction + (1 - reduction) * 0.79;
        }
        return limits;
    }
};

double ambient(double metres, bool salt, int altitude = 0) {
    return surfaceBar[size_t(altitude)] + metres * (salt ? 1 / 9.75 : 0.1);
}

// Whole minutes for a load to go from `load` to `target` breathing `inspiredN2`.
int minutesTo(int j, double load, double target, double inspiredN2) {
    return int(std::floor(std::log((inspiredN2 - target) / (inspiredN2 - load)) / std::log(remaining(j, 1))));
}

bool between(double x, double a, double b) {
    return (a < x && x < b) || (b < x && x < a);
}

int noStopMinutes(const Loads& loads, const Limits& limits, double metres, double inspiredN2) {
    const int ascent = int(std::nearbyint(metres / 10));
    const double mean = 0.5 * inspiredN2 + 0.395;
    int best = 200;
    for (int j = 0; j < N; ++j) {
        const double e = remaining(j, ascent);
        const double x = (limits.a[size_t(j)] - (1 - e) * mean) / e;
        if (between(x, loads[size_t(j)], inspiredN2))
            best = std::min(best, minutesTo(j, loads[size_t(j)], x, inspiredN2));
    }
    return std::min(best, 99);
}

void compareTissues(const QList<qint16>& actual, const Loads& loads, const Limits& limits) {
    QCOMPARE(actual.size(), N);
    for (int j = 0; j < N; ++j) {
        const double expected = loads[size_t(j)] * 100 / limits.a[size_t(j)];
        QVERIFY2(std::abs(actual[j] - expected) <= 0.501,
                 qPrintable(QStringLiteral("compartment %1: %2, expected %3").arg(j).arg(actual[j]).arg(expected)));
    }
}

std::shared_ptr<Dive> diveWith(const QList<double>& depths, const History& history) {
    auto dive = diveOf(depths);
    dive->setAltitude(history.altitude);
    dive->setPersonalFactor(history.personalFactor);
    dive->setTSR(float(history.surfaceInterval));
    dive->setDiveDays(history.diveDays);
    dive->setDepthMeanPrec(float(history.previousMeanDepth));
    return dive;
}
} // namespace

Q_DECLARE_METATYPE(History)

class tst_ProfileZentoRGBM : public QObject {
    Q_OBJECT
private slots:
    void init() {
        m_environment = std::make_unique<TestEnvironment>();
        Settings::instance().setCurrentDiveComputer(4);
    }
    void cleanup() { m_environment.reset(); }

    void limitsAndLoads_data();
    void limitsAndLoads();
    void squareDive_data();
    void squareDive();
    void ceilingAndStopSchedule_data();
    void ceilingAndStopSchedule();
    void recordedDeepStops_data();
    void recordedDeepStops();
    void recordedDeepStopsLengthenTheAscent();
    void simulatedDeepStops_data();
    void simulatedDeepStops();
    void simulatedDeepStopMarks();
    void tankValues();
    void altitudeOutsideTheClasses();

private:
    std::unique_ptr<TestEnvironment> m_environment;
};

void tst_ProfileZentoRGBM::limitsAndLoads_data() {
    QTest::addColumn<History>("history");
    QTest::addColumn<double>("metres");
    QTest::addColumn<bool>("salt");
    QTest::addColumn<double>("startLoad");
    auto row = [](const char* name, History history, double metres, bool salt, double startLoad) {
        QTest::newRow(name) << history << metres << salt << startLoad;
    };
    row("no history: limits are the surface ratios", {}, 20, false, 2.0);
    row("salt water at 10 m", {}, 10, true, 2.0);
    row("altitude class 1, personal factor 2", {1, 2}, 20, false, 1.8);
    row("altitude class 3, personal factor 1", {3, 1}, 25, false, 1.5);
    row("personal factor 3 counts as none", {0, 3}, 20, false, 2.0);
    row("surface interval 30 min", {0, 0, 30}, 20, false, 2.0);
    row("surface interval 60 min after a shallower dive", {0, 0, 60, 0, 10}, 20, false, 2.0);
    row("after a deeper dive", {0, 0, 45, 0, 30}, 20, false, 2.0);
    row("three dive days", {0, 0, 0, 3}, 20, false, 2.0);
    row("everything at once", {2, 1, 90, 5, 14}, 28, true, 1.6);
}

void tst_ProfileZentoRGBM::limitsAndLoads() {
    // Loaded tissues at a constant depth deeper than 12 m, so that the mean depth is the depth: the
    // percentages show the limits the history makes, the loads the gas breathed.
    QFETCH(History, history);
    QFETCH(double, metres);
    QFETCH(bool, salt);
    QFETCH(double, startLoad);
    const int samples = 6;
    auto dive = diveWith(constant(metres, samples), history);
    setTissues(*dive, startLoad);
    dive->setWater(salt ? 0 : 1);
    Profile profile;
    profile.setCurrentDive(dive);
    profile.compute();

    const Limits limits = history.limits(metres);
    const double inspiredN2 = 0.79 * ambient(metres, salt, history.altitude);
    for (int step = 1; step <= samples; ++step)
        compareTissues(profile.getTissue(qint16(step)), loadsAfter(uniform(startLoad), inspiredN2, step), limits);
}

void tst_ProfileZentoRGBM::squareDive_data() {
    QTest::addColumn<double>("metres");
    QTest::newRow("30 m") << 30.0;
    QTest::newRow("50 m") << 50.0;
    QTest::newRow("65 m: 6.5 minutes up round to 6") << 65.0;
}

void tst_ProfileZentoRGBM::squareDive() {
    // Air from the first sample: the no-stop time falls sample by sample until a direct ascent
    // would bring a compartment to the surface above its limit; then the first stop appears at 3 m.
    QFETCH(double, metres);
    const int samples = 90;
    Profile profile;
    profile.setCurrentDive(diveOf(constant(metres, samples)));
    profile.compute();

    const Limits limits = History{}.limits(metres);
    const double inspiredN2 = 0.79 * ambient(metres, false);
    const int ascent = int(std::nearbyint(metres / 10));
    int firstCeiling = 0;
    for (int step = 1; step <= samples && firstCeiling == 0; ++step) {
        const Loads loads = loadsAfter(uniform(rgbmSurfaceN2), inspiredN2, step);
        // The ascent at 10 m/min breathing the average of here and the surface.
        const double mean = 0.395 + 0.5 * inspiredN2;
        Loads atSurface{};
        bool ceiling = false;
        for (int j = 0; j < N; ++j) {
            atSurface[size_t(j)] = mean + (loads[size_t(j)] - mean) * remaining(j, ascent);
            ceiling = ceiling || atSurface[size_t(j)] >= limits.a[size_t(j)];
        }
        const qint16 s = qint16(step);
        compareTissues(profile.getTissue(s), loads, limits);
        if (!ceiling) {
            QCOMPARE(profile.getDecoFlag(s), qint16(0));
            QCOMPARE(profile.getNoDecTime(s), qint16(noStopMinutes(loads, limits, metres, inspiredN2)));
            continue;
        }
        firstCeiling = step;
        // The stop at 3 m breathing air at 1.303 bar, until every blocking compartment is down to its
        // surface limit.
        const double atStop = 1.303 * 0.79;
        int stop = 0;
        for (int j = 0; j < N; ++j) {
            if (atSurface[size_t(j)] >= limits.a[size_t(j)] &&
                between(limits.a[size_t(j)], atSurface[size_t(j)], atStop))
                stop = std::max(stop, minutesTo(j, atSurface[size_t(j)], limits.a[size_t(j)], atStop));
        }
        stop = std::max(stop, 1);
        QCOMPARE(profile.getDecoFlag(s), qint16(1));
        QCOMPARE(profile.getTappa(s), qint16(1));
        QCOMPARE(profile.getDecoTime(s), qint16(stop));
        QCOMPARE(profile.getAscentTime(s), qint16(ascent + stop + 1));
    }
    QVERIFY(firstCeiling > 1);
}

void tst_ProfileZentoRGBM::ceilingAndStopSchedule_data() {
    QTest::addColumn<History>("history");
    QTest::addColumn<double>("metres");
    QTest::addColumn<int>("oxygen");
    QTest::addColumn<QList<double>>("startLoads");
    const QList<double> surface(N, rgbmSurfaceN2);
    QList<double> slowLoaded = surface;
    slowLoaded[8] = 4.0;
    QTest::newRow("40 m, loads of 4 bar") << History{} << 40.0 << 21 << QList<double>(N, 4.0);
    QTest::newRow("30 m on EAN32, loads of 3.8 bar") << History{} << 30.0 << 32 << QList<double>(N, 3.8);
    QTest::newRow("45 m at altitude class 1 after 30 min, loads of 3.6 bar")
        << History{1, 0, 30} << 45.0 << 21 << QList<double>(N, 3.6);
    QTest::newRow("40 m, only the 120-minute compartment loaded") << History{} << 40.0 << 21 << slowLoaded;
}

void tst_ProfileZentoRGBM::ceilingAndStopSchedule() {
    // Loaded tissues: the ceiling climbs one level a sample, each sample projecting the loads to
    // the stop of the level before; the schedule then works every stop from the new level up,
    // breathing the mix at the stop's pressure.
    QFETCH(History, history);
    QFETCH(double, metres);
    QFETCH(int, oxygen);
    QFETCH(QList<double>, startLoads);
    auto dive = diveWith(constant(metres, 6), history);
    setTissues(*dive, startLoads);
    Loads start{};
    std::copy(startLoads.begin(), startLoads.end(), start.begin());
    if (oxygen != 21)
        setNitrox(*dive, oxygen);
    Profile profile;
    profile.setCurrentDive(dive);
    profile.compute();

    const double nitrogen = 1 - oxygen / 100.0;
    const double inspiredN2 = nitrogen * ambient(metres, false, history.altitude);
    const Limits limits = history.limits(metres);
    for (int step = 1; step <= 6; ++step) {
        const int levelBefore = step - 1;
        const Loads loads = loadsAfter(start, inspiredN2, step);
        const int ascent = int(std::nearbyint((metres - 3 * levelBefore) / 10));
        const double mean = 0.395 * stopBar[size_t(levelBefore)] + 0.5 * inspiredN2;
        Loads atStop{};
        std::array<bool, N> blocking{};
        bool rises = false;
        for (int j = 0; j < N; ++j) {
            atStop[size_t(j)] = mean + (loads[size_t(j)] - mean) * remaining(j, ascent);
            blocking[size_t(j)] = atStop[size_t(j)] >= limits.at(j, levelBefore);
            rises = rises || blocking[size_t(j)];
        }
        QVERIFY2(rises, "the case must keep the ceiling climbing");

        int total = 0, firstStop = 0;
        for (int level = step; level >= 1; --level) {
            const double breathed = stopBar[size_t(level)] * nitrogen;
            int stop = 0;
            for (int j = 0; j < N; ++j) {
                const double target = limits.at(j, level - 1);
                if (blocking[size_t(j)] && between(target, atStop[size_t(j)], breathed))
                    stop = std::max(stop, minutesTo(j, atStop[size_t(j)], target, breathed));
            }
            stop = std::max(stop, 1);
            total += stop;
            if (level == step)
                firstStop = stop;
            for (int j = 0; j < N; ++j) {
                atStop[size_t(j)] = breathed + (atStop[size_t(j)] - breathed) * remaining(j, stop);
                blocking[size_t(j)] = atStop[size_t(j)] >= limits.at(j, level - 2);
            }
        }
        const qint16 s = qint16(step);
        QCOMPARE(profile.getDecoFlag(s), qint16(step));
        QCOMPARE(profile.getTappa(s), qint16(step));
        QCOMPARE(profile.getDecoTime(s), qint16(firstStop));
        const int ascentTime = ascent + total + 1;
        QCOMPARE(profile.getAscentTime(s), qint16(ascentTime >= 100 ? 99 : ascentTime));
    }
}

void tst_ProfileZentoRGBM::recordedDeepStops_data() {
    QTest::addColumn<double>("deepStop1");
    QTest::addColumn<double>("deepStop2");
    QTest::addColumn<int>("answer1");
    QTest::addColumn<int>("answer2");
    QTest::addColumn<QList<double>>("marked");
    QTest::addColumn<QList<double>>("unmarked");
    QTest::newRow("two deep stops") << 15.0 << 9.0 << 15 << 9 << QList<double>{14.1, 15, 15.9, 8.1, 9.9}
                                    << QList<double>{16, 14, 10, 8, 12};
    QTest::newRow("one deep stop") << 18.0 << 0.0 << 18 << -1 << QList<double>{17.5, 18.5} << QList<double>{19, 17, 9};
    QTest::newRow("none") << 0.0 << 0.0 << -1 << -1 << QList<double>{} << QList<double>{15, 9, 0.5};
    QTest::newRow("recorded value rounded half to even")
        << 14.5 << 0.0 << 14 << -1 << QList<double>{13.5, 14.9} << QList<double>{15, 13};
    // A second deep stop counts two even without a first; the first then answers as recorded.
    QTest::newRow("second without first")
        << 0.0 << 9.0 << 0 << 9 << QList<double>{8.5, 9.5, 0.5} << QList<double>{10, 8, 1};
}

void tst_ProfileZentoRGBM::recordedDeepStops() {
    QFETCH(double, deepStop1);
    QFETCH(double, deepStop2);
    QFETCH(int, answer1);
    QFETCH(int, answer2);
    QFETCH(QList<double>, marked);
    QFETCH(QList<double>, unmarked);
    QList<double> depths = marked;
    depths += unmarked;
    auto dive = diveOf(depths);
    dive->setDeepStop1(float(deepStop1));
    dive->setDeepStop2(float(deepStop2));
    Profile profile;
    profile.setCurrentDive(dive);
    profile.compute();
    QCOMPARE(profile.getDeepStop1(), qint16(answer1));
    QCOMPARE(profile.getDeepStop2(), qint16(answer2));
    for (qint16 step = 1; step <= qint16(depths.size()); ++step) {
        const bool atDeepStop = step <= marked.size();
        QVERIFY2(profile.getVerticalDeep(step) == (atDeepStop ? 0 : 1),
                 qPrintable(QStringLiteral("%1 m").arg(depths[step - 1])));
    }
    QCOMPARE(profile.getVerticalDeep(0), qint16(1));
    QCOMPARE(profile.getVerticalDeep(qint16(depths.size() + 1)), qint16(1));
}

void tst_ProfileZentoRGBM::recordedDeepStopsLengthenTheAscent() {
    // Each recorded deep stop adds a minute to every ascent time with stops; nothing else changes.
    const QList<double> depths = legs({{40, 25}, {15, 1}, {9, 1}, {6, 3}, {3, 5}, {0, 0}});
    Profile plain;
    plain.setCurrentDive(diveOf(depths));
    plain.compute();
    auto withStops = diveOf(depths);
    withStops->setDeepStop1(15);
    withStops->setDeepStop2(9);
    Profile marked;
    marked.setCurrentDive(withStops);
    marked.compute();
    int decoSteps = 0;
    for (qint16 step = 1; step <= qint16(depths.size()); ++step) {
        QCOMPARE(marked.getDecoFlag(step), plain.getDecoFlag(step));
        QCOMPARE(marked.getDecoTime(step), plain.getDecoTime(step));
        QCOMPARE(marked.getNoDecTime(step), plain.getNoDecTime(step));
        if (plain.getDecoFlag(step) > 0) {
            ++decoSteps;
            QCOMPARE(marked.getAscentTime(step), qint16(std::min(plain.getAscentTime(step) + 2, 99)));
        }
    }
    QVERIFY(decoSteps > 10);
}

void tst_ProfileZentoRGBM::simulatedDeepStops_data() {
    // One sample deeper than 12 m sets the mean; the shallower ones that follow leave it and no
    // ceiling appears. Each deep stop lies halfway between the one below and the ceiling, rounded
    // half to even, while it is 13 m or deeper.
    QTest::addColumn<double>("meanDepth");
    QTest::addColumn<int>("deepStop1");
    QTest::addColumn<int>("deepStop2");
    QTest::newRow("40 m: 20, then 10 is too shallow") << 40.0 << 20 << -1;
    QTest::newRow("57 m: 28.5 rounds to 28, then 14") << 57.0 << 28 << 14;
    QTest::newRow("70 m: 35, then 17.5 rounds to 18") << 70.0 << 35 << 18;
    QTest::newRow("25 m: 12.5 is too shallow") << 25.0 << -1 << -1;
}

void tst_ProfileZentoRGBM::simulatedDeepStops() {
    QFETCH(double, meanDepth);
    QFETCH(int, deepStop1);
    QFETCH(int, deepStop2);
    auto dive = diveOf({meanDepth, 10, 8, 6});
    dive->setDeepStop1(21); // recorded values do not count in simulation
    Profile profile;
    profile.setCurrentDive(dive);
    profile.setSimulationMode(true);
    profile.compute();
    for (qint16 step = 1; step <= 4; ++step)
        QCOMPARE(profile.getDecoFlag(step), qint16(0));
    QCOMPARE(profile.getDeepStop1(), qint16(deepStop1));
    QCOMPARE(profile.getDeepStop2(), qint16(deepStop2));
    QVERIFY(profile.isSimulationMode());
}

void tst_ProfileZentoRGBM::simulatedDeepStopMarks() {
    // A mean of 40 m puts the deep stop at 20 m; shallower samples lower the mean but do not move it.
    const QList<double> depths = {40, 21, 20.5, 20, 19.5, 19, 10};
    const QList<int> marks = {1, 1, 0, 0, 0, 1, 1};
    Profile profile;
    profile.setCurrentDive(diveOf(depths));
    profile.setSimulationMode(true);
    profile.compute();
    for (qint16 step = 1; step <= qint16(depths.size()); ++step)
        QCOMPARE(profile.getVerticalDeep(step), qint16(marks[step - 1]));
    QCOMPARE(profile.getDeepStop1(), qint16(20));
    QCOMPARE(profile.getDeepStop2(), qint16(-1));
}

void tst_ProfileZentoRGBM::tankValues() {
    // The misc values come in threes: a pressure drop with samples 1, 4, 7..., a consumption with
    // samples 2, 5, 8...
    Settings::instance().setCurrentDiveComputer(16);
    const QList<int> misc = {7, 22, 0, 3, 19, 0, 2};
    auto dive = diveOf({});
    dive->setStartTankPressure(200);
    dive->setStopTankPressure(180);
    for (int value : misc)
        dive->addSample(150, 0, 0, 0, value);
    Profile profile;
    profile.setCurrentDive(dive);
    profile.compute();
    const QList<int> pressure = {193, 193, 193, 190, 190, 190, 188, 188, 180};
    const QList<int> consumption = {22, 22, 22, 19, 19, 19, 19, 19, 19};
    for (qint16 step = 0; step <= 8; ++step) {
        QCOMPARE(profile.getProgressiveTankPressure(step), qint16(pressure[step]));
        QCOMPARE(profile.getTankConsuption(step), qint16(consumption[step]));
    }
    QCOMPARE(profile.getProgressiveTankPressure(9), qint16(0));
}

void tst_ProfileZentoRGBM::altitudeOutsideTheClasses() {
    auto dive = diveOf(constant(20, 3));
    dive->setAltitude(-1);
    Profile profile;
    profile.setCurrentDive(dive);
    try {
        profile.compute();
        QFAIL("no error");
    } catch (const RuntimeError& e) {
        QCOMPARE(e.number(), 9);
    }
    QVERIFY(!profile.wasElaborated());
    QCOMPARE(profile.getDepth(3), 20.0f);
}

QTEST_GUILESS_MAIN(tst_ProfileZentoRGBM)
#include "tst_profilezentorgbm.moc"
