#pragma once

#include "DownloadDriver.h"

#include <array>
#include <optional>

class B770Library;
class BusyGuard;

// The driver of model code 32 on the B770 library: scuba dives (39-value header, samples of 4
// values) and free-dive sessions (23-value header, 5 values per free dive) back to back in an array
// sized by the transfer, with the depth profile of one session in an array of its own.
class DownloadKOBI : public DownloadDriver {
public:
    static constexpr qint32 SCUBA_HEADER = 39;
    static constexpr qint32 SESSION_HEADER = 23;
    static constexpr double TISSUE_DIVISOR = 7845.28;

    DownloadKOBI();

    // True while a running transfer may go on: set when the user has started the device, cleared
    // by the download dialog's Cancel, read at the next poll.
    bool bAbortDownload = false;

    qint16 getDiveImm() const override { return recordCount; }
    bool downloadProfiles(DownloadProgress& progressDownload) override;

    // Counts the records of a record array. Trailing zeros are padding, not dives. RuntimeError for
    // a record that runs past the array, a negative count, or a position beyond 16 bits.
    static qint16 countRecords(const std::vector<qint32>& recordBuffer);

protected:
    qint16 decodeRecord(Dive& dive, qint16 p, qint32 recordNumber) override;
    void setColumns(Recordset& rs, const Dive& dive, qint32 newFileID) override;

private:
    // The number of values of a record of this mode whose value 6 is `count`.
    static qint64 recordValues(qint32 mode, qint32 count);
    void decodeSession(Dive& dive, qint16 p, qint32 recordNumber);
    // The transfer proper, on the busy pointer `busy`: its answer, or none when the unit refuses it.
    // `library` and `started` tell the failure report what to stop.
    std::optional<bool> runTransfer(DownloadProgress& progressDownload, BusyGuard& busy, B770Library*& library,
                                    bool& started);

    std::array<qint32, 13> infoBuffer{};
    std::vector<qint32> recordBuffer;
    std::vector<qint32> freeProfileBuffer;
    qint16 recordCount = 0;
};
