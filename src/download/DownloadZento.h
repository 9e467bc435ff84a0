#pragma once

#include "DownloadDriver.h"

#include <QVariant>
#include <array>

class ZentoLibrary;

// The driver of model codes 1, 2 and 4 on the Zento library: dives of a 52-value header and
// samples of 4 values, back to back in a fixed array.
class DownloadZento : public DownloadDriver {
public:
    // The record array's highest index, as the library is told it.
    static constexpr qint32 CAPACITY = 30000;
    static constexpr qint32 HEADER_VALUES = 52;
    static constexpr qint32 VALUES_PER_SAMPLE = 4;

    DownloadZento();

    qint16 getDiveImm() const override { return recordCount; }
    bool downloadProfiles(DownloadProgress& progressDownload) override;
    // Never called; kept with the driver's interface.
    QVariant loadProfiles() { return {}; }
    void saveProfiles() {}

    std::vector<Dive> decodeProfiles(qint16 nDives, DownloadProgress& progressDownload) override;

    // Counts the dives of a fixed record array: headers of 52 values whose value 51 is the sample
    // count, samples of `valuesPerSample` values, ended by a header whose first value is 0.
    // RuntimeError for records that run past the array or hold a negative sample count; `line`
    // follows the walk for the diagnostic.
    static qint16 countRecords(const std::vector<qint32>& recordBuffer, qint32 valuesPerSample, int& line);

protected:
    void setColumns(Recordset& rs, const Dive& dive, qint32 newFileID) override;

private:
    std::array<qint32, 7> infoBuffer{};
    std::vector<qint32> recordBuffer;
    qint16 recordCount = 0;
};
