#include "DownloadKOBI.h"

#include "DiveColumns.h"
#include "DownloadProgress.h"
#include "InterfaceLibraries.h"
#include "LibraryCodes.h"
#include "MainModule.h"
#include "Numeric.h"
#include "ProfileText.h"
#include "RecordFields.h"
#include "Recordset.h"
#include "RuntimeError.h"
#include "Seams.h"
#include "Settings.h"
#include "diveFreeInfo.h"

#include <algorithm>

namespace {
const QString decodeSource = QStringLiteral("DownloadKOBI.storeProfiles");

// Minutes and seconds of a session header as one 16-bit count of seconds, each step in 32 bits
// with its overflow check: damaged minutes fail their record, even where the seconds would bring
// a wider sum back into range.
qint16 seconds(qint32 minutes, qint32 secs) {
    const qint32 inSeconds = num::toInt32(double(minutes) * 60);
    return num::toInt16(double(num::toInt32(double(inSeconds) + secs)));
}
} // namespace

DownloadKOBI::DownloadKOBI() : recordBuffer(1, 0), freeProfileBuffer(1, 0) {}

bool DownloadKOBI::downloadProfiles(DownloadProgress& progressDownload) {
    progressDownload.setMax(101);
    BusyGuard busy;
    B770Library* library = nullptr;
    bool started = false;
    try {
        if (const std::optional<bool> answer = runTransfer(progressDownload, busy, library, started))
            return *answer;
    } catch (const std::exception&) {
        // The box below is the whole report of this driver.
    }
    // A transfer left running would hold the unit and refuse the next attempt.
    if (started && library) {
        try {
            library->stopDownload();
        } catch (const std::exception&) {
        }
    }
    Seams::message().show(QStringLiteral("Error accessing serial port or downloading. Retry the previous operation. If "
                                         "the problem persists reinstall the SONA program."),
                          Msg::OkOnly | Msg::Critical, getString(1005));
    progressDownload.setValue(1);
    return false;
}

std::optional<bool> DownloadKOBI::runTransfer(DownloadProgress& progressDownload, BusyGuard& busy,
                                              B770Library*& library, bool& started) {
    library = &InterfaceLibraries::b770();
    library->getVersion();
    // A transfer already running holds the unit.
    if (library->getDownloadStatus() == LibraryCodes::Transferring)
        return std::nullopt;

    if (!confirmDeviceReady())
        return false;
    busy.renew();

    const qint32 port = Settings::instance().comPort();
    if (library->EsisteSeriale(port) != LibraryCodes::Done)
        return std::nullopt;
    if (library->startDownload(port) != LibraryCodes::Done)
        return std::nullopt;
    started = true;

    showMessage(3045, Msg::Information, 1004);
    bAbortDownload = true;

    while (library->getDownloadStatus() == LibraryCodes::Transferring) {
        progressDownload.setValue(std::clamp(library->getProgress(), 0, 100) + 1);
        if (!bAbortDownload) {
            library->stopDownload();
            progressDownload.setValue(1);
            return false;
        }
        Seams::events().processEvents();
    }

    const qint32 n = library->DimensioneProfili();
    const qint32 m = library->DimensioneFree();
    recordBuffer.assign(size_t(std::max(n, 1)), 0);
    freeProfileBuffer.assign(size_t(std::max(m, 1)), 0);
    qint32 fetch = LibraryCodes::Delivered;
    if (n > 0)
        fetch = library->downloadProfile(infoBuffer.data(), qint32(infoBuffer.size()), recordBuffer.data(), n,
                                         freeProfileBuffer.data(), m);
    started = false;
    library->stopDownload();

    bool result = false;
    if (fetch == LibraryCodes::TimeOut) {
        showMessage(3035, Msg::Critical, 1005);
    } else if (fetch == LibraryCodes::PortError) {
        showMessage(3034, Msg::Critical, 1005);
    } else if (fetch == LibraryCodes::SyncError) {
        showMessage(3044, Msg::Critical, 1005);
    } else if (fetch == LibraryCodes::Delivered) {
        // An empty device holds no records at all.
        recordCount = n > 0 ? countRecords(recordBuffer) : 0;
        result = true;
        if (recordCount == 0)
            showNoDives();
    }
    return result;
}

qint64 DownloadKOBI::recordValues(qint32 mode, qint32 count) {
    return mode == Dive::FREE_DIVE_MODE ? SESSION_HEADER + 5 * qint64(count) : SCUBA_HEADER + 4 * qint64(count);
}

qint16 DownloadKOBI::countRecords(const std::vector<qint32>& recordBuffer) {
    static const QString source = QStringLiteral("DownloadKOBI.countRecords");
    const qint64 size = qint64(recordBuffer.size());
    // The library pads the array with zeros: what lies after the last value that is not 0 is no dive.
    const auto lastValue = std::find_if(recordBuffer.rbegin(), recordBuffer.rend(), [](qint32 v) { return v != 0; });
    const qint64 end = qint64(recordBuffer.rend() - lastValue);
    qint16 count = 0;
    qint64 p = 0;
    do {
        if (p >= end)
            break;
        const qint32 mode = RecordFields::at(recordBuffer, p, source);
        const qint32 c = RecordFields::at(recordBuffer, RecordFields::toPosition(p + 6, source), source);
        if (c < 0)
            throw RuntimeError(RuntimeError::SubscriptOutOfRange, source,
                               QStringLiteral("Count below 0: the records are damaged"));
        const qint64 next = RecordFields::toPosition(p + recordValues(mode, c), source);
        // A record cut off by the end of the array is a transfer that did not fit.
        if (next > size)
            throw RuntimeError::subscript(source);
        count = RecordFields::toPosition(qint64(count) + 1, source);
        p = next;
    } while (p < size - 1);
    return count;
}

qint16 DownloadKOBI::decodeRecord(Dive& dive, qint16 p, qint32 recordNumber) {
    auto v = [&](qint64 offset) {
        return RecordFields::at(recordBuffer, RecordFields::toPosition(p + offset, decodeSource), decodeSource);
    };
    const qint32 mode = v(0);
    dive.setDiveMode(mode);
    dive.setDateTime(RecordFields::dateTime(v(1), v(2), v(3), v(4), v(5), decodeSource));
    const qint32 c = v(6);
    if (c < 0)
        throw RuntimeError(RuntimeError::SubscriptOutOfRange, decodeSource,
                           QStringLiteral("Count below 0: the records are damaged"));
    dive.setDiveTime(c);
    dive.setMaxDepth(float(v(7) / 10.0));
    dive.setMinTemperature(RecordFields::signedByte(v(8)));
    dive.setAutozero(v(9));
    dive.setWater(v(10));

    if (mode == Dive::FREE_DIVE_MODE) {
        try {
            decodeSession(dive, p, recordNumber);
        } catch (const RuntimeError& e) {
            // A time or alarm value too large for its field is the session's own damage: its count
            // still says where the next record starts.
            if (e.number() != RuntimeError::Overflow)
                throw;
            throw DamagedRecord(e, RecordFields::toPosition(p + recordValues(mode, c), decodeSource));
        }
    } else {
        dive.setVRis(v(11));
        dive.setAltitude(v(12));
        dive.setPersonalFactor(v(13));
        dive.setAscentMode(v(14));
        dive.setBuzzer(v(15));
        dive.setStop(v(16));
        dive.setAscent(v(17));
        dive.setDecoStop(v(18));
        dive.setViolationStop(v(19));
        dive.setDeco(v(20));
        dive.setNitroxMixture(v(21));
        dive.setPPO2(float(v(22) / 10.0));
        dive.setStartCNS(float(v(23)));
        dive.setMaxCNS(float(v(24)));
        dive.setDepthMeanPrec(float(v(25)));
        dive.setDepthMean(float(v(26)));
        dive.setDiveDays(v(27));
        // Both deep stops in one value: the first in the low four bits, the second above them.
        const qint32 packed = v(28);
        const qint32 low = packed & 15;
        dive.setDeepStop1(float(low));
        dive.setDeepStop2(float((packed - low) / 16));

        QVariantList tissues;
        for (qint32 j = 0; j <= 9; ++j)
            tissues.append(v(29 + j) / TISSUE_DIVISOR);
        dive.setStartTissue(tissues);

        for (qint32 k = 0; k < c; ++k) {
            const qint64 s = SCUBA_HEADER + 4 * qint64(k);
            dive.addSample(float(v(s)), v(s + 1), v(s + 2), v(s + 3));
        }
        dive.setDiveTime(c / double(Dive::SAMPLES_PER_MINUTE));
    }
    return RecordFields::toPosition(p + recordValues(mode, c), decodeSource);
}

void DownloadKOBI::decodeSession(Dive& dive, qint16 p, qint32 recordNumber) {
    auto v = [&](qint64 offset) {
        return RecordFields::at(recordBuffer, RecordFields::toPosition(p + offset, decodeSource), decodeSource);
    };
    auto session = std::make_shared<diveFreeInfo>();
    session->setSessionTime(seconds(v(11), v(12)));
    session->setSurfTimeAlarm(num::toInt16(v(13)));
    session->setSurfTimeAlarmValue(seconds(v(14), v(15)));
    session->setMaxDepthAlarm(num::toInt16(v(16)));
    session->setMaxDepthAlarmValue(float(v(17)));
    session->setDiveTimeAlarm(num::toInt16(v(18)));
    session->setDiveTimeAlarmValue(seconds(v(19), v(20)));
    session->setAlDepthAlarm(num::toInt16(v(21)));
    session->setAlDepthValue(float(v(22)));

    const qint16 n = dive.getDiveTime();
    for (qint32 m = 0; m < n; ++m) {
        const qint64 e = SESSION_HEADER + 5 * qint64(m);
        session->addFreeDive(float(v(e)), num::toInt16(v(e + 1)), num::toInt16(v(e + 2)), num::toInt16(v(e + 3)),
                             num::toInt16(v(e + 4)));
    }
    if (recordNumber == infoBuffer[12])
        session->addProfileFree(QList<qint32>(freeProfileBuffer.begin(), freeProfileBuffer.end()));
    dive.setDiveFreeInfo(std::move(session));
}

void DownloadKOBI::setColumns(Recordset& rs, const Dive& dive, qint32 newFileID) {
    rs.setValue(DiveColumns::FILE_ID, newFileID);
    rs.setValue(QStringLiteral("DIVE_MODE"), dive.getDiveMode());
    rs.setValue(DiveColumns::DATETIME, dive.getDateTime());
    rs.setValue(QStringLiteral("DIVE_TIME"), dive.getDiveTime());
    rs.setValue(QStringLiteral("MAX_DEPTH"), single(dive.getMaxDepth()));
    rs.setValue(QStringLiteral("MIN_TEMP"), dive.getMinTemperature());
    rs.setValue(QStringLiteral("WATER_MODE"), dive.getWater());
    rs.setValue(QStringLiteral("AUTOZERO"), dive.getAutozero());

    const std::shared_ptr<diveFreeInfo> session = dive.diveFreeInfo();
    if (dive.getDiveMode() == Dive::FREE_DIVE_MODE) {
        if (!session)
            throw RuntimeError(RuntimeError::ObjectNotSet, QStringLiteral("DownloadKOBI.storeProfiles"),
                               QStringLiteral("Object variable or With block variable not set"));
        rs.setValue(QStringLiteral("AIRTIME_FLAG"), session->sessionTime());
        rs.setValue(QStringLiteral("VOLUME_MEASURE"), session->surfTimeAlarm());
        rs.setValue(QStringLiteral("RESERVE100_FLAG"), session->surfTimeAlarmValue());
        rs.setValue(QStringLiteral("TANK_VOLUME"), session->maxDepthAlarm());
        rs.setValue(QStringLiteral("TANK_PRESSURE"), single(session->maxDepthAlarmValue()));
        rs.setValue(QStringLiteral("START_TANK_PRESSURE"), session->diveTimeAlarm());
        rs.setValue(QStringLiteral("STOP_TANK_PRESSURE"), session->diveTimeAlarmValue());
        rs.setValue(QStringLiteral("RESERVE50"), session->alDepthAlarm());
        rs.setValue(QStringLiteral("RESERVE100"), single(session->alDepthValue()));
        for (const char* column :
             {"DEPTH_M_PREC", "DEPTH_M", "DIVE_DAYS", "DEEP_STOP_1", "DEEP_STOP_2", "TANK_USE", "TSR"})
            rs.setValue(QLatin1String(column), 0);
        rs.setValue(QStringLiteral("SAMPLE"), ProfileText::writeFreeDive(*session));
        return;
    }

    for (const DiveColumns::Number& column : DiveColumns::header())
        rs.setValue(QLatin1String(column.name), DiveColumns::stored(column, dive));
    for (qint16 n = 1; n <= 10; ++n)
        rs.setValue(DiveColumns::tissue(n), single(dive.getStartTissue(n) * 100));
    for (const DiveColumns::Number& column : DiveColumns::rgbm())
        rs.setValue(QLatin1String(column.name), DiveColumns::stored(column, dive));
    // The Kobi's personal factor lives in the column the other models use for TSR; it has no tank.
    rs.setValue(DiveColumns::TSR, dive.getPersonalFactor());
    for (const char* column : {"AIRTIME_FLAG", "VOLUME_MEASURE", "RESERVE100_FLAG", "TANK_VOLUME", "TANK_PRESSURE",
                               "START_TANK_PRESSURE", "STOP_TANK_PRESSURE", "RESERVE50", "RESERVE100", "TANK_USE"})
        rs.setValue(QLatin1String(column), 0);
    rs.setValue(QStringLiteral("SAMPLE"), ProfileText::write(dive, ProfileText::Layout::Scuba));
}
