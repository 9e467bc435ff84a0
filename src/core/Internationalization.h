#pragma once

#include <QString>
#include <QVariant>

// The unit system (metric or imperial) and the conversions of stored metric values for display.
// One process-wide object, created on first use (reading "MeasureUnit" once), released at shutdown.
class Internationalization {
public:
    static Internationalization& instance();
    static bool exists();
    static void release();

    qint16 STANDARD = 0;
    qint16 IMPERIAL = 1;

    qint16 measureUnit() const { return m_measureUnit; }
    void setMeasureUnit(qint16 unit) { m_measureUnit = unit; }

    QString getTemperatureString() const;
    float getTemperatureValue(float value) const;
    QString getDepthString() const;
    QString getDepthLongString() const;
    float getDepthValue(float value) const;
    QString getVolumeString() const;
    // An invalid `measure` means the argument was left out.
    float getVolumeValue(float value, const QVariant& measure = QVariant()) const;
    QString getPressureString() const;
    float getPressureValue(float value, const QVariant& measure = QVariant()) const;
    QString getDateFormat() const;

private:
    Internationalization();
    QString unitText(qint32 metricString, qint32 imperialString) const;

    qint16 m_measureUnit = 0;
};
