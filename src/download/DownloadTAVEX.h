#pragma once

#include "FixedArrayDriver.h"

// The driver of model codes 8 and 16 on the B330 library: dives of a 52-value header with the
// tank data and samples of 5 values (the fifth the tank pressure), back to back in a fixed array.
class DownloadTAVEX : public FixedArrayDriver {
public:
    // A tank pressure the device writes when it has none.
    static constexpr qint32 NO_TANK_PRESSURE = 65535;

    DownloadTAVEX();

    bool downloadProfiles(DownloadProgress& progressDownload) override;

protected:
    qint16 decodeRecord(Dive& dive, qint16 p, qint32 recordNumber) override;
    void setColumns(Recordset& rs, const Dive& dive, qint32 newFileID) override;

private:
    qint16 valuesPerSample = 5;
};
