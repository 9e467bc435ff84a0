#include "DiveColumns.h"

#include "Dive.h"
#include "diveInfo.h"

namespace DiveColumns {

namespace {
// Integer properties take a double and round it as the number rules say; singles are narrowed.
#define SONA_INT(column, width, getter, setter)                                                                        \
    Number {                                                                                                           \
        column, width, [](const Dive& d) { return double(d.getter()); }, [](Dive& d, double v) { d.setter(v); }        \
    }
#define SONA_SINGLE(column, getter, setter)                                                                            \
    Number {                                                                                                           \
        column, Width::Single, [](const Dive& d) { return double(d.getter()); },                                       \
            [](Dive& d, double v) { d.setter(float(v)); }                                                              \
    }

const Number HEADER[] = {
    SONA_INT("DIVE_TIME", Width::Int16, getDiveTime, setDiveTime),
    SONA_SINGLE("MAX_DEPTH", getMaxDepth, setMaxDepth),
    SONA_INT("MIN_TEMP", Width::Int16, getMinTemperature, setMinTemperature),
    SONA_INT("WATER_MODE", Width::Int16, getWater, setWater),
    SONA_INT("ASCENT_MODE", Width::Int16, getAscentMode, setAscentMode),
    SONA_INT("BUZZER_FLAG", Width::Int16, getBuzzer, setBuzzer),
    SONA_INT("STOP_MODE", Width::Int16, getStop, setStop),
    SONA_INT("ALTITUDE_FLAG", Width::Int16, getAltitude, setAltitude),
    SONA_INT("DIVE_MODE", Width::Int32, getDiveMode, setDiveMode),
    SONA_INT("VRIS_FLAG", Width::Int16, getVRis, setVRis),
    SONA_INT("DECO_FLAG", Width::Int16, getDeco, setDeco),
    SONA_INT("VIOLATION_STOP_FLAG", Width::Int16, getViolationStop, setViolationStop),
    SONA_INT("ASCENT_FLAG", Width::Int16, getAscent, setAscent),
    SONA_INT("DECO_STOP_FLAG", Width::Int16, getDecoStop, setDecoStop),
    SONA_INT("MIX_NITROX", Width::Int16, getNitroxMixture, setNitroxMixture),
    SONA_SINGLE("PPO2", getPPO2, setPPO2),
    SONA_SINGLE("START_CNS", getStartCNS, setStartCNS),
    SONA_SINGLE("MAX_CNS", getMaxCNS, setMaxCNS),
};

const Number RGBM[] = {
    SONA_INT("AUTOZERO", Width::Int16, getAutozero, setAutozero),
    SONA_INT("AIRTIME_FLAG", Width::Int16, getAirTime, setAirTime),
    SONA_INT("VOLUME_MEASURE", Width::Int16, getVolumeMeasure, setVolumeMeasure),
    SONA_INT("RESERVE100_FLAG", Width::Int16, getReserve100Flag, setReserve100Flag),
    SONA_SINGLE("DEPTH_M_PREC", getDepthMeanPrec, setDepthMeanPrec),
    SONA_SINGLE("DEPTH_M", getDepthMean, setDepthMean),
    SONA_INT("DIVE_DAYS", Width::Int16, getDiveDays, setDiveDays),
    // TSR stands here.
    SONA_SINGLE("TANK_VOLUME", getTankVolume, setTankVolume),
    SONA_SINGLE("TANK_PRESSURE", getTankPressure, setTankPressure),
    SONA_SINGLE("TANK_USE", getTankUse, setTankUse),
    SONA_SINGLE("START_TANK_PRESSURE", getStartTankPressure, setStartTankPressure),
    SONA_SINGLE("STOP_TANK_PRESSURE", getStopTankPressure, setStopTankPressure),
    SONA_SINGLE("RESERVE50", getReserve50, setReserve50),
    SONA_SINGLE("RESERVE100", getReserve100, setReserve100),
    SONA_SINGLE("DEEP_STOP_1", getDeepStop1, setDeepStop1),
    SONA_SINGLE("DEEP_STOP_2", getDeepStop2, setDeepStop2),
};
constexpr qsizetype RGBM_BEFORE_TSR = 7;

#undef SONA_INT
#undef SONA_SINGLE

const Text TEXTS[] = {
    {"DIVER", [](diveInfo& i, const QString& v) { i.setDiver(v); }},
    {"LOCATION", [](diveInfo& i, const QString& v) { i.setLocation(v); }},
    {"POINT", [](diveInfo& i, const QString& v) { i.setPoint(v); }},
    {"INSTRUCTOR", [](diveInfo& i, const QString& v) { i.setInstructor(v); }},
    {"DIVEMASTER", [](diveInfo& i, const QString& v) { i.setDiveMaster(v); }},
    {"FRIEND", [](diveInfo& i, const QString& v) { i.friends = v; }},
    {"AIR_TEMPERATURE", [](diveInfo& i, const QString& v) { i.setAirTemperature(v); }},
    {"WEIGHT", [](diveInfo& i, const QString& v) { i.setWeight(v); }},
    {"MEMO", [](diveInfo& i, const QString& v) { i.setMemo(v); }},
};

const Code CODES[] = {
    {"ACTIVITY", [](diveInfo& i, qint16 v) { i.setActivity(v); }},
    {"WEATHER", [](diveInfo& i, qint16 v) { i.setWeather(v); }},
    {"WETSUIT", [](diveInfo& i, qint16 v) { i.setWetsuit(v); }},
};
} // namespace

std::span<const Number> header() {
    return HEADER;
}

std::span<const Number> rgbm() {
    return RGBM;
}

qsizetype rgbmBeforeTsr() {
    return RGBM_BEFORE_TSR;
}

QString tissue(int n) {
    return QStringLiteral("TISSUE_%1").arg(n);
}

std::span<const Text> descriptiveTexts() {
    return TEXTS;
}

std::span<const Code> descriptiveCodes() {
    return CODES;
}

QVariant stored(const Number& column, const Dive& dive) {
    const double value = column.get(dive);
    if (column.width == Width::Single)
        return storedSingle(float(value));
    return qint32(value);
}

QVariant storedSingle(float value) {
    // A double holds every single exactly.
    return double(value);
}

} // namespace DiveColumns
