#include "diveFreeInfo.h"

#include "Numeric.h"
#include "ProfileText.h"
#include "RuntimeError.h"

namespace {

qsizetype checkedIndex(qint16 i, qsizetype count) {
    if (i < 1 || i > count)
        throw RuntimeError::subscript();
    return i - 1;
}

} // namespace

qint16 diveFreeInfo::getDiveTime() const {
    if (m_hasProfile)
        return num::toInt16(double(m_profile.size() - 1) / 15.0);
    // Without a profile the session lasts its dives and the surface times between them.
    double seconds = 0;
    for (qsizetype k = 0; k < m_diveTime.size(); ++k)
        seconds += double(m_diveTime[k]) + double(m_surfTime[k]);
    return num::toInt16(seconds / 60.0);
}

void diveFreeInfo::addFreeDive(float MaxDepth, double diveTimeSec, double diveTimeMin, double surfTimeSec,
                               double surfTimeMin) {
    // Both times are worked out before anything is appended, so the three lists stay in step.
    const auto seconds = [](double sec, double min) {
        return num::toInt16(double(num::toInt16(min)) * 60.0 + double(num::toInt16(sec)));
    };
    const qint16 diveTime = seconds(diveTimeSec, diveTimeMin);
    const qint16 surfTime = seconds(surfTimeSec, surfTimeMin);
    if (m_maxDepth.size() >= 32767)
        throw RuntimeError::overflow(QStringLiteral("diveFreeInfo.addFreeDive()"));
    m_maxDepth.append(MaxDepth);
    m_diveTime.append(diveTime);
    m_surfTime.append(surfTime);
}

qint16 diveFreeInfo::getSamplesCount() const {
    return qint16(m_maxDepth.size());
}

float diveFreeInfo::getFreeDiveMaxDepth(qint16 i) const {
    return m_maxDepth[checkedIndex(i, m_maxDepth.size())] / 10.0f;
}

qint16 diveFreeInfo::getFreeDiveDiveTime(qint16 i) const {
    return m_diveTime[checkedIndex(i, m_diveTime.size())];
}

qint16 diveFreeInfo::getFreeDiveSurfTime(qint16 i) const {
    return m_surfTime[checkedIndex(i, m_surfTime.size())];
}

void diveFreeInfo::addProfileFree(const QList<qint32>& apf) {
    QList<float> profile;
    profile.reserve(apf.size());
    for (const qint32 decimetres : apf)
        profile.append(float(decimetres) / 10.0f);
    m_profile = std::move(profile);
    m_hasProfile = true;
}

QString diveFreeInfo::getProfileFreeDB() const {
    if (!m_hasProfile)
        return QString();
    QString text;
    text.reserve(m_profile.size() * 4 + 2);
    text.append(u'*');
    for (const float metres : m_profile)
        ProfileText::appendField(text, double(metres * 10.0f), ProfileText::Field::ProfileDepth);
    text.append(u'*');
    return text;
}

void diveFreeInfo::setProfileFreeDB(const QString& s) {
    const QStringView fields = QStringView(s).mid(1, qMax<qsizetype>(0, s.size() - 2));
    QList<float> profile;
    profile.reserve(fields.size() / 4 + 1);
    for (qsizetype at = 0; at < fields.size(); at += 4)
        profile.append(float(num::textToDouble(fields.mid(at, 4).toString())) / 10.0f);
    m_profile = std::move(profile);
    m_hasProfile = true;
}
