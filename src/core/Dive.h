#pragma once

#include "ModelCodes.h"
#include "ProfileBytes.h"
#include "ProfileText.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QVariantList>
#include <memory>
#include <optional>

class diveInfo;
class diveFreeInfo;

// One dive: its keys and model code, the header values of every model, the start tissue loads, the
// profile text as stored and five parallel sample lists (positions from 1). It only stores and
// answers; the dive queries, the drivers and the simulator fill it.
//
// Integer properties take any number and keep it as their 16- or 32-bit value: rounded half to
// even, RuntimeError 6 (overflow) outside the range, the old value kept. So a driver that hands a
// 32-bit library field to a 16-bit property fails loudly instead of wrapping around.
//
// A refused argument raises RuntimeError 0x80040201 (RuntimeError::InvalidArgument) with the member
// as its source, e.g. "Dive.setStartTissue()". The tissue count and three predicates follow the
// current Settings model code, not the dive's own.
class Dive {
public:
    Dive();

    // The largest number of samples a dive holds.
    static constexpr qint32 MAX_SAMPLES = 32767;

    // Dive modes. On the Kobi 2 is a free-dive session and bottom time has a code of its own;
    // NO_FREE_DIVE_MODE is held by no dive: the free-dive code of the models without free dives.
    static constexpr qint32 AIR_MODE = 0;
    static constexpr qint32 NITROX_MODE = 1;
    static constexpr qint32 BOTTOM_TIME_MODE = 2;
    static constexpr qint32 KOBI_BOTTOM_TIME_MODE = 3;
    static constexpr qint32 FREE_DIVE_MODE = 2;
    static constexpr qint32 NO_FREE_DIVE_MODE = 99;

    // A scuba sample covers 20 seconds, a point of a free-dive profile 4.
    static constexpr qint32 SAMPLE_SECONDS = 20;
    static constexpr qint32 SAMPLES_PER_MINUTE = 60 / SAMPLE_SECONDS;
    static constexpr qint32 FREE_DIVE_POINT_SECONDS = 4;
    static constexpr qint32 FREE_DIVE_POINTS_PER_MINUTE = 60 / FREE_DIVE_POINT_SECONDS;

    // Descriptive fields and free-dive session are shared, not copied: the windows hand the shown
    // dive's descriptive record to the dive they print.
    std::shared_ptr<::diveInfo> diveInfo() const { return m_diveInfo; }
    void setDiveInfo(std::shared_ptr<::diveInfo> info) { m_diveInfo = std::move(info); }
    std::shared_ptr<::diveFreeInfo> diveFreeInfo() const { return m_diveFreeInfo; }
    void setDiveFreeInfo(std::shared_ptr<::diveFreeInfo> info) { m_diveFreeInfo = std::move(info); }

    // Null for a new dive.
    void setDateTime(const QDateTime& dateTime) { m_dateTime = dateTime; }
    QDateTime getDateTime() const { return m_dateTime; }
    // Minutes; for a Kobi free-dive session the number of free dives.
    void setDiveTime(double minutes);
    qint16 getDiveTime() const { return m_diveTime; }
    // Metres.
    void setMaxDepth(float metres) { m_maxDepth = metres; }
    float getMaxDepth() const { return m_maxDepth; }
    // Degrees Celsius.
    void setMinTemperature(double celsius);
    qint16 getMinTemperature() const { return m_minTemperature; }
    // 0 salt, anything else fresh.
    void setWater(double water);
    qint16 getWater() const { return m_water; }
    void setAscentMode(double mode);
    qint16 getAscentMode() const { return m_ascentMode; }
    void setBuzzer(double buzzer);
    qint16 getBuzzer() const { return m_buzzer; }
    // 1: stops apply (see hasStop).
    void setStop(double stop);
    qint16 getStop() const { return m_stop; }
    // Altitude program number.
    void setAltitude(double altitude);
    qint16 getAltitude() const { return m_altitude; }
    void setPersonalFactor(double factor);
    qint16 getPersonalFactor() const { return m_personalFactor; }
    // 0 air, 1 nitrox, Settings::getBottomTimeCode() bottom time, 2 free dive on the Kobi.
    void setDiveMode(double mode);
    qint32 getDiveMode() const { return m_diveMode; }
    // Ascent-rate level 1 to 5; for a Kobi dive the rate in metres per minute.
    void setVRis(double vRis);
    qint16 getVRis() const { return m_vRis; }
    void setDeco(double deco);
    qint16 getDeco() const { return m_deco; }
    void setViolationStop(double flag);
    qint16 getViolationStop() const { return m_violationStop; }
    void setAscent(double flag);
    qint16 getAscent() const { return m_ascent; }
    void setDecoStop(double flag);
    qint16 getDecoStop() const { return m_decoStop; }
    // Oxygen percentage; read back through getNitroxMixture.
    void setNitroxMixture(double percent);
    // Bar.
    void setPPO2(float ppo2) { m_PPO2 = ppo2; }
    float getPPO2() const { return m_PPO2; }
    // Kept as whole percentages (rounded half to even; RuntimeError 6 outside 16 bits).
    void setStartCNS(float percent);
    float getStartCNS() const { return float(m_startCNS); }
    void setMaxCNS(float percent);
    float getMaxCNS() const { return float(m_maxCNS); }
    void setAutozero(double value);
    qint16 getAutozero() const { return m_autozero; }
    void setAirTime(double value);
    qint16 getAirTime() const { return m_airTime; }
    // 1 cubic feet and psi, anything else litres and bar.
    void setVolumeMeasure(double measure);
    qint16 getVolumeMeasure() const;
    void setReserve100Flag(double flag);
    qint16 getReserve100Flag() const;
    bool hasReserve100Alarm() const { return m_reserve100Flag == 1.0f; }
    void setDepthMeanPrec(float metres) { m_sampleDepthMeanPrec = metres; }
    float getDepthMeanPrec() const { return m_sampleDepthMeanPrec; }
    void setDepthMean(float metres) { m_sampleDepthMean = metres; }
    float getDepthMean() const { return m_sampleDepthMean; }
    void setDiveDays(double days);
    qint16 getDiveDays() const;
    void setTSR(float tsr) { m_TSR = tsr; }
    float getTSR() const { return m_TSR; }
    // Kept as a whole number 0 to 255 (rounded half to even; RuntimeError 6 outside).
    void setTankVolume(float volume);
    float getTankVolume() const { return float(m_tankVolume); }
    void setTankPressure(float pressure) { m_tankPressure = pressure; }
    float getTankPressure() const { return m_tankPressure; }
    void setTankUse(float use) { m_tankUse = use; }
    float getTankUse() const { return m_tankUse; }
    void setStartTankPressure(float pressure) { m_startTankPressure = pressure; }
    float getStartTankPressure() const { return m_startTankPressure; }
    void setStopTankPressure(float pressure) { m_stopTankPressure = pressure; }
    float getStopTankPressure() const { return m_stopTankPressure; }
    void setReserve50(float pressure) { m_reserve50 = pressure; }
    float getReserve50() const { return m_reserve50; }
    void setReserve100(float pressure) { m_reserve100 = pressure; }
    float getReserve100() const { return m_reserve100; }
    void setDeepStop1(float value) { m_deepStop1 = value; }
    float getDeepStop1() const { return m_deepStop1; }
    void setDeepStop2(float value) { m_deepStop2 = value; }
    float getDeepStop2() const { return m_deepStop2; }

    // Eleven values under current model code 1 or 2, ten under an RGBM code, at least ten under any
    // other code; each a number or a text that reads as one. Nothing is stored unless every value
    // converts: RuntimeError 0x80040201 for a wrong count, 9 for too few values under another
    // code, 13 for a value that is not a number.
    void setStartTissue(const QVariantList& aTissues);
    // Tissue i, 1 to 11 (11 only under current code 1 or 2); RuntimeError 0x80040201 otherwise.
    float getStartTissue(qint16 i) const;

    qint32 diveID() const { return m_diveID; }
    void setDiveID(double id);
    // 1, 2, 4, 8, 16 or 32; RuntimeError 0x80040201 for any other, the old code kept.
    qint32 diveComputer() const { return m_diveComputer; }
    void setDiveComputer(double code);
    qint32 logbookID() const { return m_logbookID; }
    void setLogbookID(double id);

    bool isZento() const { return ModelCodes::model(m_diveComputer) == ModelCode::dcZento; }
    bool isLUMO() const { return ModelCodes::model(m_diveComputer) == ModelCode::dcLUMO; }
    bool isAir() const { return m_diveMode == AIR_MODE; }
    bool isNitrox() const { return m_diveMode == NITROX_MODE; }
    // Follows the current Settings model code.
    bool isBottomTime() const;
    // Follows the current Settings model code.
    bool isFreeDive() const;
    bool isStop() const { return m_stop != 0; }
    bool isDeco() const { return m_deco != 0; }
    bool isSalt() const { return m_water == 0; }

    // Sample positions outside 16 bits raise RuntimeError 6, as the count is a 16-bit value.
    // Appends one sample: depth in decimetres, the others kept as 16-bit values. Every argument is
    // converted before any list changes, so a refused sample (RuntimeError 6) leaves the five
    // lists as they were; so does a dive that already holds MAX_SAMPLES samples.
    void addSample(double depth, double vRis, double decoStop, double deco, double misc = 0);
    // Replaces sample `step` (1 to the count; RuntimeError 9 otherwise), converted as addSample.
    void setSample(int step, double depth, double vRis, double decoStop, double deco, double misc = 0);
    // RuntimeError 9 outside 1 to the count.
    void removeSample(int i);
    // Metres. RuntimeError 9 outside 1 to the count.
    float getSampleDepth(int i) const;
    // 0 at position 0 and above the count; RuntimeError 9 for a negative position.
    qint16 getSampleVRis(int i) const;
    qint16 getSampleDecoStop(int i) const;
    qint16 getSampleDeco(int i) const;
    // The misc entry as a 16-bit value (RuntimeError 6 when it does not fit).
    qint16 getSampleMisc(int i) const;
    qint16 getSamplesCount() const {
        readPendingSamples();
        return qint16(m_sampleDepth.size());
    }
    bool hasSamples() const {
        readPendingSamples();
        return !m_sampleDepth.isEmpty();
    }

    // The profile text exactly as stored; not linked to the sample lists.
    QString getSamples() const;
    void setSAMPLES(const QString& text);
    QString SAMPLES() const { return getSamples(); }
    // The same text as the engine hands it over, UTF-8. A loaded dive keeps these bytes and makes
    // the text only when someone asks for it: the profile reader reads the bytes themselves.
    void setStoredSamples(const QByteArray& utf8);
    void setStoredSamples(ProfileBytes utf8);

    // Kobi: the rate in the display unit per minute; other models the level as a percentage or
    // "SLOW"; "" for an unknown level.
    QString getMaxAscentRate() const;
    bool hasViolationDecoStop() const { return m_violationStop != 0; }
    // Follows the current Settings model code.
    bool hasStop() const;
    // The mix when the dive is a nitrox dive, else 21.
    qint16 getNitroxMixture() const { return isNitrox() ? m_nitroxMixture : qint16(21); }

private:
    friend class ProfileText;
    // A loaded dive's samples are made from its stored bytes when they are first asked for: most
    // dives of a large load are never drawn (see ProfileText::readOnFirstUse).
    void readPendingSamples() const {
        if (m_pendingLayout)
            readStoredSamples();
    }
    void readStoredSamples() const;
    // Position `i` as a list index, checked against the count (RuntimeError 9).
    qsizetype indexOf(int i) const;
    // The same, or -1 for position 0 and positions above the count, which answer 0.
    qsizetype entryOf(int i) const;

    std::shared_ptr<::diveInfo> m_diveInfo;
    std::shared_ptr<::diveFreeInfo> m_diveFreeInfo;
    qint32 m_logbookID = 0;
    qint32 m_diveID = 0;
    qint32 m_diveComputer = 0;
    QDateTime m_dateTime;
    qint16 m_diveTime = 0;
    float m_maxDepth = 0;
    qint16 m_minTemperature = 0;
    qint16 m_water = 0;
    qint16 m_ascentMode = 0;
    qint16 m_buzzer = 0;
    qint16 m_stop = 0;
    qint16 m_altitude = 0;
    qint32 m_diveMode = 0;
    qint16 m_vRis = 0;
    qint16 m_deco = 0;
    qint16 m_violationStop = 0;
    qint16 m_ascent = 0;
    qint16 m_decoStop = 0;
    qint16 m_nitroxMixture = 0;
    float m_PPO2 = 0;
    qint16 m_startCNS = 0;
    qint16 m_maxCNS = 0;
    qint16 m_autozero = 0;
    qint16 m_airTime = 0;
    float m_volumeMeasure = 0;
    float m_reserve100Flag = 0;
    float m_sampleDepthMeanPrec = 0;
    float m_sampleDepthMean = 0;
    float m_diveDays = 0;
    float m_TSR = 0;
    quint8 m_tankVolume = 0;
    float m_tankPressure = 0;
    float m_tankUse = 0;
    float m_startTankPressure = 0;
    float m_stopTankPressure = 0;
    float m_reserve50 = 0;
    float m_reserve100 = 0;
    qint16 m_personalFactor = 0;
    float m_deepStop1 = 0;
    float m_deepStop2 = 0;
    float m_startTissue[11] = {};
    // One of the two holds the text: m_samples once a text was set, else m_storedSamples.
    QString m_samples;
    ProfileBytes m_storedSamples;
    // The layout the stored bytes are still to be read in; none once the lists hold them.
    mutable std::optional<ProfileText::Layout> m_pendingLayout;
    mutable QList<float> m_sampleDepth; // decimetres
    mutable QList<qint16> m_sampleVRis;
    mutable QList<qint16> m_sampleDecoStop;
    mutable QList<qint16> m_sampleDeco;
    mutable QList<double> m_sampleMisc;
};
