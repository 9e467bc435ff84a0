#include "DownloadZento.h"

#include "DiveColumns.h"
#include "InterfaceLibraries.h"
#include "MainModule.h"
#include "Numeric.h"
#include "ProfileText.h"
#include "Recordset.h"
#include "Seams.h"
#include "Settings.h"

DownloadZento::DownloadZento() : FixedArrayDriver(QStringLiteral("DownloadZento.storeProfiles")) {}

bool DownloadZento::downloadProfiles(DownloadProgress& progressDownload) {
    return transfer(InterfaceLibraries::zento, VALUES_PER_SAMPLE, progressDownload);
}

bool DownloadZento::refusesVersion(qint32 version, qint32 model, int& line) {
    line = 4;
    if (ModelCodes::hasElevenTissues(model)) {
        if (version < 104) {
            line = 5;
            Seams::message().show(QStringLiteral("Dll Version Error. Must be 104 or greater."),
                                  Msg::OkOnly | Msg::Critical, getString(1005));
            line = 6;
            return true;
        }
    } else {
        line = 9;
        if (ModelCodes::model(model) == ModelCode::dcZentoRGBM && version < 200) {
            line = 10;
            Seams::message().show(QStringLiteral("Dll Version Error. Must be 200 or greater."),
                                  Msg::OkOnly | Msg::Critical, getString(1005));
            line = 11;
            return true;
        }
    }
    return false;
}

void DownloadZento::showDiagnostic(int line, qint32 number, const QString& description) {
    Seams::message().show(QStringLiteral("[DZ.DP]: line '") + QString::number(line) + QStringLiteral("' - Error n. [") +
                              QString::number(number) + QStringLiteral("] - ") + description,
                          Msg::OkOnly, QString());
}

qint16 DownloadZento::decodeRecord(Dive& dive, qint16 p, qint32) {
    Settings& settings = Settings::instance();
    auto h = [&](qint64 n) { return value(p, n); };
    decodeHeader(dive, p);

    if (ModelCodes::hasElevenTissues(settings.currentDiveComputer())) {
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

    const qint32 c = sampleCount(p);
    for (qint32 l = 1; l <= c; ++l) {
        const qint64 s = HEADER_VALUES + VALUES_PER_SAMPLE * qint64(l - 1);
        dive.addSample(float(h(s)), h(s + 1), h(s + 2), h(s + 3));
    }
    return nextPosition(p, VALUES_PER_SAMPLE, c);
}

void DownloadZento::setColumns(Recordset& rs, const Dive& dive, qint32 newFileID) {
    Settings& settings = Settings::instance();
    setCommonColumns(rs, dive, newFileID);
    if (ModelCodes::hasElevenTissues(settings.currentDiveComputer())) {
        for (qint16 n = 1; n <= 11; ++n)
            rs.setValue(DiveColumns::tissue(n), single(dive.getStartTissue(n)));
    } else if (settings.isCurrentDiveComputerRGBM()) {
        setRgbmColumns(rs, dive, single(dive.getTankPressure()));
    }
    rs.setValue(DiveColumns::SAMPLE, ProfileText::write(dive, ProfileText::Layout::Scuba));
}
