#include "ProfileZentoRGBM.h"

#include "Dive.h"
#include "Numeric.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {
constexpr int N = ProfileZentoRGBM::COMPARTMENTS;

// Half-times in minutes, surface limits as multiples of the surface pressure, slopes per stop level.
constexpr std::array<double, N> halfTime = {2.5, 5, 10, 20, 30, 40, 60, 80, 120, 240};
constexpr std::array<float, N> surfaceRatio = {3.3f,   2.861f, 2.345f, 1.939f, 1.748f,
                                               1.615f, 1.455f, 1.424f, 1.394f, 1.348f};
constexpr std::array<float, N> limitSlope = {0.751f, 0.654f, 0.556f, 0.523f, 0.457f,
                                             0.409f, 0.393f, 0.375f, 0.359f, 0.343f};
// Only the faster compartments have their limits reduced by the dive history.
constexpr int reducedCompartments = 7;

// Surface pressure in bar of altitude classes 0 to 3.
constexpr std::array<double, 4> surfacePressure = {1, 0.858, 0.766, 0.657};
// Absolute pressure of stop levels 0 to 8 (3 m each), at sea level whatever the altitude.
constexpr std::array<double, 9> stopPressure = {1, 1.303, 1.606, 1.909, 2.21, 2.51, 2.818, 3.121, 3.424};

// The device's decay constant, not ln 2.
constexpr double decay = 0.693;
constexpr double airNitrogen = 0.79;
constexpr double saltBarPerMetre = 0.102564102564;
constexpr int ascentMetresPerMinute = 10;
// Samples deeper than this make up the mean depth the deep stops are worked out from.
constexpr float meanDepthFloor = 12;
// Deep stops shallower than this are not kept.
constexpr qint16 shallowestDeepStop = 13;

// The decay of a 20-second sample and e^(-0.693 x m / T_j) for whole minutes m: the same values
// every time, worked out once; rows hold every compartment of one minute count side by side.
class Decay {
public:
    using Row = std::array<double, N>;

    static constexpr int MINUTES = 1024;

    Decay() {
        for (size_t j = 0; j < size_t(N); ++j) {
            sample[j] = std::exp(-13.86 / (60 * halfTime[j]));
            for (int m = 0; m < MINUTES; ++m)
                m_minutes[size_t(m)][j] = std::exp(-decay * m / halfTime[j]);
        }
    }

    double over(size_t j, int m) const {
        if (m >= 0 && m < MINUTES)
            return m_minutes[size_t(m)][j];
        return std::exp(-decay * m / halfTime[j]);
    }

    Row over(int m) const {
        if (m >= 0 && m < MINUTES)
            return m_minutes[size_t(m)];
        Row e;
        for (size_t j = 0; j < size_t(N); ++j)
            e[j] = over(j, m);
        return e;
    }

    Row sample{};

private:
    std::array<Row, MINUTES> m_minutes{};
};

const Decay& decayFactors() {
    static const Decay instance;
    return instance;
}

// Margin for telling from the decay tables alone that a logarithm cannot change a result.
constexpr double clearly = 1e-9;

// The whole minutes in which a load falls or rises to `ratio` of its distance from the inspired
// pressure, solved in closed form and rounded down. A ratio clearly between the factors of m and
// m + 1 minutes gives m whatever the rounding of the logarithm, so the decay table settles most
// calls: `hint` holds the last answer for the same compartment and level, and loads move little
// from one sample to the next, so that answer or the minute beside it usually stands.
int minutesToRatio(const Decay& factors, size_t j, double ratio, int& hint) {
    const auto between = [&](int m) {
        return m >= 0 && m + 1 < Decay::MINUTES && ratio < factors.over(j, m) * (1 - clearly) &&
               ratio > factors.over(j, m + 1) * (1 + clearly);
    };
    if (between(hint))
        return hint;
    if (between(hint - 1))
        return --hint;
    if (between(hint + 1))
        return ++hint;
    hint = int(std::floor(-(halfTime[j] / decay) * std::log(ratio)));
    return hint;
}
} // namespace

ProfileZentoRGBM::ProfileZentoRGBM()
    : DecoModelBase(COMPARTMENTS, LAST_STEP, "ProfileZentoRGBM"),
      m_deepMarkAt(LAST_STEP + 1, QStringLiteral("ProfileZentoRGBM.compute")),
      m_tankPressureAt(LAST_STEP + 1, QStringLiteral("ProfileZentoRGBM.compute")),
      m_tankUseAt(LAST_STEP + 1, QStringLiteral("ProfileZentoRGBM.compute")) {}

qint16 ProfileZentoRGBM::getVerticalDeep(qint16 iStep) const {
    return m_deepMarkAt.at(checkedStep(iStep, "getVerticalDeep"));
}

qint16 ProfileZentoRGBM::getProgressiveTankPressure(qint16 iStep) const {
    return num::toInt16(m_tankPressureAt.at(checkedStep(iStep, "getProgressiveTankPressure")));
}

qint16 ProfileZentoRGBM::getTankConsuption(qint16 iStep) const {
    return num::toInt16(m_tankUseAt.at(checkedStep(iStep, "getTankConsuption")));
}

qint16 ProfileZentoRGBM::getDeepStop1() const {
    if (m_simulation)
        return m_deepStops > 0 ? m_deepStop[0] : qint16(-1);
    return m_recordedDeepStops != 0 ? m_recordedDeepStop1 : qint16(-1);
}

qint16 ProfileZentoRGBM::getDeepStop2() const {
    if (m_simulation)
        return m_deepStops == 2 ? m_deepStop[1] : qint16(-1);
    return m_recordedDeepStops == 2 ? m_recordedDeepStop2 : qint16(-1);
}

void ProfileZentoRGBM::compute() {
    const Dive& dive = currentDive();
    for (int j = 0; j < N; ++j)
        m_tissueLoad[size_t(j)] = dive.getStartTissue(qint16(j + 1));
    startExposure(dive.getNitroxMixture(), dive.getStartCNS());
    m_altitude = dive.getAltitude();
    m_personalFactor = dive.getPersonalFactor();
    const int samples = dive.getSamplesCount();
    m_nitrogenFraction = 1 - m_oxygenPercent / 100.0;
    m_previousMeanDepth = dive.getDepthMeanPrec();
    m_surfaceInterval = dive.getTSR();
    m_diveDays = dive.getDiveDays();
    m_recordedDeepStop1 = num::toInt16(dive.getDeepStop1());
    m_recordedDeepStop2 = num::toInt16(dive.getDeepStop2());
    m_salt = dive.isSalt();
    m_startTankPressure = dive.getStartTankPressure();
    m_stopTankPressure = dive.getStopTankPressure();

    m_deepMarkAt.at(0) = 1;
    m_recordedDeepStops = 0;
    m_deepStops = 0;
    if (samples == 0) {
        m_elaborated = true;
        return;
    }

    storeSamplesAndTank(dive, samples);

    if (m_altitude < 0 || m_altitude > 3)
        throw RuntimeError::subscript(QStringLiteral("ProfileZentoRGBM.compute"));
    m_surfacePressure = float(surfacePressure[size_t(m_altitude)]);
    const double personal = m_personalFactor == 1 ? 0.95 : m_personalFactor == 2 ? 0.9 : 1;
    for (size_t j = 0; j < size_t(N); ++j) {
        m_personalLimit[j] = float(m_surfacePressure * surfaceRatio[j] * personal);
        m_limitA[j] = m_personalLimit[j];
        m_limitB[j] = limitSlope[j];
        m_reduction[j] = 1;
    }

    m_daysFactor = m_diveDays > 0 ? float(0.8 + 0.2 * std::exp(-m_diveDays / 7.0)) : 1.0f;
    if (m_surfaceInterval > 0) {
        const double tsr = m_surfaceInterval;
        m_intervalFactor = float(1 - 0.3 * std::exp(-(tsr - 30) * (tsr - 30) / 1200));
        m_reverseWeight = float(0.4 * std::exp(-(tsr - 60) * (tsr - 60) / 4000));
    } else {
        m_intervalFactor = 1;
    }

    if (m_recordedDeepStop1 > 0)
        m_recordedDeepStops = 1;
    if (m_recordedDeepStop2 > 0)
        m_recordedDeepStops = 2;

    m_depthAt.at(samples + 1) = 0;
    m_ceilingLevel = 0;
    m_depthSum = 0;
    m_deepSamples = 0;
    m_meanDepth = 0;
    m_previousLevel = 0;
    m_deepStopMean = 0;
    m_reverseFactor = 1;
    m_reverseMeanDepth = std::numeric_limits<float>::quiet_NaN();
    m_reducedFor = std::numeric_limits<float>::quiet_NaN();
    for (size_t level = 0; level < m_stopN2.size(); ++level)
        m_stopN2[level] = float(stopPressure[level] * m_nitrogenFraction);

    for (int i = 1; i <= samples; ++i)
        computeSample(i, m_depthAt.at(i));
    m_deepMarkAt.at(samples + 1) = 1;
    m_elaborated = true;
}

void ProfileZentoRGBM::storeSamplesAndTank(const Dive& dive, int samples) {
    // The misc values of the air-integrated models come in threes: a pressure drop on every third
    // sample from the fourth, a consumption on the second of each three.
    m_tankPressureAt.at(0) = m_startTankPressure;
    float maxDepth = 0;
    float pressure = 0;
    float consumption = 0;
    for (int i = 1; i <= samples; ++i) {
        storeSample(dive, i, maxDepth);
        if (i % 3 == 2)
            consumption = dive.getSampleMisc(i);
        if (i > 1)
            m_tankUseAt.at(i - 2) = consumption;
        if (i <= 2)
            pressure = m_startTankPressure - dive.getSampleMisc(1);
        else if (i % 3 == 1)
            pressure = pressure - dive.getSampleMisc(i);
        m_tankPressureAt.at(i - 1) = pressure;
    }
    m_tankPressureAt.at(samples) = pressure;
    m_tankPressureAt.at(samples + 1) = m_stopTankPressure;
    m_tankUseAt.at(samples - 1) = consumption;
    m_tankUseAt.at(samples) = consumption;
    m_tankUseAt.at(samples + 1) = consumption;
}

void ProfileZentoRGBM::prepareSample(int i, float d) {
    const float ambient = m_salt ? float(m_surfacePressure + d * saltBarPerMetre) : float(m_surfacePressure + d / 10.0);
    m_inspiredN2 = float(m_nitrogenFraction * ambient);

    if (d > meanDepthFloor) {
        m_depthSum += d;
        ++m_deepSamples;
    }
    if (m_deepSamples > 0)
        m_meanDepth = m_depthSum / float(m_deepSamples);

    markDeepStop(i, d);
    m_previousLevel = m_ceilingLevel;

    // A dive deeper than the one before it, soon after it, tightens the limits. The factor follows
    // the mean depth alone, so it is worked out again only when the mean moves.
    if (m_surfaceInterval > 0 && m_previousMeanDepth > 0 && !(m_meanDepth == m_reverseMeanDepth)) {
        m_reverseMeanDepth = m_meanDepth;
        const double delta = double(m_meanDepth) - m_previousMeanDepth;
        if (delta > 0)
            m_reverseFactor = float(1 - (1 - std::exp(-delta / (m_meanDepth + 10.0))) * m_reverseWeight);
    }
    m_combinedFactor = float(0.45 * m_intervalFactor + 0.35 * m_reverseFactor + 0.2 * m_daysFactor);
    if (m_combinedFactor == m_reducedFor)
        return;
    m_reducedFor = m_combinedFactor;

    const double r = m_combinedFactor;
    for (size_t j = 0; j < size_t(reducedCompartments); ++j) {
        // The reduction is a single float. GCC 12 at -O3 vectorizes this loop and then, in some
        // lanes, goes on with the double before its rounding; the volatile keeps the rounding.
        const volatile float rounded = float((1 - r) * halfTime[j] / 80 + r);
        const double reduction = m_reduction[j] = rounded;
        m_limitA[j] = float((1 - reduction) * m_surfacePressure * airNitrogen + m_personalLimit[j] * reduction);
        m_limitB[j] = float(limitSlope[j] * reduction + (1 - reduction) * airNitrogen);
    }
}

void ProfileZentoRGBM::updateTissues(int i, float d) {
    Q_UNUSED(d);
    float* percent = tissuePercentRow(i);
    const auto& sampleDecay = decayFactors().sample;
    const float inspired = m_inspiredN2;
    for (size_t j = 0; j < size_t(N); ++j) {
        const float load = float((m_tissueLoad[j] - inspired) * sampleDecay[j] + inspired);
        m_tissueLoad[j] = load;
        percent[j] = load * 100 / m_limitA[j];
    }
}

bool ProfileZentoRGBM::isDeeperThanStop(float d) const {
    return d > float(3 * m_ceilingLevel);
}

void ProfileZentoRGBM::projectAscentToStop(float d) {
    const int level = m_ceilingLevel;
    m_ascentMinutes = roundToInt16((d - 3.0 * level) / ascentMetresPerMinute);
    // The average of the inspired nitrogen at the stop, breathing air, and here.
    const double mean = 0.395 * stopPressure[size_t(level)] + 0.5 * m_inspiredN2;
    const Decay::Row e = decayFactors().over(m_ascentMinutes);
    for (size_t j = 0; j < size_t(N); ++j) {
        float& load = m_tissueLoad[j];
        load = float((load - mean) * e[j] + mean);
    }
}

qint16 ProfileZentoRGBM::computeNoDecoTime(float d) {
    restoreTissues();
    m_ascentMinutes = roundToInt16(double(d) / ascentMetresPerMinute);
    const double mean = 0.5 * m_inspiredN2 + 0.395;
    const Decay& factors = decayFactors();
    const Decay::Row e = factors.over(m_ascentMinutes);
    int best = 200;
    for (size_t j = 0; j < size_t(N); ++j) {
        // The load here that arrives at the surface exactly at the limit.
        const double x = (m_limitA[j] - (1 - e[j]) * mean) / e[j];
        const double load = m_tissueLoad[j];
        if (!((load < x && x < m_inspiredN2) || (m_inspiredN2 < x && x < load)))
            continue;
        const double ratio = (m_inspiredN2 - x) / (m_inspiredN2 - load);
        // A time of `best` minutes or more leaves the result as it is.
        if (ratio < factors.over(j, best) * (1 - clearly))
            continue;
        best = std::min(best, minutesToRatio(factors, j, ratio, m_minutesHint[0][j]));
    }
    return qint16(best > 99 ? 99 : best);
}

void ProfileZentoRGBM::computeDecoSchedule(int i, float d) {
    Q_UNUSED(d);
    const Decay& factors = decayFactors();
    int total = 0;
    int firstStop = 0;
    quint32 blocking = m_blocking;
    for (int level = m_ceilingLevel; level >= 1; --level) {
        m_inspiredN2 = m_stopN2[size_t(level)];
        // The slow compartments usually set the stop, so they go first.
        int stop = 0;
        for (int j = N - 1; j >= 0; --j) {
            if ((blocking >> j & 1) == 0)
                continue;
            const double target = limit(j, float(level - 1));
            const double load = m_tissueLoad[size_t(j)];
            if (!((load < target && target < m_inspiredN2) || (m_inspiredN2 < target && target < load)))
                continue;
            const double ratio = (m_inspiredN2 - target) / (m_inspiredN2 - load);
            // A time of `stop` minutes or less leaves the stop as it is.
            if (ratio > factors.over(size_t(j), stop + 1) * (1 + clearly))
                continue;
            int& hint = m_minutesHint[size_t(level)][size_t(j)];
            stop = std::max(stop, minutesToRatio(factors, size_t(j), ratio, hint));
        }
        if (stop == 0)
            stop = 1; // every stop lasts at least a minute
        total += stop;
        if (level == m_ceilingLevel)
            firstStop = stop;
        if (level == 1)
            break; // the loads after the last stop are never read
        const Decay::Row e = factors.over(stop);
        for (size_t j = 0; j < size_t(N); ++j) {
            float& load = m_tissueLoad[j];
            load = float((load - m_inspiredN2) * e[j] + m_inspiredN2);
        }
        blocking = blockingAt(float(level - 2));
    }
    // The recorded deep stops add a minute each to the way up.
    int ascent = m_recordedDeepStops + m_ascentMinutes + total + 1;
    if (ascent >= 100)
        ascent = 99;
    m_decoTimeAt.at(i) = roundToInt16(firstStop);
    m_stopLevelAt.at(i) = m_ceilingLevel;
    m_ascentTimeAt.at(i) = qint16(ascent);
    restoreTissues();
}

void ProfileZentoRGBM::markDeepStop(int i, float d) {
    qint16& mark = m_deepMarkAt.at(i);
    mark = 1;
    if (!m_simulation) {
        if (m_recordedDeepStops != 0 && m_recordedDeepStop1 - 1 < d && d < m_recordedDeepStop1 + 1)
            mark = 0;
        if (m_recordedDeepStops == 2 && m_recordedDeepStop2 - 1 < d && d < m_recordedDeepStop2 + 1)
            mark = 0;
        return;
    }
    if (m_meanDepth > m_deepStopMean || m_ceilingLevel != m_previousLevel) {
        // Each deep stop halfway between the one below (the mean depth first) and the ceiling.
        m_deepStopMean = m_meanDepth;
        const int level = m_ceilingLevel;
        m_deepStops = 0;
        qint16 next = num::toInt16((m_meanDepth - 3.0 * level) / 2);
        while (next >= shallowestDeepStop && m_deepStops < MAX_DEEP_STOPS) {
            m_deepStop[size_t(m_deepStops++)] = next;
            next = num::toInt16((next - 3.0 * level) / 2);
        }
    }
    for (int k = 0; k < m_deepStops; ++k) {
        if (m_deepStop[size_t(k)] - 1 < d && d < m_deepStop[size_t(k)] + 1)
            mark = 0;
    }
}
