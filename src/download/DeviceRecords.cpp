#include "DeviceRecords.h"

#include "Dive.h"
#include "DownloadKOBI.h"
#include "Numeric.h"
#include "diveFreeInfo.h"

namespace {

qint32 round32(double v) {
    return num::toInt32(v);
}

qint32 unsignedByte(qint32 v) {
    return v < 0 ? v + 256 : v;
}

void appendDate(QList<qint32>& r, const QDateTime& start, bool twoDigitYear) {
    const QDate d = start.date();
    qint32 year = d.year();
    if (twoDigitYear)
        year = year >= 2000 ? year - 2000 : year - 1900;
    r << year << d.month() << d.day() << start.time().hour() << start.time().minute();
}

void appendSamples(QList<qint32>& r, const Dive& dive, bool withMisc) {
    for (qint16 i = 1; i <= dive.getSamplesCount(); ++i) {
        r << round32(double(dive.getSampleDepth(i)) * 10) << dive.getSampleVRis(i) << dive.getSampleDecoStop(i)
          << dive.getSampleDeco(i);
        if (withMisc)
            r << dive.getSampleMisc(i);
    }
}

} // namespace

QList<qint32> DeviceRecords::zento(const Dive& dive, qint32 modelCode) {
    QList<qint32> r;
    appendDate(r, dive.getDateTime(), false);
    const bool rgbm = ModelCodes::model(modelCode) == ModelCode::dcZentoRGBM;
    r << qint32(dive.getDiveTime()) * Dive::SAMPLES_PER_MINUTE << round32(double(dive.getMaxDepth()) * 10)
      << unsignedByte(dive.getMinTemperature()) << (rgbm ? dive.getAutozero() : 0) << dive.getWater()
      << dive.getAscentMode() << dive.getBuzzer() << dive.getStop() << 0 << dive.getAltitude() << 0 << 0
      << (rgbm ? round32(dive.getDepthMeanPrec()) : 0) << (rgbm ? round32(dive.getDepthMean()) : 0)
      << (rgbm ? dive.getDiveDays() : 0) << (rgbm ? round32(dive.getTSR()) : 0) << dive.getDiveMode() << dive.getVRis()
      << dive.getDeco() << dive.getViolationStop() << dive.getAscent() << dive.getDecoStop() << 0
      << dive.getNitroxMixture() << round32(double(dive.getPPO2()) * 10) << round32(dive.getStartCNS())
      << round32(dive.getMaxCNS());
    for (int i = 32; i <= 38; ++i)
        r << 0;
    const qint32 deepStop1 = rgbm ? round32(dive.getDeepStop1()) : 0;
    r << deepStop1;
    if (rgbm) {
        for (qint16 n = 1; n <= 10; ++n)
            r << round32(double(dive.getStartTissue(n)) * 5000);
        r << round32(dive.getDeepStop2()) + 256 * deepStop1;
    } else {
        for (qint16 n = 1; n <= 11; ++n)
            r << round32(double(dive.getStartTissue(n)) / 33 * 5000);
    }
    r << dive.getSamplesCount();
    appendSamples(r, dive, false);
    return r;
}

QList<qint32> DeviceRecords::tavex(const Dive& dive) {
    QList<qint32> r;
    appendDate(r, dive.getDateTime(), false);
    r << qint32(dive.getDiveTime()) * Dive::SAMPLES_PER_MINUTE << round32(double(dive.getMaxDepth()) * 10)
      << unsignedByte(dive.getMinTemperature()) << dive.getAutozero() << dive.getWater() << dive.getAscentMode()
      << dive.getBuzzer() << dive.getStop() << dive.getAirTime() << dive.getAltitude() << dive.getVolumeMeasure()
      << dive.getReserve100Flag() << round32(dive.getDepthMeanPrec()) << round32(dive.getDepthMean())
      << dive.getDiveDays() << round32(dive.getTSR()) << dive.getDiveMode() << dive.getVRis() << dive.getDeco()
      << dive.getViolationStop() << dive.getAscent() << dive.getDecoStop() << 0 << dive.getNitroxMixture()
      << round32(double(dive.getPPO2()) * 10) << round32(dive.getStartCNS()) << round32(dive.getMaxCNS())
      << round32(dive.getTankVolume()) << round32(dive.getTankPressure()) << round32(dive.getTankUse())
      << round32(dive.getStartTankPressure()) << round32(dive.getStopTankPressure()) << round32(dive.getReserve50())
      << round32(dive.getReserve100()) << round32(dive.getDeepStop1());
    for (qint16 n = 1; n <= 10; ++n)
        r << round32(double(dive.getStartTissue(n)) * 5000);
    r << round32(dive.getDeepStop2()) << dive.getSamplesCount();
    appendSamples(r, dive, true);
    return r;
}

QList<qint32> DeviceRecords::kobiScuba(const Dive& dive) {
    QList<qint32> r;
    r << dive.getDiveMode();
    appendDate(r, dive.getDateTime(), true);
    const qint32 deepStop1 = round32(dive.getDeepStop1()) & 15;
    r << dive.getSamplesCount() << round32(double(dive.getMaxDepth()) * 10) << unsignedByte(dive.getMinTemperature())
      << dive.getAutozero() << dive.getWater() << dive.getVRis() << dive.getAltitude() << dive.getPersonalFactor()
      << dive.getAscentMode() << dive.getBuzzer() << dive.getStop() << dive.getAscent() << dive.getDecoStop()
      << dive.getViolationStop() << dive.getDeco() << dive.getNitroxMixture() << round32(double(dive.getPPO2()) * 10)
      << round32(dive.getStartCNS()) << round32(dive.getMaxCNS()) << round32(dive.getDepthMeanPrec())
      << round32(dive.getDepthMean()) << dive.getDiveDays() << round32(dive.getDeepStop2()) * 16 + deepStop1;
    for (qint16 n = 1; n <= 10; ++n)
        r << round32(double(dive.getStartTissue(n)) * DownloadKOBI::TISSUE_DIVISOR);
    appendSamples(r, dive, false);
    return r;
}

QList<qint32> DeviceRecords::kobiSession(const Dive& dive) {
    const std::shared_ptr<diveFreeInfo> session = dive.diveFreeInfo();
    const qint16 n = session ? session->getSamplesCount() : 0;
    QList<qint32> r;
    r << Dive::FREE_DIVE_MODE;
    appendDate(r, dive.getDateTime(), true);
    r << n << round32(double(dive.getMaxDepth()) * 10) << unsignedByte(dive.getMinTemperature()) << dive.getAutozero()
      << dive.getWater();
    if (!session) {
        for (int i = 11; i <= 22; ++i)
            r << 0;
        return r;
    }
    r << session->sessionTime() / 60 << session->sessionTime() % 60 << session->surfTimeAlarm()
      << session->surfTimeAlarmValue() / 60 << session->surfTimeAlarmValue() % 60 << session->maxDepthAlarm()
      << round32(session->maxDepthAlarmValue()) << session->diveTimeAlarm() << session->diveTimeAlarmValue() / 60
      << session->diveTimeAlarmValue() % 60 << session->alDepthAlarm() << round32(session->alDepthValue());
    for (qint16 m = 1; m <= n; ++m) {
        const qint32 diveTime = session->getFreeDiveDiveTime(m);
        const qint32 surfTime = session->getFreeDiveSurfTime(m);
        r << round32(double(session->getFreeDiveMaxDepth(m)) * 10) << diveTime % 60 << diveTime / 60 << surfTime % 60
          << surfTime / 60;
    }
    return r;
}

QList<qint32> DeviceRecords::kobiFreeProfile(const Dive& dive) {
    const std::shared_ptr<diveFreeInfo> session = dive.diveFreeInfo();
    QList<qint32> profile;
    if (!session || !session->hasProfileFree())
        return profile;
    // The session keeps its profile as text: "*", four-digit decimetres per point, "*".
    const QString text = session->getProfileFreeDB();
    for (qsizetype i = 1; i + 4 <= text.size() - 1; i += 4)
        profile << text.mid(i, 4).toInt();
    return profile;
}
