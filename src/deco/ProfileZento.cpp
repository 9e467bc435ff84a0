#include "ProfileZento.h"

#include "Dive.h"
#include "Numeric.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace {
constexpr int N = ProfileZento::COMPARTMENTS;

// Half-times in minutes, surface limits and slopes per 10-ft stop level in fsw.
constexpr std::array<double, N> halfTime = {2.5, 5, 10, 20, 30, 40, 60, 80, 120, 240, 480};
constexpr std::array<float, N> surfaceLimit = {108.9f, 94.4f, 77.4f, 64, 57.7f, 53.3f, 48, 47, 46, 44.5f, 42.9f};
constexpr std::array<float, N> limitSlope = {23, 20, 18, 16, 14, 12.5f, 12, 11.5f, 11, 10.5f, 9.6f};

// Altitude classes 0 to 3: surface pressure in metres of water and the fsw per metre it converts with.
constexpr std::array<double, 4> surfacePressure = {10, 9, 8, 7};
constexpr std::array<double, 4> conversionFactor = {3.3, 3.663, 4.026, 4.389};

// The device's decay constant, not ln 2.
constexpr double decay = 0.693;
constexpr double feetPerMetre = 3.3;
constexpr int ascentFeetPerMinute = 50;
constexpr double airNitrogen = 0.79;
// Inspired nitrogen at the surface after the dive, fsw.
constexpr double surfaceNitrogen = 26.07;

constexpr int gaveUp = -1;

// The decay factors of a 20-second sample, a minute and 10 minutes, in single precision. The
// searches, stops and projections take powers of the last two by the hundred per sample, each the
// product of repeated single-precision multiplications. Those products are the same every time, so
// they are made once, in the same order, and looked up.
class Factors {
public:
    static constexpr size_t POWERS = 16;        // 10-minute steps held: 150 minutes
    static constexpr size_t STOP_MINUTES = 160; // whole-minute stop factors held

    Factors() {
        for (size_t j = 0; j < size_t(N); ++j) {
            const double t = halfTime[j];
            f20[j] = float(1 - std::exp(-decay * (1.0 / 3) / t));
            f1[j] = float(std::exp(-decay / t));
            f10[j] = float(std::exp(-decay * 10 / t));
            float p1 = 1, p10 = 1;
            for (size_t k = 0; k < POWERS; ++k) {
                f1Power[j][k] = p1;
                f10Power[j][k] = p10;
                p1 *= f1[j];
                p10 *= f10[j];
            }
            for (size_t k = 1; k < POWERS; ++k) {
                float f = f10Power[j][k] / f10[j];
                fineFrom[j][k][0] = f;
                for (size_t m = 1; m <= 10; ++m)
                    fineFrom[j][k][m] = f *= f1[j];
            }
            for (size_t minutes = 0; minutes < STOP_MINUTES; ++minutes) {
                float f = f10Power[j][minutes / 10];
                for (size_t m = 0; m < minutes % 10; ++m)
                    f *= f1[j];
                stop[j][minutes] = f;
            }
        }
    }

    // The 1-minute factor multiplied `minutes` times.
    float minutes(size_t j, int minutes) const {
        if (minutes < int(POWERS))
            return f1Power[j][size_t(minutes)];
        float f = f1Power[j][POWERS - 1];
        for (int m = POWERS - 1; m < minutes; ++m)
            f *= f1[j];
        return f;
    }

    // The factor over a stop: the 10-minute factor minutes \ 10 times, then the 1-minute factor
    // minutes mod 10 times.
    float stopOf(size_t j, int minutes) const {
        if (minutes < int(STOP_MINUTES))
            return stop[j][size_t(minutes)];
        float f = f10Power[j][POWERS - 1];
        for (int m = POWERS - 1; m < minutes / 10; ++m)
            f *= f10[j];
        for (int m = 0; m < minutes % 10; ++m)
            f *= f1[j];
        return f;
    }

    // The last whole minute at which the factor of compartment j is still above r: 10-minute steps
    // while above, one step back, then 1-minute steps. `gaveUp` once the minutes pass `bound`.
    int search(size_t j, float r, int bound) const {
        const auto& coarse = f10Power[j];
        int k = 1;
        for (; k < int(POWERS) && coarse[size_t(k)] > r; ++k) {
            if (10 * k > bound)
                return gaveUp;
        }
        if (k == int(POWERS))
            return searchStepwise(j, r, bound);
        const auto& fine = fineFrom[j][size_t(k)];
        int m = 1;
        for (; m <= 10 && fine[size_t(m)] > r; ++m) {
            if (10 * (k - 1) + m > bound)
                return gaveUp;
        }
        if (m > 10)
            return searchStepwise(j, r, bound);
        return 10 * (k - 1) + m - 1;
    }

    std::array<float, N> f20{};

private:
    // The same search multiplying as it goes, for times beyond the tables.
    int searchStepwise(size_t j, float r, int bound) const {
        float f = 1;
        int t = 0;
        for (;;) {
            f *= f10[j];
            t += 10;
            if (!(f > r))
                break;
            if (t > bound)
                return gaveUp;
        }
        f /= f10[j];
        t -= 10;
        for (;;) {
            f *= f1[j];
            t += 1;
            if (!(f > r))
                break;
            if (t > bound)
                return gaveUp;
        }
        return t - 1;
    }

    std::array<float, N> f1{};
    std::array<float, N> f10{};
    std::array<std::array<float, POWERS>, N> f1Power{};
    std::array<std::array<float, POWERS>, N> f10Power{};
    // From the 10-minute power k undone by one step, then 1 to 10 further minutes.
    std::array<std::array<std::array<float, 11>, POWERS>, N> fineFrom{};
    std::array<std::array<float, STOP_MINUTES>, N> stop{};
};

const Factors& factors() {
    static const Factors instance;
    return instance;
}
} // namespace

ProfileZento::ProfileZento() : DecoModelBase(COMPARTMENTS, LAST_STEP, "ProfileZento") {
    for (size_t j = 0; j < size_t(N); ++j) {
        m_limitA[j] = surfaceLimit[j];
        m_limitB[j] = limitSlope[j];
    }
}

qint16 ProfileZento::getVerticalDeep(qint16 iStep) const {
    checkedStep(iStep, "getVerticalDeep");
    return 1;
}

void ProfileZento::compute() {
    const Dive& dive = currentDive();
    for (int j = 0; j < N; ++j)
        m_tissueLoad[size_t(j)] = dive.getStartTissue(qint16(j + 1));
    startExposure(dive.getNitroxMixture(), dive.getStartCNS());
    m_altitude = dive.getAltitude();
    const int samples = dive.getSamplesCount();
    m_nitrogenFraction = 1 - m_oxygenPercent / 100.0;
    if (samples == 0) {
        m_elaborated = true;
        return;
    }

    float maxDepth = 0;
    for (int i = 1; i <= samples; ++i)
        storeSample(dive, i, maxDepth);
    m_depthAt.at(samples + 1) = 0;
    m_ceilingLevel = 0;

    for (int i = 1; i <= samples; ++i)
        computeSample(i, m_depthAt.at(i));
    m_elaborated = true;
}

void ProfileZento::prepareSample(int i, float d) {
    Q_UNUSED(i);
    if (m_altitude < 0 || m_altitude > 3)
        throw RuntimeError::subscript(QStringLiteral("ProfileZento.compute"));
    const double s = surfacePressure[size_t(m_altitude)];
    const double k = conversionFactor[size_t(m_altitude)];
    m_feet = float(d * feetPerMetre);
    // The equivalent air depth of the mix, so that nitrox loads as air at a shallower depth.
    m_ead = float((s + d) * m_nitrogenFraction / airNitrogen - s);
    m_inspiredN2 = float((s + m_ead) * k * airNitrogen);
}

void ProfileZento::updateTissues(int i, float d) {
    Q_UNUSED(d);
    float* percent = tissuePercentRow(i);
    const auto& f20 = factors().f20;
    for (size_t j = 0; j < size_t(N); ++j) {
        m_tissueLoad[j] = m_tissueLoad[j] + (m_inspiredN2 - m_tissueLoad[j]) * f20[j];
        percent[j] = m_tissueLoad[j] * 100 / surfaceLimit[j];
    }
}

bool ProfileZento::isDeeperThanStop(float d) const {
    Q_UNUSED(d);
    return m_feet > float(10 * m_ceilingLevel);
}

void ProfileZento::projectAscentToStop(float d) {
    Q_UNUSED(d);
    saveTissues();
    const int level = m_ceilingLevel;
    m_ascentMinutes = qint16(std::abs(num::toInt32(m_feet - float(10 * level)) / ascentFeetPerMinute));
    m_meanInspiredN2 = float(((33 + 10 * level) * airNitrogen + m_inspiredN2) / 2);
    const Factors& table = factors();
    for (int j = 0; j < N; ++j) {
        const float f = table.minutes(size_t(j), m_ascentMinutes);
        float& load = m_tissueLoad[size_t(j)];
        load = m_meanInspiredN2 + (load - m_meanInspiredN2) * f;
    }
}

qint16 ProfileZento::computeNoDecoTime(float d) {
    Q_UNUSED(d);
    restoreTissues();
    m_meanInspiredN2 = float((m_inspiredN2 + surfaceNitrogen) / 2);
    m_ascentMinutes = qint16(std::abs(num::toInt32(m_feet) / ascentFeetPerMinute));
    m_noDecoMinutes = 99;
    const Factors& table = factors();
    for (int j = 0; j < N; ++j) {
        const float f = table.minutes(size_t(j), m_ascentMinutes);
        // The load at depth that arrives at the surface exactly at the surface limit.
        const float x = (surfaceLimit[size_t(j)] - (1 - f) * m_meanInspiredN2) / f;
        const float divisor = m_tissueLoad[size_t(j)] - m_inspiredN2;
        // A compartment already at the inspired pressure never moves towards its limit.
        if (divisor == 0)
            continue;
        const float r = (x - m_inspiredN2) / divisor;
        if (!(r > 0 && r <= 1))
            continue;
        searchNoDecoTime(j, r, m_noDecoMinutes);
    }
    return m_noDecoMinutes;
}

void ProfileZento::computeDecoSchedule(int i, float d) {
    Q_UNUSED(d);
    int total = 0;
    int firstStop = 0;
    for (int level = m_ceilingLevel; level >= 1; --level) {
        int stop = 0;
        m_inspiredN2 = float((33 + 10 * level) * m_nitrogenFraction);
        for (int j = 0; j < N; ++j) {
            if (m_blockingFlags[size_t(j)] != 1)
                continue;
            const float divisor = m_inspiredN2 - m_tissueLoad[size_t(j)];
            if (divisor == 0)
                continue;
            const float r = (m_inspiredN2 - limit(j, float(level - 1))) / divisor;
            if (r > 0 && r < 1)
                stop = std::max(stop, searchTimeToLimit(j, r));
        }
        if (stop == 0)
            stop = 1; // every stop lasts at least a minute
        total += stop;
        const Factors& table = factors();
        for (int j = 0; j < N; ++j) {
            const float f = table.stopOf(size_t(j), stop);
            float& load = m_tissueLoad[size_t(j)];
            load = m_inspiredN2 + (load - m_inspiredN2) * f;
        }
        if (level > 1)
            flagBlockingCompartments(float(level - 2));
        if (level == m_ceilingLevel)
            firstStop = stop;
    }
    // The ascent to the stop is this sample's projection when the diver is below it, else the last
    // one worked out.
    const int ascent = std::min(m_ascentMinutes + total + 1, 99);
    m_decoTimeAt.at(i) = num::toInt16(firstStop);
    m_stopLevelAt.at(i) = m_ceilingLevel;
    m_ascentTimeAt.at(i) = qint16(ascent);
    restoreTissues();
}

void ProfileZento::searchNoDecoTime(int j, float r, qint16& noDecoMinutes) const {
    const int t = factors().search(size_t(j), r, noDecoMinutes);
    if (t != gaveUp && t <= noDecoMinutes)
        noDecoMinutes = qint16(t);
}

int ProfileZento::searchTimeToLimit(int j, float r) const {
    return factors().search(size_t(j), r, std::numeric_limits<int>::max());
}
