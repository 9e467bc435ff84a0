#include "FixedArrayDriver.h"

#include "B330Library.h"
#include "DiveColumns.h"
#include "DiveRow.h"
#include "DownloadProgress.h"
#include "LibraryCodes.h"
#include "MainModule.h"
#include "RecordFields.h"
#include "Recordset.h"
#include "RuntimeError.h"
#include "Seams.h"
#include "Settings.h"
#include "ZentoLibrary.h"

#include <algorithm>

FixedArrayDriver::FixedArrayDriver(const QString& decodeSource)
    : recordBuffer(CAPACITY + 1, 0), m_decodeSource(decodeSource) {}

template <class Library>
bool FixedArrayDriver::transfer(Library& (*library)(), qint32 valuesPerSample, DownloadProgress& progressDownload) {
    progressDownload.setMax(101);
    BusyGuard busy;
    int line = 0;
    // A unit that refuses the transfer fails it without an error of its own.
    ErrorDescription failure{0, {}};
    try {
        if (const std::optional<bool> answer = runTransfer(library, valuesPerSample, progressDownload, busy, line))
            return *answer;
        line = 0;
    } catch (const std::exception& e) {
        failure = describe(e);
    }

    showDiagnostic(line, failure.number.value_or(RuntimeError::InternalError), failure.description);
    Seams::message().show(QStringLiteral("Error accessing serial port. Try to reinstall the SONA program."),
                          Msg::OkOnly | Msg::Critical, getString(1005));
    progressDownload.setValue(1);
    return false;
}

template <class Library>
std::optional<bool> FixedArrayDriver::runTransfer(Library& (*library)(), qint32 valuesPerSample,
                                                  DownloadProgress& progressDownload, BusyGuard& busy, int& line) {
    line = 2;
    Library& lib = library();
    line = 3;
    const qint32 version = lib.getVersion();
    const qint32 model = Settings::instance().currentDiveComputer();
    if (refusesVersion(version, model, line))
        return false;
    line = 15;
    const qint32 status = lib.getDownloadStatus();
    line = 16;
    if (status == LibraryCodes::Unavailable)
        return std::nullopt;

    line = 21;
    const bool confirmed = confirmDeviceReady();
    line = 22;
    if (!confirmed) {
        line = 24;
        return false;
    }
    line = 28;
    busy.renew();

    line = 29;
    const qint32 started = lib.startDownload(Settings::instance().comPort());
    line = 30;
    if (started != LibraryCodes::Done)
        return std::nullopt;

    for (;;) {
        line = 33;
        if (lib.getDownloadStatus() != LibraryCodes::Transferring)
            break;
        line = 34;
        progressDownload.setValue(std::clamp(lib.getProgress(), 0, 100) + 1);
        line = 35;
        Seams::events().processEvents();
    }

    qint32 fetch = LibraryCodes::Delivered;
    if (const std::optional<ModelCode> family = ModelCodes::model(model);
        family == ModelCode::dcZento || family == ModelCode::dcLUMO || family == ModelCode::dcZentoRGBM) {
        line = 38;
        fetch = lib.downloadProfile(infoBuffer.data(), LibraryCodes::ZentoFamily, recordBuffer.data(), CAPACITY);
    } else if (ModelCodes::isAirIntegrated(model)) {
        line = 40;
        fetch = lib.downloadProfile(infoBuffer.data(), LibraryCodes::B330Family, recordBuffer.data(), CAPACITY);
    }

    line = 42;
    bool result = false;
    if (fetch == LibraryCodes::TimeOut) {
        line = 43;
        showMessage(3035, Msg::Critical, 1005);
    } else if (fetch == LibraryCodes::PortError) {
        line = 45;
        showMessage(3034, Msg::Critical, 1005);
    } else if (fetch == LibraryCodes::Delivered) {
        line = 48;
        recordCount = countRecords(recordBuffer, valuesPerSample, line);
        line = 57;
        result = true;
        if (recordCount == 0)
            showNoDives();
    }
    line = 59;
    return result;
}

template bool FixedArrayDriver::transfer(ZentoLibrary& (*)(), qint32, DownloadProgress&);
template bool FixedArrayDriver::transfer(B330Library& (*)(), qint32, DownloadProgress&);

bool FixedArrayDriver::refusesVersion(qint32, qint32, int&) {
    return false;
}

void FixedArrayDriver::showDiagnostic(int, qint32, const QString&) {}

qint16 FixedArrayDriver::countRecords(const std::vector<qint32>& recordBuffer, qint32 valuesPerSample, int& line) {
    static const QString source = QStringLiteral("FixedArrayDriver.countRecords");
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

qint32 FixedArrayDriver::value(qint16 p, qint64 n) const {
    return RecordFields::at(recordBuffer, qint64(p) + n, m_decodeSource);
}

qint32 FixedArrayDriver::sampleCount(qint16 p) const {
    const qint32 count = value(p, HEADER_VALUES - 1);
    if (count < 0)
        throw RuntimeError(RuntimeError::SubscriptOutOfRange, m_decodeSource,
                           QStringLiteral("Sample count below 0: the records are damaged"));
    return count;
}

qint16 FixedArrayDriver::nextPosition(qint16 p, qint32 valuesPerSample, qint32 samples) const {
    return RecordFields::toPosition(qint64(p) + qint64(valuesPerSample) * samples + HEADER_VALUES, m_decodeSource);
}

void FixedArrayDriver::decodeHeader(Dive& dive, qint16 p) const {
    Settings& settings = Settings::instance();
    auto h = [&](qint64 n) { return value(p, n); };
    dive.setDateTime(RecordFields::dateTime(h(0), h(1), h(2), h(3), h(4), m_decodeSource));
    dive.setDiveTime(h(5) / double(Dive::SAMPLES_PER_MINUTE));
    dive.setMaxDepth(float(h(6) / 10.0));
    dive.setMinTemperature(RecordFields::signedByte(h(7)));
    if (settings.isCurrentDiveComputerRGBM())
        dive.setAutozero(h(8));
    dive.setWater(h(9));
    dive.setAscentMode(h(10));
    dive.setBuzzer(h(11));
    dive.setStop(h(12));
    // The air and tank values: only the B330 library's models are air-integrated.
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
}

void FixedArrayDriver::setCommonColumns(Recordset& rs, const Dive& dive, qint32 newFileID) {
    rs.setValue(DiveColumns::FILE_ID, newFileID);
    rs.setValue(DiveColumns::DATETIME, dive.getDateTime());
    DiveRow::setHeaderColumns(rs, dive);
}

void FixedArrayDriver::setRgbmColumns(Recordset& rs, const Dive& dive, double tankPressure) {
    DiveRow::setRgbmColumns(rs, dive, tankPressure);
}
