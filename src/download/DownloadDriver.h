#pragma once

#include "Dive.h"
#include "RuntimeError.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QtGlobal>
#include <memory>
#include <vector>

class Database;
class DownloadProgress;
class Recordset;

// One transfer from a dive computer through its interface library, and the store of what it
// delivered into a logbook. The download dialog creates a new driver for each download and calls,
// in this order: downloadProfiles; when that is true, getDiveImm; when that is above 0,
// storeProfiles.
class DownloadDriver {
public:
    // What one store step did, for its summary.
    struct StoreCounts {
        qint16 total = 0;
        qint16 withProfile = 0;
        qint16 logged = 0;
        qint16 alreadyPresent = 0;
        // The starts of the dives left out because their own data cannot be written.
        QList<QDateTime> skipped;
    };

    virtual ~DownloadDriver() = default;

    // The driver of a model code: 1, 2, 4 DownloadZento; 8, 16 DownloadTAVEX; 32 DownloadKOBI;
    // none for any other code.
    static std::unique_ptr<DownloadDriver> create(qint32 modelCode);

    // Runs one transfer on Settings.comPort after the user has confirmed that the device is ready,
    // moving the bar (maximum 101) meanwhile, and counts the records delivered. True when records
    // were delivered and counted; a device that holds none has then already been reported, and
    // getDiveImm is 0. Every refusal and failure is reported to the user before false.
    virtual bool downloadProfiles(DownloadProgress& progressDownload) = 0;
    // The number of records of the last transfer.
    virtual qint16 getDiveImm() const = 0;

    // Decodes the first nDives records of the last transfer and appends one DIVE row per dive to
    // logbook newFileID through db, opened in the download dialog's transaction; a dive whose start
    // the logbook already holds is counted as already there, one whose data cannot be written is left
    // out and named in the summary. Returns true, the summary kept for showSummary once the dives are
    // committed; or, after any failure, shows the storing error report, leaves the database as it was
    // before the call and returns false. Closes db in every case. Never throws.
    bool storeProfiles(Database& db, qint32 newFileID, qint16 nDives, DownloadProgress& progressDownload);
    // The summary of the last store step, shown when its dives are committed.
    void showSummary() const;

    // The store step's first pass: one dive per record, in download order, moving the bar by one
    // and letting pending events run after each. A damaged record is left out (see leftOut);
    // RuntimeError for a record that cannot be decoded otherwise.
    std::vector<Dive> decodeProfiles(qint16 nDives, DownloadProgress& progressDownload);
    // The starts of the records the last decoding pass left out, their own values being damaged.
    const QList<QDateTime>& leftOut() const { return m_leftOut; }
    // The store step's second pass: one row per dive through one recordset on DIVE, moving the bar
    // by one and letting pending events run after each. RuntimeError for any failure but the
    // refusal of a duplicate start and a dive that cannot be written; the rows written so far are
    // then left to the caller.
    StoreCounts appendDives(Database& db, qint32 newFileID, const std::vector<Dive>& dives,
                            DownloadProgress& progressDownload);

    // The summary's text: string 3026, then the four counts, one line each.
    static QString summaryText(const StoreCounts& counts);
    // The storing error report's text for a failure.
    static QString storingErrorText(qint32 number, const QString& description);

protected:
    // Raised by decodeRecord for a record whose own values cannot be held (an overflow): that
    // record alone is left out and named in the summary; the next one starts at `next`.
    class DamagedRecord : public RuntimeError {
    public:
        DamagedRecord(const RuntimeError& cause, qint16 nextRecord) : RuntimeError(cause), next(nextRecord) {}
        qint16 next;
    };

    // Decodes the record that starts at position p, the recordNumber-th of the transfer (from 1),
    // into a dive that holds the current model code; returns where the next record starts.
    virtual qint16 decodeRecord(Dive& dive, qint16 p, qint32 recordNumber) = 0;
    // The columns of one new DIVE row, SAMPLE last.
    virtual void setColumns(Recordset& rs, const Dive& dive, qint32 newFileID) = 0;

    // Asks the user to confirm that the device is ready: true for OK.
    static bool confirmDeviceReady();
    // A box from the string table: text id, icon flags, title id.
    static void showMessage(qint32 textId, int icon, qint32 titleId);
    // The summary of a device that holds no dives.
    static void showNoDives();
    // Moves the bar by one and lets pending events run.
    static void step(DownloadProgress& progressDownload);
    // Whether a failure to write one dive is that dive's own (its data), not the logbook's or the file's.
    static bool isDiveOwnFault(qint32 number);
    // A single value as its column receives it: exactly, not rounded to the digits it shows with.
    static double single(float value);

private:
    StoreCounts m_counts;
    QList<QDateTime> m_leftOut;
};
