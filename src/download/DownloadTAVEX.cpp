#include "DownloadTAVEX.h"

#include "InterfaceLibraries.h"
#include "ProfileText.h"
#include "RecordFields.h"
#include "Recordset.h"

namespace {
const QString decodeSource = QStringLiteral("DownloadTAVEX.storeProfiles");
} // namespace

DownloadTAVEX::DownloadTAVEX() : FixedArrayDriver(decodeSource) {}

bool DownloadTAVEX::downloadProfiles(DownloadProgress& progressDownload) {
    valuesPerSample = 5;
    return transfer(InterfaceLibraries::b330, valuesPerSample, progressDownload);
}

qint16 DownloadTAVEX::decodeRecord(Dive& dive, qint16 p, qint32) {
    auto h = [&](qint64 n) { return value(p, n); };
    decodeHeader(dive, p);

    QVariantList tissues;
    for (qint32 i = 0; i <= 9; ++i)
        tissues.append(h(40 + i) / 5000.0);
    dive.setStartTissue(tissues);
    dive.setDeepStop2(float(h(50)));

    const qint32 n = sampleCount(p);
    const qint16 samples = RecordFields::toPosition(n, decodeSource);
    for (qint32 j = 1; j <= samples; ++j) {
        const qint64 s = HEADER_VALUES + qint64(valuesPerSample) * (j - 1);
        dive.addSample(float(h(s)), h(s + 1), h(s + 2), h(s + 3), h(s + 4));
    }
    return nextPosition(p, valuesPerSample, n);
}

void DownloadTAVEX::setColumns(Recordset& rs, const Dive& dive, qint32 newFileID) {
    setCommonColumns(rs, dive, newFileID);
    // The device's mark for "no reading" is not a pressure.
    const float tankPressure = dive.getTankPressure();
    setRgbmColumns(rs, dive, tankPressure == float(NO_TANK_PRESSURE) ? 0.0 : single(tankPressure));
    rs.setValue(QStringLiteral("SAMPLE"), ProfileText::write(dive, ProfileText::Layout::Air));
}
