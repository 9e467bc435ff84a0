#pragma once

#include <QDateTime>
#include <QString>

// The settings of a dive computer as a diver would set them on the device, edited in memory by the
// dive computer settings window. Nothing stores or sends it.
class dcSettings {
public:
    // Metric depth, temperature and litres-and-bar tank units whatever the program's unit system;
    // both dates are the moment of creation.
    dcSettings();

    // Writing it puts the depth, temperature and tank units back to metres, Celsius and litres.
    qint16 measureUnit() const { return m_measureUnit; }
    void setMeasureUnit(qint16 unit);
    QDateTime dateDC() const { return m_dateDC; }
    void setDateDC(const QDateTime& date) { m_dateDC = date; }
    QDateTime dateUser() const { return m_dateUser; }
    void setDateUser(const QDateTime& date) { m_dateUser = date; }
    qint16 PressurePsiTank() const { return m_PressurePsiTank; }
    void setPressurePsiTank(qint16 value) { m_PressurePsiTank = value; }
    float VolumeCUFTTank() const { return m_VolumeCUFTTank; }
    void setVolumeCUFTTank(float value) { m_VolumeCUFTTank = value; }
    float VolumeLTTank() const { return m_VolumeLTTank; }
    void setVolumeLTTank(float value) { m_VolumeLTTank = value; }
    qint16 Reserve50() const { return m_Reserve50; }
    void setReserve50(qint16 value) { m_Reserve50 = value; }
    qint16 Reserve100() const { return m_Reserve100; }
    void setReserve100(qint16 value) { m_Reserve100 = value; }
    qint16 FlagReserve100() const { return m_FlagReserve100; }
    void setFlagReserve100(qint16 value) { m_FlagReserve100 = value; }
    // 1 litres and bar, anything else cubic feet and psi.
    qint16 UnitTank() const { return m_UnitTank; }
    void setUnitTank(qint16 value) { m_UnitTank = value; }
    qint16 SetBeep() const { return m_SetBeep; }
    void setSetBeep(qint16 value) { m_SetBeep = value; }
    qint16 SetUncontrolledAscent() const { return m_SetUncontrolledAscent; }
    void setSetUncontrolledAscent(qint16 value) { m_SetUncontrolledAscent = value; }
    // 0 salt, anything else fresh.
    qint16 WaterType() const { return m_WaterType; }
    void setWaterType(qint16 value) { m_WaterType = value; }
    // 0 Celsius, anything else Fahrenheit.
    qint16 UnitTemperature() const { return m_UnitTemperature; }
    void setUnitTemperature(qint16 value) { m_UnitTemperature = value; }
    // 0 metres, anything else feet.
    qint16 UnitDepth() const { return m_UnitDepth; }
    void setUnitDepth(qint16 value) { m_UnitDepth = value; }
    qint16 diveType() const { return m_diveType; }
    void setDiveType(qint16 value) { m_diveType = value; }
    float PPO2Max() const { return m_PPO2Max; }
    void setPPO2Max(float value) { m_PPO2Max = value; }
    qint16 PercO2() const { return m_PercO2; }
    void setPercO2(qint16 value) { m_PercO2 = value; }
    // The altitude program's position in the window's list, as decimal text.
    QString Altitude() const { return m_Altitude; }
    void setAltitude(const QString& value) { m_Altitude = value; }

private:
    QString m_Altitude;
    qint16 m_PercO2 = 0;
    float m_PPO2Max = 0;
    qint16 m_diveType = 0;
    qint16 m_UnitDepth = 0;
    qint16 m_UnitTemperature = 0;
    qint16 m_WaterType = 0;
    qint16 m_UnitTank = 0;
    qint16 m_SetUncontrolledAscent = 0;
    qint16 m_SetBeep = 0;
    qint16 m_FlagReserve100 = 0;
    qint16 m_Reserve100 = 0;
    qint16 m_Reserve50 = 0;
    float m_VolumeLTTank = 0;
    float m_VolumeCUFTTank = 0;
    qint16 m_PressurePsiTank = 0;
    QDateTime m_dateUser;
    QDateTime m_dateDC;
    qint16 m_measureUnit = 0;
};
