#include "DecoModelBase.h"

#include "Dive.h"
#include "Numeric.h"

#include <algorithm>
#include <cmath>

namespace {
// Exposure limits in minutes for oxygen partial pressures from 0.5 bar, one row per 0.1 bar.
constexpr std::array<int, 12> cnsLimitMinutes = {720, 570, 450, 360, 300, 240, 210, 180, 150, 135, 120, 75};

// CNS added or removed per 20-second sample.
constexpr double cnsAboveLimit = 22.0 / Dive::SAMPLES_PER_MINUTE; // 22 % a minute above 1.7 bar
constexpr double cnsRecovery = 0.08;                              // below 0.5 bar
constexpr double cnsFullDose = 33.33;                             // a full limit's exposure makes 100 %

constexpr std::array<double, 12> cnsDosePerSample = [] {
    std::array<double, 12> dose{};
    for (size_t row = 0; row < dose.size(); ++row)
        dose[row] = cnsFullDose / cnsLimitMinutes[row];
    return dose;
}();

// The row of the exposure-limit table. A partial pressure of exactly 1.7 bar lands one row past the
// table; it takes the last row.
size_t cnsRow(float ppo2) {
    const int row = int(std::floor(ppo2 * 10.0f - 5.0f));
    return size_t(std::clamp(row, 0, int(cnsLimitMinutes.size()) - 1));
}

constexpr float safetyBandTop = 5.0f;
constexpr float safetyBandBottom = 3.5f;
constexpr float safetyArmingDepth = 10.0f;
constexpr qint16 safetySamples = 9;
} // namespace

DecoModelBase::DecoModelBase(int compartments, int lastStep, const char* className)
    : m_compartments(compartments), m_lastStep(lastStep), m_className(QString::fromLatin1(className)),
      m_depthAt(lastStep + 1, m_className + QStringLiteral(".compute")),
      m_vRisAt(lastStep + 1, m_className + QStringLiteral(".compute")),
      m_maxDepthAt(lastStep + 1, m_className + QStringLiteral(".compute")),
      m_cnsDisplayAt(lastStep + 1, m_className + QStringLiteral(".compute")),
      m_decoFlagAt(lastStep + 1, m_className + QStringLiteral(".compute")),
      m_noDecoAt(lastStep + 1, m_className + QStringLiteral(".compute")),
      m_decoTimeAt(lastStep + 1, m_className + QStringLiteral(".compute")),
      m_ascentTimeAt(lastStep + 1, m_className + QStringLiteral(".compute")),
      m_stopLevelAt(lastStep + 1, m_className + QStringLiteral(".compute")),
      m_safetyAt(lastStep + 1, m_className + QStringLiteral(".compute")),
      m_tissuePercentAt(size_t(compartments) * size_t(lastStep + 1)) {
    for (int j = 0; j < compartments; ++j)
        m_slotBit[size_t(j)] = 1u << j;
}

std::shared_ptr<Dive> DecoModelBase::getCurrentDive() const {
    return m_dive ? m_dive : std::make_shared<Dive>();
}

QList<qint16> DecoModelBase::getTissue(qint16 iStep) const {
    const int step = checkedStep(iStep, "getTissue");
    const float* row = m_tissuePercentAt.data() + size_t(step) * size_t(m_compartments);
    QList<qint16> percent;
    percent.reserve(m_compartments);
    for (int j = 0; j < m_compartments; ++j)
        percent.append(num::toInt16(row[j]));
    return percent;
}

float DecoModelBase::getMaxDepth(qint16 iStep) const {
    return m_maxDepthAt.at(checkedStep(iStep, "getMaxDepth"));
}

qint16 DecoModelBase::getSafetyTime(qint16 iStep) const {
    return m_safetyAt.at(checkedStep(iStep, "getSafetyTime"));
}

qint16 DecoModelBase::getCNS(qint16 iStep) const {
    const float display = m_cnsDisplayAt.at(checkedStep(iStep, "getCNS"));
    return display > 99 ? qint16(99) : num::toInt16(display);
}

qint16 DecoModelBase::getDecoFlag(qint16 iStep) const {
    return m_decoFlagAt.at(checkedStep(iStep, "getDecoFlag"));
}

qint16 DecoModelBase::getNoDecTime(qint16 iStep) const {
    return m_noDecoAt.at(checkedStep(iStep, "getNoDecTime"));
}

qint16 DecoModelBase::getDecoTime(qint16 iStep) const {
    return m_decoTimeAt.at(checkedStep(iStep, "getDecoTime"));
}

qint16 DecoModelBase::getAscentTime(qint16 iStep) const {
    return m_ascentTimeAt.at(checkedStep(iStep, "getAscentTime"));
}

qint16 DecoModelBase::getTappa(qint16 iStep) const {
    return m_stopLevelAt.at(checkedStep(iStep, "getTappa"));
}

qint16 DecoModelBase::getMaxVelocity(qint16 iStep) const {
    return m_vRisAt.at(checkedStep(iStep, "getMaxVelocity"));
}

float DecoModelBase::getDepth(qint16 iStep) const {
    return m_depthAt.at(checkedStep(iStep, "getDepth"));
}

float DecoModelBase::cnsDisplayValue(float cnsLoad) {
    if (cnsLoad <= 2.5f)
        return 0;
    if (cnsLoad > 120)
        return 120;
    const qint32 rounded = roundToInt32(cnsLoad);
    return float(rounded / 5 * 5 + 5);
}

int DecoModelBase::getCnsLimitMinutes(float ppo2) {
    return cnsLimitMinutes[cnsRow(ppo2)];
}

void DecoModelBase::computeSample(int i, float d) {
    updateOxygenExposure(i, d);
    if (d > safetyArmingDepth) {
        m_safetyArmed = true;
        m_safetyCounter = safetySamples;
    }
    prepareSample(i, d);
    updateTissues(i, d);
    // Projections and stop schedules work on the loads and are undone: the next sample starts from
    // the loads of this one.
    saveTissues();
    if (isDeeperThanStop(d))
        projectAscentToStop(d);
    updateCeilingLevel();
    m_ceilingLevel = std::min(m_ceilingLevel, MAX_CEILING_LEVEL);
    m_decoFlagAt.at(i) = m_ceilingLevel;
    if (m_ceilingLevel == 0) {
        m_noDecoAt.at(i) = computeNoDecoTime(d);
        m_safetyAt.at(i) = 0;
        countSafetyStop(i, d);
    } else {
        m_safetyArmed = false;
        computeDecoSchedule(i, d);
    }
}

void DecoModelBase::storeSample(const Dive& dive, int i, float& maxDepth) {
    const float depth = dive.getSampleDepth(i);
    m_depthAt.at(i) = depth;
    m_vRisAt.at(i) = dive.getSampleVRis(i);
    maxDepth = std::max(maxDepth, depth);
    m_maxDepthAt.at(i) = maxDepth;
}

void DecoModelBase::startExposure(qint16 oxygenPercent, float startCNS) {
    m_oxygenPercent = oxygenPercent;
    m_cnsLoad = startCNS;
}

void DecoModelBase::updateOxygenExposure(int i, float d) {
    // Sea-level fresh-water pressure whatever the altitude and water: the device counts it so.
    const float ppo2 = float((double(d) / 10 + 1) * m_oxygenPercent / 100);
    if (ppo2 > 1.7f)
        m_cnsLoad = float(m_cnsLoad + cnsAboveLimit);
    else if (ppo2 < 0.5f)
        m_cnsLoad = float(m_cnsLoad - cnsRecovery); // may go below 0: recovery is not floored
    else
        m_cnsLoad = float(m_cnsLoad + cnsDosePerSample[cnsRow(ppo2)]);
    m_cnsDisplayAt.at(i) = cnsDisplayValue(m_cnsLoad);
}

void DecoModelBase::countSafetyStop(int i, float d) {
    if (m_safetyArmed && d > safetyBandBottom && d < safetyBandTop) {
        --m_safetyCounter;
        m_safetyAt.at(i) = qint16(m_safetyCounter / Dive::SAMPLES_PER_MINUTE + 1);
        if (m_safetyCounter < 1)
            m_safetyArmed = false;
    }
}

quint32 DecoModelBase::blockingAt(float level) const {
    // Two passes over every slot, so that the compiler compares four compartments at a time; the
    // slot bits leave out a slot the model does not use.
    std::array<qint32, MAX_COMPARTMENTS> atLimit;
    for (size_t j = 0; j < MAX_COMPARTMENTS; ++j)
        atLimit[j] = -qint32(m_tissueLoad[j] >= m_limitA[j] + level * m_limitB[j]);
    quint32 blocking = 0;
    for (size_t j = 0; j < MAX_COMPARTMENTS; ++j)
        blocking |= quint32(atLimit[j]) & m_slotBit[j];
    return blocking;
}

void DecoModelBase::updateCeilingLevel() {
    // The level moves one stop per sample at most, in either direction. Afterwards the flags mark the
    // compartments at or above the limit of the next shallower stop.
    m_blocking = blockingAt(float(m_ceilingLevel));
    if (m_blocking != 0) {
        ++m_ceilingLevel;
        return;
    }
    if (m_ceilingLevel == 0)
        return;
    m_blocking = blockingAt(float(m_ceilingLevel - 1));
    if (m_blocking != 0)
        return;
    --m_ceilingLevel;
    if (m_ceilingLevel == 0)
        return;
    m_blocking = blockingAt(float(m_ceilingLevel - 1));
}

void DecoModelBase::failCompute() const {
    throw RuntimeError::subscript(m_className + QStringLiteral(".compute"));
}

int DecoModelBase::checkedStep(qint16 iStep, const char* member) const {
    if (iStep < 0 || iStep > m_lastStep)
        throw RuntimeError::subscript(m_className + u'.' + QString::fromLatin1(member));
    return iStep;
}

const Dive& DecoModelBase::currentDive() const {
    if (!m_dive)
        throw RuntimeError(RuntimeError::ObjectNotSet, m_className + QStringLiteral(".compute"),
                           QStringLiteral("Object variable or With block variable not set"));
    return *m_dive;
}
