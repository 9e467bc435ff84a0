// The 11-compartment model against values worked out here in closed form, in double precision,
// from the model's published tables: loads by the exponential decay law, times from logarithms.
#include "DecoTestDives.h"
#include "ErrorOf.h"
#include "Profile.h"
#include "RuntimeError.h"
#include "TestEnvironment.h"

#include <QtTest>
#include <array>
#include <cmath>
#include <memory>

using namespace decotest;

namespace {
constexpr int N = 11;
constexpr std::array<double, N> halfTime = {2.5, 5, 10, 20, 30, 40, 60, 80, 120, 240, 480};
constexpr std::array<double, N> m0 = {108.9, 94.4, 77.4, 64, 57.7, 53.3, 48, 47, 46, 44.5, 42.9};
constexpr std::array<double, N> slope = {23, 20, 18, 16, 14, 12.5, 12, 11.5, 11, 10.5, 9.6};
constexpr std::array<double, 4> surfaceMsw = {10, 9, 8, 7};
constexpr std::array<double, 4> fswPerMsw = {3.3, 3.663, 4.026, 4.389};

using Loads = std::array<double, N>;

// The fraction of the way a load stays from the inspired pressure after `minutes`.
double remaining(int j, double minutes) {
    return std::exp(-0.693 * minutes / halfTime[size_t(j)]);
}

// Inspired nitrogen in fsw breathing a mix with `oxygen` percent at `metres`, altitude class `altitude`.
double inspired(double metres, int oxygen = 21, int altitude = 0) {
    const double s = surfaceMsw[size_t(altitude)];
    const double ead = (s + metres) * (1 - oxygen / 100.0) / 0.79 - s;
    return (s + ead) * fswPerMsw[size_t(altitude)] * 0.79;
}

// Loads after `samples` 20-second samples at a constant inspired pressure.
Loads loadsAfter(const Loads& start, double inspiredN2, int samples) {
    Loads loads{};
    for (int j = 0; j < N; ++j)
        loads[size_t(j)] = inspiredN2 + (start[size_t(j)] - inspiredN2) * remaining(j, samples / 3.0);
    return loads;
}

Loads uniform(double load) {
    Loads loads;
    loads.fill(load);
    return loads;
}

// The last whole minute at which the decay of compartment j has not yet reached `ratio`.
int lastMinuteAbove(int j, double ratio) {
    return int(std::ceil(std::log(ratio) / std::log(remaining(j, 1)))) - 1;
}

double limitAt(int j, int level) {
    return m0[size_t(j)] + level * slope[size_t(j)];
}

// No-stop minutes at `metres` with these loads: for each compartment, how long until a direct
// ascent at 50 ft/min would bring it to the surface exactly at its surface limit.
int noStopMinutes(const Loads& loads, double metres, double inspiredN2) {
    const int ascent = int(std::nearbyint(metres * 3.3)) / 50;
    const double mean = (inspiredN2 + 26.07) / 2;
    int best = 99;
    for (int j = 0; j < N; ++j) {
        const double f = std::pow(remaining(j, 1), ascent);
        const double x = (m0[size_t(j)] - (1 - f) * mean) / f;
        const double r = (x - inspiredN2) / (loads[size_t(j)] - inspiredN2);
        if (r > 0 && r <= 1)
            best = std::min(best, lastMinuteAbove(j, r));
    }
    return best;
}

// Loads projected over the ascent from `metres` to the stop of `level`.
Loads projected(const Loads& loads, double metres, double inspiredN2, int level) {
    const int ascent = std::abs(int(std::nearbyint(metres * 3.3 - 10 * level)) / 50);
    const double mean = ((33 + 10 * level) * 0.79 + inspiredN2) / 2;
    Loads result{};
    for (int j = 0; j < N; ++j)
        result[size_t(j)] = mean + (loads[size_t(j)] - mean) * remaining(j, ascent);
    return result;
}

struct Schedule {
    int firstStop = 0;
    int total = 0;
};

// The stops from `level` up, each long enough for the compartments blocking the next shallower stop.
Schedule stopsFrom(Loads loads, int level, double nitrogenFraction) {
    Schedule schedule;
    std::array<bool, N> blocking{};
    for (int j = 0; j < N; ++j)
        blocking[size_t(j)] = loads[size_t(j)] >= limitAt(j, level - 1);
    for (int stopLevel = level; stopLevel >= 1; --stopLevel) {
        const double atStop = (33 + 10 * stopLevel) * nitrogenFraction;
        int stop = 0;
        for (int j = 0; j < N; ++j) {
            const double r = (atStop - limitAt(j, stopLevel - 1)) / (atStop - loads[size_t(j)]);
            if (blocking[size_t(j)] && r > 0 && r < 1)
                stop = std::max(stop, lastMinuteAbove(j, r));
        }
        stop = std::max(stop, 1);
        schedule.total += stop;
        if (stopLevel == level)
            schedule.firstStop = stop;
        for (int j = 0; j < N; ++j) {
            loads[size_t(j)] = atStop + (loads[size_t(j)] - atStop) * remaining(j, stop);
            blocking[size_t(j)] = loads[size_t(j)] >= limitAt(j, stopLevel - 2);
        }
    }
    return schedule;
}

void compareTissues(const QList<qint16>& actual, const Loads& loads) {
    QCOMPARE(actual.size(), N);
    for (int j = 0; j < N; ++j) {
        const double expected = loads[size_t(j)] * 100 / m0[size_t(j)];
        QVERIFY2(std::abs(actual[j] - expected) <= 0.501,
                 qPrintable(QStringLiteral("compartment %1: %2, expected %3").arg(j).arg(actual[j]).arg(expected)));
    }
}
} // namespace

class tst_ProfileZento : public QObject {
    Q_OBJECT
private slots:
    void init() {
        m_environment = std::make_unique<TestEnvironment>();
        Settings::instance().setCurrentDiveComputer(1);
    }
    void cleanup() { m_environment.reset(); }

    void inspiredNitrogen_data();
    void inspiredNitrogen();
    void squareDive_data();
    void squareDive();
    void ceilingAndStopSchedule_data();
    void ceilingAndStopSchedule();
    void descentAndAscentKeepTheirOwnLoads();
    void compartmentsAtTheInspiredPressure();
    void altitudeOutsideTheClasses();
    void depthBeyondTheAscentTable_data();
    void depthBeyondTheAscentTable();

private:
    std::unique_ptr<TestEnvironment> m_environment;
};

void tst_ProfileZento::inspiredNitrogen_data() {
    QTest::addColumn<double>("metres");
    QTest::addColumn<int>("oxygen");
    QTest::addColumn<int>("altitude");
    QTest::addColumn<double>("inspiredN2");
    QTest::newRow("20 m on air, class 0") << 20.0 << 21 << 0 << 30 * 0.79 * 3.3;
    QTest::newRow("20 m on air, class 1") << 20.0 << 21 << 1 << 29 * 0.79 * 3.663;
    QTest::newRow("20 m on air, class 2") << 20.0 << 21 << 2 << 28 * 0.79 * 4.026;
    QTest::newRow("20 m on air, class 3") << 20.0 << 21 << 3 << 27 * 0.79 * 4.389;
    // Nitrox loads as air at its equivalent air depth: (10 + 33) x 0.68 / 0.79 - 10 = 27.01 m.
    QTest::newRow("33 m on EAN32, class 0") << 33.0 << 32 << 0 << 43 * 0.68 * 3.3;
    QTest::newRow("40 m on EAN36, class 2") << 40.0 << 36 << 2 << 48 * 0.64 * 4.026;
}

void tst_ProfileZento::inspiredNitrogen() {
    // From surface-saturated loads, one sample and then thirty at the depth.
    QFETCH(double, metres);
    QFETCH(int, oxygen);
    QFETCH(int, altitude);
    QFETCH(double, inspiredN2);
    QCOMPARE(inspired(metres, oxygen, altitude), inspiredN2); // the test's own formula agrees
    auto dive = diveOf(constant(metres, 30));
    if (oxygen != 21)
        setNitrox(*dive, oxygen);
    dive->setAltitude(altitude);
    Profile profile;
    profile.setCurrentDive(dive);
    profile.compute();

    const Loads start = uniform(zentoSurfaceN2);
    compareTissues(profile.getTissue(0), uniform(0));
    compareTissues(profile.getTissue(1), loadsAfter(start, inspiredN2, 1));
    compareTissues(profile.getTissue(30), loadsAfter(start, inspiredN2, 30));
    QCOMPARE(profile.getDecoFlag(1), qint16(0));
    QCOMPARE(profile.getNoDecTime(1), qint16(noStopMinutes(loadsAfter(start, inspiredN2, 1), metres, inspiredN2)));
}

void tst_ProfileZento::squareDive_data() {
    QTest::addColumn<double>("metres");
    QTest::newRow("30 m") << 30.0;
    QTest::newRow("50 m") << 50.0;
}

void tst_ProfileZento::squareDive() {
    // Air from the first sample: the no-stop time falls sample by sample until a direct ascent
    // would bring a compartment to the surface above its limit; then the first stop appears at 3 m.
    QFETCH(double, metres);
    const int samples = 90;
    Profile profile;
    profile.setCurrentDive(diveOf(constant(metres, samples)));
    profile.compute();

    const double inspiredN2 = inspired(metres);
    const int ascent = int(std::nearbyint(metres * 3.3)) / 50;
    const Loads start = uniform(zentoSurfaceN2);
    int firstCeiling = 0;
    for (int step = 1; step <= samples && firstCeiling == 0; ++step) {
        const Loads loads = loadsAfter(start, inspiredN2, step);
        const Loads atSurface = projected(loads, metres, inspiredN2, 0);
        bool ceiling = false;
        for (int j = 0; j < N; ++j)
            ceiling = ceiling || atSurface[size_t(j)] >= m0[size_t(j)];
        const qint16 s = qint16(step);
        compareTissues(profile.getTissue(s), loads);
        if (!ceiling) {
            QCOMPARE(profile.getDecoFlag(s), qint16(0));
            QCOMPARE(profile.getNoDecTime(s), qint16(noStopMinutes(loads, metres, inspiredN2)));
            continue;
        }
        firstCeiling = step;
        const Schedule schedule = stopsFrom(atSurface, 1, 0.79);
        QCOMPARE(profile.getDecoFlag(s), qint16(1));
        QCOMPARE(profile.getTappa(s), qint16(1));
        QCOMPARE(profile.getDecoTime(s), qint16(schedule.firstStop));
        // The ascent at 50 ft/min, the stop, and a minute to the surface.
        QCOMPARE(profile.getAscentTime(s), qint16(ascent + schedule.total + 1));
        QCOMPARE(profile.getNoDecTime(s), qint16(0));
    }
    QVERIFY(firstCeiling > 1);
}

void tst_ProfileZento::ceilingAndStopSchedule_data() {
    QTest::addColumn<double>("metres");
    QTest::addColumn<int>("oxygen");
    QTest::addColumn<double>("startLoad");
    QTest::newRow("30 m, loads of 100 fsw") << 30.0 << 21 << 100.0;
    QTest::newRow("45 m, loads of 130 fsw") << 45.0 << 21 << 130.0;
    QTest::newRow("36 m on EAN32, loads of 120 fsw") << 36.0 << 32 << 120.0;
}

void tst_ProfileZento::ceilingAndStopSchedule() {
    // Loaded tissues: the ceiling climbs one level a sample, each sample projecting the loads to
    // the stop of the level before; the schedule then works every stop from the new level up.
    QFETCH(double, metres);
    QFETCH(int, oxygen);
    QFETCH(double, startLoad);
    auto dive = diveOf(constant(metres, 6));
    setTissues(*dive, startLoad);
    if (oxygen != 21)
        setNitrox(*dive, oxygen);
    Profile profile;
    profile.setCurrentDive(dive);
    profile.compute();

    const double inspiredN2 = inspired(metres, oxygen);
    for (int step = 1; step <= 6; ++step) {
        const int levelBefore = step - 1;
        const Loads loads = loadsAfter(uniform(startLoad), inspiredN2, step);
        const Loads atStop = projected(loads, metres, inspiredN2, levelBefore);
        bool rises = false;
        for (int j = 0; j < N; ++j)
            rises = rises || atStop[size_t(j)] >= limitAt(j, levelBefore);
        QVERIFY2(rises, "the case must keep the ceiling climbing");
        const Schedule schedule = stopsFrom(atStop, step, 1 - oxygen / 100.0);
        const int ascent = std::abs(int(std::nearbyint(metres * 3.3 - 10 * levelBefore)) / 50);
        const qint16 s = qint16(step);
        QCOMPARE(profile.getDecoFlag(s), qint16(step));
        QCOMPARE(profile.getTappa(s), qint16(step));
        QCOMPARE(profile.getDecoTime(s), qint16(schedule.firstStop));
        QCOMPARE(profile.getAscentTime(s), qint16(std::min(ascent + schedule.total + 1, 99)));
    }
}

void tst_ProfileZento::descentAndAscentKeepTheirOwnLoads() {
    // Each sample loads at its own depth; projections and schedules never carry over.
    const QList<double> depths = {10, 20, 30, 40, 40, 30, 20, 10};
    Profile profile;
    profile.setCurrentDive(diveOf(depths));
    profile.compute();
    Loads loads = uniform(zentoSurfaceN2);
    for (int step = 1; step <= depths.size(); ++step) {
        loads = loadsAfter(loads, inspired(depths[step - 1]), 1);
        compareTissues(profile.getTissue(qint16(step)), loads);
    }
    QCOMPARE(profile.getMaxDepth(8), 40.0f);
    QCOMPARE(profile.getMaxDepth(3), 30.0f);
}

void tst_ProfileZento::compartmentsAtTheInspiredPressure() {
    // Loads already at the inspired pressure never move towards a limit: no compartment bounds the
    // no-stop time, and nothing divides by zero.
    auto dive = diveOf(constant(5, 3));
    setTissues(*dive, inspired(5));
    Profile profile;
    profile.setCurrentDive(dive);
    profile.compute();
    for (qint16 step = 1; step <= 3; ++step) {
        QCOMPARE(profile.getDecoFlag(step), qint16(0));
        QCOMPARE(profile.getNoDecTime(step), qint16(99));
    }
    compareTissues(profile.getTissue(3), uniform(inspired(5)));
}

void tst_ProfileZento::altitudeOutsideTheClasses() {
    auto dive = diveOf(constant(20, 3));
    dive->setAltitude(4);
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
    QCOMPARE(profile.getDecoFlag(1), qint16(0));
}

void tst_ProfileZento::depthBeyondTheAscentTable_data() {
    QTest::addColumn<double>("metres");
    QTest::newRow("500 km") << 500000.0;
    QTest::newRow("700 km") << 700000.0;
    QTest::newRow("990 km") << 990000.0;
}

// Ascent minutes beyond 16 bits are an overflow, as any 16-bit result, never a read outside the
// model's tables.
void tst_ProfileZento::depthBeyondTheAscentTable() {
    QFETCH(double, metres);
    auto dive = diveOf(constant(metres, 3));
    Profile profile;
    profile.setCurrentDive(dive);
    QCOMPARE(errorOf([&] { profile.compute(); }), RuntimeError::Overflow);
    QVERIFY(!profile.wasElaborated());
}

QTEST_GUILESS_MAIN(tst_ProfileZento)
#include "tst_profilezento.moc"
