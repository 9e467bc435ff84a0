#pragma once

#include "DownloadDriver.h"

#include <QVariant>
#include <array>
#include <optional>

class BusyGuard;

// The drivers whose library copies the dives into a fixed array, each a 52-value header followed by
// its samples (Zento and B330). Their transfers, header values and the columns every model writes
// are alike; the version rule, the width of a sample, the start tissues and the profile text are
// each driver's own.
class FixedArrayDriver : public DownloadDriver {
public:
    // The record array's highest index, as the library is told it.
    static constexpr qint32 CAPACITY = 30000;
    static constexpr qint32 HEADER_VALUES = 52;

    qint16 getDiveImm() const override { return recordCount; }
    // Never called; kept with the driver's interface.
    QVariant loadProfiles() { return {}; }
    void saveProfiles() {}

    // Counts the dives of a fixed record array: headers of 52 values whose value 51 is the sample
    // count, samples of `valuesPerSample` values, ended by a header whose first value is 0.
    // RuntimeError for records that run past the array or hold a negative sample count; `line`
    // follows the walk for the diagnostic.
    static qint16 countRecords(const std::vector<qint32>& recordBuffer, qint32 valuesPerSample, int& line);

protected:
    // `decodeSource` names the store step in the errors of the decoding.
    explicit FixedArrayDriver(const QString& decodeSource);

    // downloadProfiles on the library that `library` loads, counting samples of `valuesPerSample`
    // values.
    template <class Library>
    bool transfer(Library& (*library)(), qint32 valuesPerSample, DownloadProgress& progressDownload);
    // The transfer proper, on the busy pointer `busy`: its answer, or none when the unit refuses to
    // take a transfer. `line` follows the steps for the diagnostic.
    template <class Library>
    std::optional<bool> runTransfer(Library& (*library)(), qint32 valuesPerSample, DownloadProgress& progressDownload,
                                    BusyGuard& busy, int& line);
    // True when the library's version refuses the transfer for the current model; the user has then
    // been told. `line` follows the rule for the diagnostic.
    virtual bool refusesVersion(qint32 version, qint32 model, int& line);
    // Shown before the serial-port box when the transfer fails: the step and the error.
    virtual void showDiagnostic(int line, qint32 number, const QString& description);

    // The value at p + n of the record array; RuntimeError 9 outside it.
    qint32 value(qint16 p, qint64 n) const;
    // The sample count of the dive at p; RuntimeError 9 when it is below 0.
    qint32 sampleCount(qint16 p) const;
    // Where the dive after the one at p starts; RuntimeError 6 beyond 16 bits.
    qint16 nextPosition(qint16 p, qint32 valuesPerSample, qint32 samples) const;
    // Header values 0 to 39 of the dive at p: those of the RGBM models and of the air-integrated
    // models only when the current model is one.
    void decodeHeader(Dive& dive, qint16 p) const;

    // FILE_ID to MAX_CNS, written for every model.
    static void setCommonColumns(Recordset& rs, const Dive& dive, qint32 newFileID);
    // The RGBM models' columns from TISSUE_1 to RESERVE100; `tankPressure` as TANK_PRESSURE takes it.
    static void setRgbmColumns(Recordset& rs, const Dive& dive, double tankPressure);

private:
    std::array<qint32, 7> infoBuffer{};
    std::vector<qint32> recordBuffer;
    qint16 recordCount = 0;
    QString m_decodeSource;
};
