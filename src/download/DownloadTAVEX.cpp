#include "DownloadTAVEX.h"

#include "DownloadProgress.h"
#include "DownloadZento.h"
#include "InterfaceLibraries.h"
#include "MainModule.h"
#include "ProfileText.h"
#include "RecordFields.h"
#include "Recordset.h"
#include "RuntimeError.h"
#include "Seams.h"
#include "Settings.h"

#include <algorithm>

namespace {
const QString decodeSource = QStringLiteral("DownloadTAVEX.storeProfiles");
} // namespace

DownloadTAVEX::DownloadTAVEX() : recordBuffer(CAPACITY + 1, 0) {}

bool DownloadTAVEX::downloadProfiles(DownloadProgress& progressDownload) {
    progressDownload.setMax(101);
    try {
        bool result = false;
        Seams::busyPointer().setBusy(true);
        valuesPerSample = 5;
        B330Library& library = InterfaceLibraries::b330();
        library.getVersion();
        if (library.getDownloadStatus() == -1)
            throw RuntimeError(0, {}, {});

        if (!confirmDeviceReady()) {
            Seams::busyPointer().setBusy(false);
            return false;
        }
        Seams::busyPointer().setBusy(true);

        if (library.startDownload(Settings::instance().comPort()) != 1)
            throw RuntimeError(0, {}, {});
        while (library.getDownloadStatus() == 1) {
            progressDownload.setValue(std::clamp(library.getProgress(), 0, 100) + 1);
            Seams::events().processEvents();
        }

        const qint32 model = Settings::instance().currentDiveComputer();
        qint32 fetch = 0;
        if (model == Dive::dcZento || model == Dive::dcLUMO || model == Dive::dcZentoRGBM)
            fetch = library.downloadProfile(infoBuffer.data(), 4, recordBuffer.data(), CAPACITY);
        else if (model == Dive::dcTAVEX || model == Dive::dcLumoAir)
            fetch = library.downloadProfile(infoBuffer.data(), 7, recordBuffer.data(), CAPACITY);

        if (fetch == 1) {
            showMessage(3035, Msg::Critical, 1005);
        } else if (fetch == 2) {
            showMessage(3034, Msg::Critical, 1005);
        } else if (fetch == 0) {
            int line = 0;
            recordCount = DownloadZento::countRecords(recordBuffer, valuesPerSample, line);
            result = true;
            if (recordCount == 0)
                showNoDives();
        }
        Seams::busyPointer().setBusy(false);
        return result;
    } catch (const std::exception&) {
        // The box below is the whole report of this driver.
    }
    Seams::message().show(QStringLiteral("Error accessing serial port. Try to reinstall the SONA program."),
                          Msg::OkOnly | Msg::Critical, getString(1005));
    progressDownload.setValue(1);
    Seams::busyPointer().setBusy(false);
    return false;
}

std::vector<Dive> DownloadTAVEX::decodeProfiles(qint16 nDives, DownloadProgress& progressDownload) {
    Settings& settings = Settings::instance();
    std::vector<Dive> dives;
    dives.reserve(size_t(std::max<qint16>(nDives, 0)));
    qint16 p = 0;
    auto h = [&](qint64 n) { return RecordFields::at(recordBuffer, qint64(p) + n, decodeSource); };
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
        if (settings.isCurrentDiveComputerAir())
            dive.setAirTime(h(13));
        dive.setAltitude(h(14));
        if (settings.isCurrentDiveComputerAir()) {
            dive.setVolumeMeasure(h(15));
            dive.setReserve100Flag(h(16));
        }
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
        if (settings.isCurrentDiveComputerAir()) {
            dive.setTankVolume(float(h(32)));
            dive.setTankPressure(float(h(33)));
            dive.setTankUse(float(h(34)));
            dive.setStartTankPressure(float(h(35)));
            dive.setStopTankPressure(float(h(36)));
            dive.setReserve50(float(h(37)));
            dive.setReserve100(float(h(38)));
        }
        if (settings.isCurrentDiveComputerRGBM())
            dive.setDeepStop1(float(h(39)));

        QVariantList tissues;
        for (qint32 i = 0; i <= 9; ++i)
            tissues.append(h(40 + i) / 5000.0);
        dive.setStartTissue(tissues);
        dive.setDeepStop2(float(h(50)));

        const qint32 n = h(51);
        if (n < 0)
            throw RuntimeError(RuntimeError::SubscriptOutOfRange, decodeSource,
                               QStringLiteral("Sample count below 0: the records are damaged"));
        const qint16 samples = RecordFields::toPosition(n, decodeSource);
        for (qint32 j = 1; j <= samples; ++j) {
            const qint64 s = HEADER_VALUES + qint64(valuesPerSample) * (j - 1);
            dive.addSample(float(h(s)), h(s + 1), h(s + 2), h(s + 3), h(s + 4));
        }
        p = RecordFields::toPosition(qint64(p) + qint64(valuesPerSample) * n + HEADER_VALUES, decodeSource);
        dives.push_back(std::move(dive));
        step(progressDownload);
    }
    return dives;
}

void DownloadTAVEX::setColumns(Recordset& rs, const Dive& dive, qint32 newFileID) {
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
    // The device's mark for "no reading" is not a pressure.
    const float tankPressure = dive.getTankPressure();
    rs.setValue(QStringLiteral("TANK_PRESSURE"), tankPressure == float(NO_TANK_PRESSURE) ? 0.0 : single(tankPressure));
    rs.setValue(QStringLiteral("TANK_USE"), single(dive.getTankUse()));
    rs.setValue(QStringLiteral("START_TANK_PRESSURE"), single(dive.getStartTankPressure()));
    rs.setValue(QStringLiteral("STOP_TANK_PRESSURE"), single(dive.getStopTankPressure()));
    rs.setValue(QStringLiteral("RESERVE50"), single(dive.getReserve50()));
    rs.setValue(QStringLiteral("RESERVE100"), single(dive.getReserve100()));
    rs.setValue(QStringLiteral("SAMPLE"), ProfileText::write(dive, ProfileText::Layout::Air));
}
