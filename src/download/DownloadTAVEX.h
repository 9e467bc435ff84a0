#pragma once

#include "DownloadDriver.h"

#include <QVariant>
#include <array>

// The driver of model codes 8 and 16 on the B330 library: dives of a 52-value header with the
// tank data and samples of 5 values (the fifth the tank pressure), back to back in a fixed array.
class DownloadTAVEX : public DownloadDriver {
public:
    // The record array's highest index, as the library is told it.
    static constexpr qint32 CAPACITY = 30000;
    static constexpr qint32 HEADER_VALUES = 52;
    // A tank pressure the device writes when it has none.
    static constexpr qint32 NO_TANK_PRESSURE = 65535;

    DownloadTAVEX();

    qint16 getDiveImm() const override { return recordCount; }
    bool downloadProfiles(DownloadProgress& progressDownload) override;
    // Never called; kept with the driver's interface.
    QVariant loadProfiles() { return {}; }
    void saveProfiles() {}

    std::vector<Dive> decodeProfiles(qint16 nDives, DownloadProgress& progressDownload) override;

protected:
    void setColumns(Recordset& rs, const Dive& dive, qint32 newFileID) override;

private:
    std::array<qint32, 7> infoBuffer{};
    std::vector<qint32> recordBuffer;
    qint16 recordCount = 0;
    qint16 valuesPerSample = 5;
};
