#pragma once

#include <QDateTime>
#include <QString>

// The diver's descriptive entries for one dive. A plain record: every value is kept as written.
class diveInfo {
public:
    // Buddies.
    QString friends;

    QString memo() const { return m_memo; }
    void setMemo(const QString& memo) { m_memo = memo; }
    QString airTemperature() const { return m_airTemperature; }
    void setAirTemperature(const QString& airTemperature) { m_airTemperature = airTemperature; }
    QString weight() const { return m_weight; }
    void setWeight(const QString& weight) { m_weight = weight; }
    qint16 wetsuit() const { return m_wetsuit; }
    void setWetsuit(qint16 wetsuit) { m_wetsuit = wetsuit; }
    qint16 weather() const { return m_weather; }
    void setWeather(qint16 weather) { m_weather = weather; }
    qint16 activity() const { return m_activity; }
    void setActivity(qint16 activity) { m_activity = activity; }
    QString diveMaster() const { return m_diveMaster; }
    void setDiveMaster(const QString& diveMaster) { m_diveMaster = diveMaster; }
    QString instructor() const { return m_instructor; }
    void setInstructor(const QString& instructor) { m_instructor = instructor; }
    QString point() const { return m_point; }
    void setPoint(const QString& point) { m_point = point; }
    QString location() const { return m_location; }
    void setLocation(const QString& location) { m_location = location; }
    // A slot nobody fills; null until written.
    QDateTime dateTime() const { return m_dateTime; }
    void setDateTime(const QDateTime& dateTime) { m_dateTime = dateTime; }
    QString diver() const { return m_diver; }
    void setDiver(const QString& diver) { m_diver = diver; }

private:
    QString m_diver;
    QDateTime m_dateTime;
    QString m_location;
    QString m_point;
    QString m_instructor;
    QString m_diveMaster;
    qint16 m_activity = 0;
    qint16 m_weather = 0;
    qint16 m_wetsuit = 0;
    QString m_airTemperature;
    QString m_weight;
    QString m_memo;
};
