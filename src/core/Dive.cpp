#include "Dive.h"

#include "Internationalization.h"
#include "Numeric.h"
#include "RuntimeError.h"
#include "Settings.h"
#include "diveFreeInfo.h"
#include "diveInfo.h"

#include <cmath>
#include <limits>

namespace {

// A number kept in single precision; overflow beyond its range as a conversion to single would.
float toSingle(double v) {
    if (std::isfinite(v) && std::fabs(v) > double(std::numeric_limits<float>::max()))
        throw RuntimeError::overflow();
    return float(v);
}

RuntimeError invalidArgument(const char* source, const char* description) {
    return RuntimeError(RuntimeError::InvalidArgument, QString::fromLatin1(source), QString::fromLatin1(description));
}

} // namespace

Dive::Dive() = default;

void Dive::setDiveTime(double minutes) {
    m_diveTime = num::toInt16(minutes);
}
void Dive::setMinTemperature(double celsius) {
    m_minTemperature = num::toInt16(celsius);
}
void Dive::setWater(double water) {
    m_water = num::toInt16(water);
}
void Dive::setAscentMode(double mode) {
    m_ascentMode = num::toInt16(mode);
}
void Dive::setBuzzer(double buzzer) {
    m_buzzer = num::toInt16(buzzer);
}
void Dive::setStop(double stop) {
    m_stop = num::toInt16(stop);
}
void Dive::setAltitude(double altitude) {
    m_altitude = num::toInt16(altitude);
}
void Dive::setPersonalFactor(double factor) {
    m_personalFactor = num::toInt16(factor);
}
void Dive::setDiveMode(double mode) {
    m_diveMode = num::toInt32(mode);
}
void Dive::setVRis(double vRis) {
    m_vRis = num::toInt16(vRis);
}
void Dive::setDeco(double deco) {
    m_deco = num::toInt16(deco);
}
void Dive::setViolationStop(double flag) {
    m_violationStop = num::toInt16(flag);
}
void Dive::setAscent(double flag) {
    m_ascent = num::toInt16(flag);
}
void Dive::setDecoStop(double flag) {
    m_decoStop = num::toInt16(flag);
}
void Dive::setNitroxMixture(double percent) {
    m_nitroxMixture = num::toInt16(percent);
}
void Dive::setStartCNS(float percent) {
    m_startCNS = num::toInt16(double(percent));
}
void Dive::setMaxCNS(float percent) {
    m_maxCNS = num::toInt16(double(percent));
}
void Dive::setAutozero(double value) {
    m_autozero = num::toInt16(value);
}
void Dive::setAirTime(double value) {
    m_airTime = num::toInt16(value);
}
void Dive::setVolumeMeasure(double measure) {
    m_volumeMeasure = float(num::toInt16(measure));
}
qint16 Dive::getVolumeMeasure() const {
    return num::toInt16(double(m_volumeMeasure));
}
void Dive::setReserve100Flag(double flag) {
    m_reserve100Flag = float(num::toInt16(flag));
}
qint16 Dive::getReserve100Flag() const {
    return num::toInt16(double(m_reserve100Flag));
}
void Dive::setDiveDays(double days) {
    m_diveDays = float(num::toInt16(days));
}
qint16 Dive::getDiveDays() const {
    return num::toInt16(double(m_diveDays));
}

QString Dive::getSamples() const {
    if (m_samples.isEmpty() && !m_storedSamples.isEmpty())
        return m_storedSamples.text();
    return m_samples;
}

void Dive::setSAMPLES(const QString& text) {
    readPendingSamples(); // from the bytes about to go
    m_samples = text;
    m_storedSamples = ProfileBytes();
}

void Dive::setStoredSamples(const QByteArray& utf8) {
    setStoredSamples(ProfileBytes(utf8));
}

void Dive::setStoredSamples(ProfileBytes utf8) {
    readPendingSamples();
    m_storedSamples = std::move(utf8);
    m_samples.clear();
}

void Dive::readStoredSamples() const {
    const ProfileText::Layout layout = *m_pendingLayout;
    m_pendingLayout.reset();
    ProfileText::readPending(*this, layout);
}

void Dive::setTankVolume(float volume) {
    const double rounded = num::roundHalfEven(double(volume));
    if (!(rounded >= 0 && rounded <= 255))
        throw RuntimeError::overflow();
    m_tankVolume = quint8(rounded);
}

void Dive::setStartTissue(const QVariantList& aTissues) {
    const Settings& settings = Settings::instance();
    const qint32 code = settings.currentDiveComputer();
    const bool elevenTissues = ModelCodes::hasElevenTissues(code);
    if (elevenTissues && aTissues.size() != 11)
        throw invalidArgument("Dive.setStartTissue()", "Value not allowed. You must pass 11 values for tissues");
    if (!elevenTissues && settings.isCurrentDiveComputerRGBM() && aTissues.size() != 10)
        throw invalidArgument("Dive.setStartTissue()", "Value not allowed. You must pass 10 values for tissues");
    const qsizetype count = elevenTissues ? 11 : 10;
    if (aTissues.size() < count)
        throw RuntimeError::subscript(QStringLiteral("Dive.setStartTissue()"));

    // Every value is converted before the first is stored: a bad value leaves the old loads whole.
    float tissues[11];
    for (qsizetype k = 0; k < count; ++k) {
        const QVariant& value = aTissues[k];
        double number = 0;
        if (value.typeId() == QMetaType::QString) {
            number = num::textToDouble(value.toString());
        } else {
            bool ok = false;
            number = value.isNull() ? 0 : value.toDouble(&ok);
            if (!ok)
                throw RuntimeError::typeMismatch(QStringLiteral("Dive.setStartTissue()"));
        }
        tissues[k] = toSingle(number);
    }
    std::copy(tissues, tissues + count, m_startTissue);
}

float Dive::getStartTissue(qint16 i) const {
    if (i >= 1 && i <= 10)
        return m_startTissue[i - 1];
    if (i == 11) {
        const Settings& settings = Settings::instance();
        const qint32 code = settings.currentDiveComputer();
        if (ModelCodes::hasElevenTissues(code))
            return m_startTissue[10];
        if (settings.isCurrentDiveComputerRGBM() || settings.isCurrentDiveComputerAir())
            throw invalidArgument("Dive.getStartTissue()", "Value not allowed. You must pass values between 1 and 10");
        return 0;
    }
    throw invalidArgument("Dive.getStartTissue()", "Value not allowed. You must pass values between 1 and 11");
}

void Dive::setDiveID(double id) {
    m_diveID = num::toInt32(id);
}

void Dive::setDiveComputer(double code) {
    const qint32 value = num::toInt32(code);
    if (!ModelCodes::isKnown(value))
        throw invalidArgument(
            "Dive.diveComputer",
            "Value not allowed. Use dcZento or dcLUMO or dcZentoRGBM or dcTAVEX or dcLumoAir or dcKOBI");
    m_diveComputer = value;
}

void Dive::setLogbookID(double id) {
    m_logbookID = num::toInt32(id);
}

bool Dive::isBottomTime() const {
    return m_diveMode == Settings::instance().getBottomTimeCode();
}

bool Dive::isFreeDive() const {
    return ModelCodes::model(Settings::instance().currentDiveComputer()) == ModelCode::dcKOBI &&
           m_diveMode == FREE_DIVE_MODE;
}

bool Dive::hasStop() const {
    return !isBottomTime() && m_stop == 1;
}

void Dive::addSample(double depth, double vRis, double decoStop, double deco, double misc) {
    const float d = toSingle(depth);
    const qint16 v = num::toInt16(vRis);
    const qint16 ds = num::toInt16(decoStop);
    const qint16 dc = num::toInt16(deco);
    readPendingSamples();
    if (m_sampleDepth.size() >= MAX_SAMPLES)
        throw RuntimeError::overflow(QStringLiteral("Dive.addSample()"));
    m_sampleDepth.append(d);
    m_sampleVRis.append(v);
    m_sampleDecoStop.append(ds);
    m_sampleDeco.append(dc);
    m_sampleMisc.append(misc);
}

qsizetype Dive::indexOf(int i) const {
    readPendingSamples();
    if (i < std::numeric_limits<qint16>::min() || i > std::numeric_limits<qint16>::max())
        throw RuntimeError::overflow();
    if (i < 1 || i > m_sampleDepth.size())
        throw RuntimeError::subscript();
    return i - 1;
}

qsizetype Dive::entryOf(int i) const {
    readPendingSamples();
    if (i == 0 || i > m_sampleDepth.size()) {
        if (i > std::numeric_limits<qint16>::max())
            throw RuntimeError::overflow();
        return -1;
    }
    return indexOf(i);
}

void Dive::setSample(int step, double depth, double vRis, double decoStop, double deco, double misc) {
    const qsizetype at = indexOf(step);
    const float d = toSingle(depth);
    const qint16 v = num::toInt16(vRis);
    const qint16 ds = num::toInt16(decoStop);
    const qint16 dc = num::toInt16(deco);
    m_sampleDepth[at] = d;
    m_sampleVRis[at] = v;
    m_sampleDecoStop[at] = ds;
    m_sampleDeco[at] = dc;
    m_sampleMisc[at] = misc;
}

void Dive::removeSample(int i) {
    const qsizetype at = indexOf(i);
    m_sampleDepth.removeAt(at);
    m_sampleVRis.removeAt(at);
    m_sampleDecoStop.removeAt(at);
    m_sampleDeco.removeAt(at);
    m_sampleMisc.removeAt(at);
}

float Dive::getSampleDepth(int i) const {
    const qsizetype at = indexOf(i);
    return m_sampleDepth[at] / 10.0f;
}

qint16 Dive::getSampleVRis(int i) const {
    const qsizetype at = entryOf(i);
    return at < 0 ? qint16(0) : m_sampleVRis[at];
}

qint16 Dive::getSampleDecoStop(int i) const {
    const qsizetype at = entryOf(i);
    return at < 0 ? qint16(0) : m_sampleDecoStop[at];
}

qint16 Dive::getSampleDeco(int i) const {
    const qsizetype at = entryOf(i);
    return at < 0 ? qint16(0) : m_sampleDeco[at];
}

qint16 Dive::getSampleMisc(int i) const {
    const qsizetype at = entryOf(i);
    return at < 0 ? qint16(0) : num::toInt16(m_sampleMisc[at]);
}

QString Dive::getMaxAscentRate() const {
    if (ModelCodes::model(m_diveComputer) == ModelCode::dcKOBI) {
        const Internationalization& units = Internationalization::instance();
        return num::singleToText(units.getDepthValue(float(m_vRis))) + u' ' + units.getDepthString() +
               QStringLiteral("/min");
    }
    switch (m_vRis) {
    case 1:
        return QStringLiteral("60 %");
    case 2:
        return QStringLiteral("80 %");
    case 3:
        return QStringLiteral("100 %");
    case 4:
        return QStringLiteral("120 %");
    case 5:
        return QStringLiteral("SLOW");
    default:
        return QString();
    }
}
