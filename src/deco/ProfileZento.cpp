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

// The decay factors of a 20-second sample, a minute and 10 minutes, in single precision. The
// searches, stops and projections take powers of the last two by the hundred per sample, each the
// product of repeated single-precision multiplications. Those products are the same every time, so
// they are made once, in the same order, and looked up; rows hold every compartment of one minute
// count side by side.
class Factors {
public:
    using Row = std::array<float, N>;

    static constexpr int POWERS = 16;        // 10-minute steps held: 150 minutes
    static constexpr int SEARCHED = 150;     // minutes the search answers from its thresholds
    static constexpr int STOP_MINUTES = 160; // whole-minute stop factors held

    Factors() {
        std::array<std::array<float, POWERS>, N> coarse{};
        for (size_t j = 0; j < size_t(N); ++j) {
            const double t = halfTime[j];
            f20[j] = float(1 - std::exp(-decay * (1.0 / Dive::SAMPLES_PER_MINUTE) / t));
            f1[j] = float(std::exp(-decay / t));
            f10[j] = float(std::exp(-decay * 10 / t));
            float p1 = 1, p10 = 1;
            for (size_t k = 0; k < size_t(POWERS); ++k) {
                m_ascent[k][j] = p1;
                coarse[j][k] = p10;
                p1 *= f1[j];
                p10 *= f10[j];
            }
            for (size_t minutes = 0; minutes < size_t(STOP_MINUTES); ++minutes) {
                float f = coarse[j][minutes / 10];
                for (size_t m = 0; m < minutes % 10; ++m)
                    f *= f1[j];
                m_stop[minutes][j] = f;
            }
            m_lastCoarse[j] = coarse[j][POWERS - 1];
            makeThresholds(j, coarse[j]);
        }
    }

    // The 1-minute factor multiplied `minutes` times.
    Row ascent(int minutes) const {
        if (minutes < POWERS)
            return m_ascent[size_t(minutes)];
        Row f = m_ascent[POWERS - 1];
        for (size_t j = 0; j < size_t(N); ++j) {
            for (int m = POWERS - 1; m < minutes; ++m)
                f[j] *= f1[j];
        }
        return f;
    }

    // The factor over a stop: the 10-minute factor minutes \ 10 times, then the 1-minute factor
    // minutes mod 10 times.
    Row stop(int minutes) const {
        if (minutes < STOP_MINUTES)
            return m_stop[size_t(minutes)];
        Row f = m_lastCoarse;
        for (size_t j = 0; j < size_t(N); ++j) {
            for (int m = POWERS - 1; m < minutes / 10; ++m)
                f[j] *= f10[j];
            for (int m = 0; m < minutes % 10; ++m)
                f[j] *= f1[j];
        }
        return f;
    }

    // The last whole minute at which the factor of compartment j is still above r: 10-minute steps
    // while above, one step back, then 1-minute steps. That is the first minute whose threshold is
    // not above r; the search walks there from `hint`, the result of an earlier search, and leaves
    // its result in it. Loads move little from one sample to the next, so the walk is short.
    int search(size_t j, float r, int& hint) const {
        const auto& threshold = m_threshold[j];
        if (r < threshold[SEARCHED - 1]) {
            hint = searchStepwise(j, r);
            return hint;
        }
        size_t u = size_t(std::clamp(hint, 0, SEARCHED - 1));
        if (threshold[u] > r) {
            while (threshold[u] > r)
                ++u;
        } else {
            while (u > 0 && !(threshold[u - 1] > r))
                --u;
        }
        hint = int(u);
        return hint;
    }

    // Whether the search gives more than `minutes`.
    bool exceeds(size_t j, float r, int minutes) const {
        if (minutes < 0)
            return true;
        if (minutes < SEARCHED)
            return r < m_threshold[j][size_t(minutes)];
        // Only a search past the tables runs that long.
        return r < m_threshold[j][SEARCHED - 1] && searchStepwise(j, r) > minutes;
    }

    Row f20{};

private:
    // The search runs past minute u exactly when r lies below every factor it compares on the way: the
    // 10-minute powers before u's block, then the block's own power or, failing that, the 1-minute
    // steps from the power before it up to u + 1. That bound is u's threshold. Thresholds fall as u
    // grows, so the search's result is the first minute whose threshold is not above r, and a minute
    // count is checked against it with one comparison. Past the last fine step of a block the search
    // goes on one more minute at most; the assertion holds it to that.
    void makeThresholds(size_t j, const std::array<float, POWERS>& coarse) {
        float coarseBefore = std::numeric_limits<float>::infinity();
        for (int k = 1; k < POWERS; ++k) {
            float fine = coarse[size_t(k)] / f10[j];
            float fineUpTo = std::numeric_limits<float>::infinity();
            for (int m = 1; m <= 10; ++m) {
                fine *= f1[j];
                fineUpTo = std::min(fineUpTo, fine);
                m_threshold[j][size_t(10 * (k - 1) + m - 1)] =
                    std::min(coarseBefore, std::max(coarse[size_t(k)], fineUpTo));
            }
            Q_ASSERT(fine * f1[j] <= coarse[size_t(k)]);
            coarseBefore = std::min(coarseBefore, coarse[size_t(k)]);
        }
    }

    // The search multiplying as it goes, for times beyond the tables.
    int searchStepwise(size_t j, float r) const {
        float f = 1;
        int t = 0;
        do {
            f *= f10[j];
            t += 10;
        } while (f > r);
        f /= f10[j];
        t -= 10;
        do {
            f *= f1[j];
            t += 1;
        } while (f > r);
        return t - 1;
    }

    Row f1{};
    Row f10{};
    Row m_lastCoarse{};
    std::array<Row, POWERS> m_ascent{};
    std::array<Row, STOP_MINUTES> m_stop{};
    std::array<std::array<float, SEARCHED>, N> m_threshold{};
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
    for (size_t level = 0; level < m_stopN2.size(); ++level)
        m_stopN2[level] = float((33 + 10 * int(level)) * m_nitrogenFraction);

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
    const float inspired = m_inspiredN2;
    for (size_t j = 0; j < size_t(N); ++j) {
        const float load = m_tissueLoad[j] + (inspired - m_tissueLoad[j]) * f20[j];
        m_tissueLoad[j] = load;
        percent[j] = load * 100 / surfaceLimit[j];
    }
}

bool ProfileZento::isDeeperThanStop(float d) const {
    Q_UNUSED(d);
    return m_feet > float(10 * m_ceilingLevel);
}

void ProfileZento::projectAscentToStop(float d) {
    Q_UNUSED(d);
    const int level = m_ceilingLevel;
    // Checked as every 16-bit result is: minutes that do not fit would index outside the factor table.
    m_ascentMinutes = num::toInt16(std::abs(roundToInt32(m_feet - float(10 * level)) / ascentFeetPerMinute));
    m_meanInspiredN2 = float(((33 + 10 * level) * airNitrogen + m_inspiredN2) / 2);
    const Factors::Row f = factors().ascent(m_ascentMinutes);
    const float mean = m_meanInspiredN2;
    for (size_t j = 0; j < size_t(N); ++j)
        m_tissueLoad[j] = mean + (m_tissueLoad[j] - mean) * f[j];
}

qint16 ProfileZento::computeNoDecoTime(float d) {
    Q_UNUSED(d);
    restoreTissues();
    m_meanInspiredN2 = float((m_inspiredN2 + surfaceNitrogen) / 2);
    m_ascentMinutes = num::toInt16(std::abs(roundToInt32(m_feet) / ascentFeetPerMinute));
    m_noDecoMinutes = 99;
    if (!(m_meanInspiredN2 == m_surfacingMean && m_ascentMinutes == m_surfacingAscent)) {
        // The loads at depth that arrive at the surface exactly at the surface limits. They follow the
        // depth alone, so they are worked out again only when it changes.
        m_surfacingMean = m_meanInspiredN2;
        m_surfacingAscent = m_ascentMinutes;
        const Factors::Row f = factors().ascent(m_ascentMinutes);
        for (size_t j = 0; j < size_t(N); ++j)
            m_surfacingLoad[j] = (surfaceLimit[j] - (1 - f[j]) * m_meanInspiredN2) / f[j];
    }
    for (int j = 0; j < N; ++j) {
        const float x = m_surfacingLoad[size_t(j)];
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
    quint32 blocking = m_blocking;
    const Factors& table = factors();
    for (int level = m_ceilingLevel; level >= 1; --level) {
        m_inspiredN2 = m_stopN2[size_t(level)];
        // Only a compartment that needs longer than the stop found so far is searched. The slow ones
        // usually set the stop, so they go first.
        int stop = 0;
        for (int j = N - 1; j >= 0; --j) {
            if ((blocking >> j & 1) == 0)
                continue;
            const float divisor = m_inspiredN2 - m_tissueLoad[size_t(j)];
            if (divisor == 0)
                continue;
            const float r = (m_inspiredN2 - limit(j, float(level - 1))) / divisor;
            if (r > 0 && r < 1 && table.exceeds(size_t(j), r, stop))
                stop = searchTimeToLimit(j, level, r);
        }
        if (stop == 0)
            stop = 1; // every stop lasts at least a minute
        total += stop;
        if (level == m_ceilingLevel)
            firstStop = stop;
        if (level == 1)
            break; // the loads after the last stop are never read
        const Factors::Row f = table.stop(stop);
        for (size_t j = 0; j < size_t(N); ++j) {
            float& load = m_tissueLoad[j];
            load = m_inspiredN2 + (load - m_inspiredN2) * f[j];
        }
        blocking = blockingAt(float(level - 2));
    }
    // The ascent to the stop is this sample's projection when the diver is below it, else the last
    // one worked out.
    const int ascent = std::min(m_ascentMinutes + total + 1, 99);
    m_decoTimeAt.at(i) = roundToInt16(firstStop);
    m_stopLevelAt.at(i) = m_ceilingLevel;
    m_ascentTimeAt.at(i) = qint16(ascent);
    restoreTissues();
}

void ProfileZento::searchNoDecoTime(int j, float r, qint16& noDecoMinutes) {
    // The search gives up once it runs past the smallest time found so far.
    if (!factors().exceeds(size_t(j), r, noDecoMinutes))
        noDecoMinutes = qint16(factors().search(size_t(j), r, m_searchHint[0][size_t(j)]));
}

int ProfileZento::searchTimeToLimit(int j, int level, float r) {
    return factors().search(size_t(j), r, m_searchHint[size_t(level)][size_t(j)]);
}
