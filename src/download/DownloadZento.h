#pragma once

#include "FixedArrayDriver.h"

// The driver of model codes 1, 2 and 4 on the Zento library: dives of a 52-value header and
// samples of 4 values, back to back in a fixed array.
class DownloadZento : public FixedArrayDriver {
public:
    static constexpr qint32 VALUES_PER_SAMPLE = 4;

    DownloadZento();

    bool downloadProfiles(DownloadProgress& progressDownload) override;

protected:
    bool refusesVersion(qint32 version, qint32 model, int& line) override;
    void showDiagnostic(int line, qint32 number, const QString& description) override;
    qint16 decodeRecord(Dive& dive, qint16 p, qint32 recordNumber) override;
    void setColumns(Recordset& rs, const Dive& dive, qint32 newFileID) override;
};
