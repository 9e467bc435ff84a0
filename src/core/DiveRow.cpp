#include "DiveRow.h"

#include "Dive.h"
#include "Recordset.h"

namespace DiveRow {

double single(float value) {
    return QString::number(value, 'g', 7).toDouble();
}

void setHeaderColumns(Recordset& rs, const Dive& dive) {
    rs.setValue(QStringLiteral("DIVE_TIME"), dive.getDiveTime());
    rs.setValue(QStringLiteral("MAX_DEPTH"), single(dive.getMaxDepth()));
    rs.setValue(QStringLiteral("MIN_TEMP"), dive.getMinTemperature());
    rs.setValue(QStringLiteral("WATER_MODE"), dive.getWater());
    rs.setValue(QStringLiteral("ASCENT_MODE"), dive.getAscentMode());
    rs.setValue(QStringLiteral("BUZZER_FLAG"), dive.getBuzzer());
    rs.setValue(QStringLiteral("STOP_MODE"), dive.getStop());
    rs.setValue(QStringLiteral("ALTITUDE_FLAG"), dive.getAltitude());
    rs.setValue(QStringLiteral("DIVE_MODE"), dive.getDiveMode());
    rs.setValue(QStringLiteral("VRIS_FLAG"), dive.getVRis());
    rs.setValue(QStringLiteral("DECO_FLAG"), dive.getDeco());
    rs.setValue(QStringLiteral("VIOLATION_STOP_FLAG"), dive.getViolationStop());
    rs.setValue(QStringLiteral("ASCENT_FLAG"), dive.getAscent());
    rs.setValue(QStringLiteral("DECO_STOP_FLAG"), dive.getDecoStop());
    rs.setValue(QStringLiteral("MIX_NITROX"), dive.getNitroxMixture());
    rs.setValue(QStringLiteral("PPO2"), single(dive.getPPO2()));
    rs.setValue(QStringLiteral("START_CNS"), single(dive.getStartCNS()));
    rs.setValue(QStringLiteral("MAX_CNS"), single(dive.getMaxCNS()));
}

void setRgbmColumns(Recordset& rs, const Dive& dive, double tankPressure) {
    for (qint16 n = 1; n <= 10; ++n)
        rs.setValue(QStringLiteral("TISSUE_%1").arg(n), single(dive.getStartTissue(n) * 100));
    rs.setValue(QStringLiteral("AUTOZERO"), dive.getAutozero());
    rs.setValue(QStringLiteral("AIRTIME_FLAG"), dive.getAirTime());
    rs.setValue(QStringLiteral("DEPTH_M_PREC"), single(dive.getDepthMeanPrec()));
    rs.setValue(QStringLiteral("DEPTH_M"), single(dive.getDepthMean()));
    rs.setValue(QStringLiteral("DIVE_DAYS"), dive.getDiveDays());
    rs.setValue(QStringLiteral("TSR"), single(dive.getTSR()));
    rs.setValue(QStringLiteral("DEEP_STOP_1"), single(dive.getDeepStop1()));
    rs.setValue(QStringLiteral("DEEP_STOP_2"), single(dive.getDeepStop2()));
    rs.setValue(QStringLiteral("VOLUME_MEASURE"), dive.getVolumeMeasure());
    rs.setValue(QStringLiteral("RESERVE100_FLAG"), dive.getReserve100Flag());
    rs.setValue(QStringLiteral("TANK_VOLUME"), single(dive.getTankVolume()));
    rs.setValue(QStringLiteral("TANK_PRESSURE"), tankPressure);
    rs.setValue(QStringLiteral("TANK_USE"), single(dive.getTankUse()));
    rs.setValue(QStringLiteral("START_TANK_PRESSURE"), single(dive.getStartTankPressure()));
    rs.setValue(QStringLiteral("STOP_TANK_PRESSURE"), single(dive.getStopTankPressure()));
    rs.setValue(QStringLiteral("RESERVE50"), single(dive.getReserve50()));
    rs.setValue(QStringLiteral("RESERVE100"), single(dive.getReserve100()));
}

} // namespace DiveRow
