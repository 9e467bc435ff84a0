#include "DownloadZento.h"

#include "DownloadProgress.h"
#include "InterfaceLibraries.h"
#include "MainModule.h"
#include "Numeric.h"
#include "ProfileText.h"
#include "RecordFields.h"
#include "Recordset.h"
#include "RuntimeError.h"
#include "Seams.h"
#include "Settings.h"

#include <algorithm>

namespace {
const QString decodeSource = QStringLiteral("DownloadZento.storeProfiles");
} // namespace

DownloadZento::DownloadZento() : recordBuffer(CAPACITY + 1, 0) {}

bool DownloadZento::downloadProfiles(DownloadProgress& progressDownload) {
    progressDownload.setMax(101);
    int line = 0;
    qint32 errorNumber = 0;
    QString errorDescription;
    try {
        line = 1;
        bool result = false;
        line = 2;
        Seams::busyPointer().setBusy(true);
        ZentoLibrary& library = InterfaceLibraries::zento();
        line = 3;
        const qint32 version = library.getVersion();
        const qint32 model = Settings::instance().currentDiveComputer();
        line = 4;
        if (model == Dive::dcZento || model == Dive::dcLUMO) {
            if (version < 104) {
                line = 5;
                Seams::message().show(QStringLiteral("Dll Version Error. Must be 104 or greater."),
                                      Msg::OkOnly | Msg::Critical, getString(1005));
                line = 6;
                Seams::busyPointer().setBusy(false);
                return false;
            }
        } else {
            line = 9;
            if (model == Dive::dcZentoRGBM && version < 200) {
                line = 10;
                Seams::message().show(QStringLiteral("Dll Version Error. Must be 200 or greater."),
                                      Msg::OkOnly | Msg::Critical, getString(1005));
                line = 11;
                Seams::busyPointer().setBusy(false);
                return false;
            }
        }
        line = 15;
        const qint32 status = library.getDownloadStatus();
        line = 16;
        if (status == -1) {
            line = 0;
            throw RuntimeError(0, {}, {});
        }

        line = 21;
        const bool confirmed = confirmDeviceReady();
        line = 22;
        if (!confirmed) {
            line = 24;
            Seams::busyPointer().setBusy(false);
            return false;
        }
        line = 28;
        Seams::busyPointer().setBusy(true);

        line = 29;
        const qint32 started = library.startDownload(Settings::instance().comPort());
        line = 30;
        if (started != 1) {
            line = 0;
            throw RuntimeError(0, {}, {});
        }

        for (;;) {
            line = 33;
            if (library.getDownloadStatus() != 1)
                break;
            line = 34;
            progressDownload.setValue(std::clamp(library.getProgress(), 0, 100) + 1);
            line = 35;
            Seams::events().processEvents();
        }

        qint32 fetch = 0;
        if (model == Dive::dcZento || model == Dive::dcLUMO || model == Dive::dcZentoRGBM) {
            line = 38;
            fetch = library.downloadProfile(infoBuffer.data(), 4, recordBuffer.data(), CAPACITY);
        } else if (model == Dive::dcTAVEX || model == Dive::dcLumoAir) {
            line = 40;
            fetch = library.downloadProfile(infoBuffer.data(), 7, recordBuffer.data(), CAPACITY);
        }

        line = 42;
        if (fetch == 1) {
            line = 43;
            showMessage(3035, Msg::Critical, 1005);
        } else if (fetch == 2) {
            line = 45;
            showMessage(3034, Msg::Critical, 1005);
        } else if (fetch == 0) {
            line = 48;
            recordCount = countRecords(recordBuffer, VALUES_PER_SAMPLE, line);
            line = 57;
            result = true;
            if (recordCount == 0)
                showNoDives();
        }
        line = 59;
        Seams::busyPointer().setBusy(false);
        return result;
    } catch (const RuntimeError& e) {
        errorNumber = e.number();
        errorDescription = e.description();
    } catch (const std::exception& e) {
        errorNumber = 51;
        errorDescription = QString::fromLocal8Bit(e.what());
    }

    Seams::message().show(QStringLiteral("[DZ.DP]: line '") + QString::number(line) + QStringLiteral("' - Error n. [") +
                              QString::number(errorNumber) + QStringLiteral("] - ") + errorDescription,
                          Msg::OkOnly, QString());
    Seams::message().show(QStringLiteral("Error accessing serial port. Try to reinstall the SONA program."),
                          Msg::OkOnly | Msg::Critical, getString(1005));
    progressDownload.setValue(1);
    Seams::busyPointer().setBusy(false);
    return false;
}

qint16 DownloadZento::countRecords(const std::vector<qint32>& recordBuffer, qint32 valuesPerSample, int& line) {
    static const QString source = QStringLiteral("DownloadZento.countRecords");
    const qint64 last = qint64(recordBuffer.size()) - 1;
    qint16 count = 0;
    qint64 start = 0;
    for (;;) {
        line = 52;
        // A header starting with 0 ends the list; when it is the first, the device holds no dives.
        if (RecordFields::at(recordBuffer, start, source) == 0)
            return count;
        line = 49;
        // A header cut off by the end of the array is a transfer that did not fit.
        const qint32 samples = RecordFields::at(recordBuffer, start + HEADER_VALUES - 1, source);
        if (samples < 0)
            throw RuntimeError(RuntimeError::SubscriptOutOfRange, source,
                               QStringLiteral("Sample count below 0: the records are damaged"));
        line = 50;
        count = RecordFields::toPosition(qint64(count) + 1, source);
        line = 51;
        const qint64 next = start + HEADER_VALUES + qint64(valuesPerSample) * samples;
        RecordFields::toPosition(next + HEADER_VALUES - 1, source);
        // Records that reach the end of the array leave no room for the end marker: cut off.
        if (next > last)
            throw RuntimeError::subscript(source);
        start = next;
        line = 56;
    }
}

std::vector<Dive> DownloadZento::decodeProfiles(qint16 nDives, DownloadProgress& progressDownload) {
    Settings& settings = Settings::instance();
    std::vector<Dive> dives;
    dives.reserve(size_t(std::max<qint16>(nDives, 0)));
    qint16 p = 0;
    auto h = [&](qint32 n) { return RecordFields::at(recordBuffer, qint64(p) + n, decodeSource); };
    for (qint32 k = 0; k < nDives; ++k) {
        Dive dive;
        dive.setDiveComputer(settings.currentDiveComputer());
        dive.setDateTime(RecordFields::dateTime(h(0), h(1), h(2), h(3), h(4), decodeSource));
        dive.setDiveTime(h(5) / 3.0);
        dive.setMaxDepth(float(h(6) / 10.0));
        dive.setMinTemperature(RecordFields::signedByte(h(7)));
        if (settings.isCurrentDiveComputerRGBM())
            dive.setAutozero(h(8));
        dive.setWater(h(9));
        dive.setAscentMode(h(10));
        dive.setBuzzer(h(11));
        dive.setStop(h(12));
        dive.setAltitude(h(14));
        if (settings.isCurrentDiveComputerRGBM()) {
            dive.setDepthMeanPrec(float(h(17)));
            dive.setDepthMean(float(h(18)));
            dive.setDiveDays(h(19));
            dive.setTSR(float(h(20)));
        }
        dive.setDiveMode(h(21));
        dive.setVRis(h(22));
        dive.setDeco(h(23));
        dive.setViolationStop(h(24));
        dive.setAscent(h(25));
        dive.setDecoStop(h(26));
        dive.setNitroxMixture(h(28));
        dive.setPPO2(float(h(29) / 10.0));
        dive.setStartCNS(float(h(30)));
        dive.setMaxCNS(float(h(31)));
        if (settings.isCurrentDiveComputerRGBM())
            dive.setDeepStop1(float(h(39)));

        const qint32 model = settings.currentDiveComputer();
        if (model == Dive::dcZento || model == Dive::dcLUMO) {
            QVariantList tissues;
            for (qint32 i = 0; i <= 10; ++i)
                tissues.append(h(40 + i) / 5000.0 * 33);
            dive.setStartTissue(tissues);
        } else if (settings.isCurrentDiveComputerRGBM()) {
            QVariantList tissues;
            for (qint32 i = 0; i <= 9; ++i)
                tissues.append(h(40 + i) / 5000.0);
            dive.setStartTissue(tissues);
            const qint64 packed = qint64(h(50)) - 256 * qint64(h(39));
            dive.setDeepStop2(float(num::toInt32(double(packed))));
        }

        const qint32 c = h(51);
        if (c < 0)
            throw RuntimeError(RuntimeError::SubscriptOutOfRange, decodeSource,
                               QStringLiteral("Sample count below 0: the records are damaged"));
        for (qint32 l = 1; l <= c; ++l) {
            const qint32 s = 52 + VALUES_PER_SAMPLE * (l - 1);
            dive.addSample(float(h(s)), h(s + 1), h(s + 2), h(s + 3));
        }
        p = RecordFields::toPosition(qint64(p) + qint64(VALUES_PER_SAMPLE) * c + HEADER_VALUES, decodeSource);
        dives.push_back(std::move(dive));
        step(progressDownload);
    }
    return dives;
}

void DownloadZento::setColumns(Recordset& rs, const Dive& dive, qint32 newFileID) {
    Settings& settings = Settings::instance();
    rs.setValue(QStringLiteral("FILE_ID"), newFileID);
    rs.setValue(QStringLiteral("DATETIME"), dive.getDateTime());
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
    const qint32 model = settings.currentDiveComputer();
    if (model == Dive::dcZento || model == Dive::dcLUMO) {
        for (qint16 n = 1; n <= 11; ++n)
            rs.setValue(QStringLiteral("TISSUE_%1").arg(n), single(dive.getStartTissue(n)));
    } else if (settings.isCurrentDiveComputerRGBM()) {
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
        rs.setValue(QStringLiteral("TANK_PRESSURE"), single(dive.getTankPressure()));
        rs.setValue(QStringLiteral("TANK_USE"), single(dive.getTankUse()));
        rs.setValue(QStringLiteral("START_TANK_PRESSURE"), single(dive.getStartTankPressure()));
        rs.setValue(QStringLiteral("STOP_TANK_PRESSURE"), single(dive.getStopTankPressure()));
        rs.setValue(QStringLiteral("RESERVE50"), single(dive.getReserve50()));
        rs.setValue(QStringLiteral("RESERVE100"), single(dive.getReserve100()));
    }
    rs.setValue(QStringLiteral("SAMPLE"), ProfileText::write(dive, ProfileText::Layout::Scuba));
}
