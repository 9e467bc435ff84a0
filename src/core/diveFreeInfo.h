#pragma once

#include <QList>
#include <QString>

// One free-dive session of the Kobi: its free dives (maximum depth, dive time, surface time before
// it), an optional depth profile of the whole session sampled every 4 seconds, and its alarm
// settings. Positions of the free dives count from 1.
//
// Integer arguments take any number and keep it as a 16-bit value: rounded half to even, and
// RuntimeError 6 (overflow) outside -32768 to 32767, as the session's counters are 16-bit.
class diveFreeInfo {
public:
    // Session length in minutes: from the profile when there is one, else the sum of the free
    // dives' dive and surface times.
    qint16 getDiveTime() const;

    // Appends one free dive; `MaxDepth` in decimetres, times as minutes and seconds. Nothing is
    // appended when a time does not fit 32767 seconds (RuntimeError 6).
    void addFreeDive(float MaxDepth, double diveTimeSec, double diveTimeMin, double surfTimeSec, double surfTimeMin);
    qint16 getSamplesCount() const;
    // Metres. RuntimeError 9 for a position outside 1 to the count.
    float getFreeDiveMaxDepth(qint16 i) const;
    // Seconds. RuntimeError 9 for a position outside 1 to the count.
    qint16 getFreeDiveDiveTime(qint16 i) const;
    qint16 getFreeDiveSurfTime(qint16 i) const;

    // The session's profile from decimetre values, one every 4 seconds.
    void addProfileFree(const QList<qint32>& apf);
    // The profile as the session's SAMPLE text starts: "*", one four-digit field of decimetres per
    // point, "*"; "" without a profile. RuntimeError 0x80040201 for a point the field cannot hold.
    QString getProfileFreeDB() const;
    // The reverse of getProfileFreeDB. RuntimeError 13 for a field that is not a number; the profile
    // stays as it was.
    void setProfileFreeDB(const QString& s);
    bool hasProfileFree() const { return m_hasProfile; }

    float alDepthValue() const { return m_alDepthValue; }
    void setAlDepthValue(float value) { m_alDepthValue = value; }
    qint16 alDepthAlarm() const { return m_alDepthAlarm; }
    void setAlDepthAlarm(qint16 value) { m_alDepthAlarm = value; }
    qint16 diveTimeAlarmValue() const { return m_diveTimeAlarmValue; }
    void setDiveTimeAlarmValue(qint16 value) { m_diveTimeAlarmValue = value; }
    qint16 diveTimeAlarm() const { return m_diveTimeAlarm; }
    void setDiveTimeAlarm(qint16 value) { m_diveTimeAlarm = value; }
    qint16 surfTimeAlarmValue() const { return m_surfTimeAlarmValue; }
    void setSurfTimeAlarmValue(qint16 value) { m_surfTimeAlarmValue = value; }
    qint16 surfTimeAlarm() const { return m_surfTimeAlarm; }
    void setSurfTimeAlarm(qint16 value) { m_surfTimeAlarm = value; }
    float maxDepthAlarmValue() const { return m_maxDepthAlarmValue; }
    void setMaxDepthAlarmValue(float value) { m_maxDepthAlarmValue = value; }
    qint16 maxDepthAlarm() const { return m_maxDepthAlarm; }
    void setMaxDepthAlarm(qint16 value) { m_maxDepthAlarm = value; }
    qint16 sessionTime() const { return m_sessionTime; }
    void setSessionTime(qint16 value) { m_sessionTime = value; }

private:
    qint16 m_sessionTime = 0;
    qint16 m_maxDepthAlarm = 0;
    float m_maxDepthAlarmValue = 0;
    qint16 m_surfTimeAlarm = 0;
    qint16 m_surfTimeAlarmValue = 0;
    qint16 m_diveTimeAlarm = 0;
    qint16 m_diveTimeAlarmValue = 0;
    qint16 m_alDepthAlarm = 0;
    float m_alDepthValue = 0;
    QList<float> m_maxDepth;  // decimetres
    QList<qint16> m_diveTime; // seconds
    QList<qint16> m_surfTime; // seconds
    QList<float> m_profile;   // metres
    bool m_hasProfile = false;
};
