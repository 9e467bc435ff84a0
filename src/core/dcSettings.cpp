#include "dcSettings.h"

#include "Internationalization.h"
#include "Seams.h"

dcSettings::dcSettings() {
    setMeasureUnit(Internationalization::instance().measureUnit());
    m_Altitude = QStringLiteral("1");
    m_PercO2 = 21;
    m_PPO2Max = 1.2f;
    m_FlagReserve100 = 0;
    m_WaterType = 0;
    m_SetUncontrolledAscent = 0;
    m_SetBeep = 0;
    m_Reserve100 = 80;
    m_Reserve50 = 50;
    m_VolumeLTTank = 0;
    m_VolumeCUFTTank = 0;
    m_PressurePsiTank = 0;
    m_dateUser = Seams::clock().now();
    m_dateDC = Seams::clock().now();
}

void dcSettings::setMeasureUnit(qint16 unit) {
    m_measureUnit = unit;
    // The device's own units start from metric whatever system the diver picked.
    m_UnitDepth = 0;
    m_UnitTemperature = 0;
    m_UnitTank = 1;
}
