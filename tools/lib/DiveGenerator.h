#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <array>
#include <memory>
#include <random>

class Database;
class Dive;
class Recordset;

// Synthetic but plausible dives, for benchmarks, device images and for trying the program without a
// dive computer: square-ish multi-level profiles with a descent, a bottom that wanders and rises,
// a slow ascent and a safety stop, sampled every 20 seconds; a tank that empties with depth on the
// air-integrated models; free-dive sessions on the Kobi. The same seed gives the same dives.
class DiveGenerator {
public:
    // What a scuba dive is. Drawn gives a diver's usual mix: mostly no-stop dives on air, some on
    // nitrox, some deeper and longer dives with decompression stops, a few bottom-time (gauge) dives
    // and a few that the device marked with the stop flag, whose faces show no figures.
    enum class ScubaKind { Drawn, Air, Nitrox, Deco, BottomTime, StopFlag };
    struct Generated {
        std::shared_ptr<Dive> dive; // header, samples; a free-dive session's diveFreeInfo
        // TISSUE_1 to TISSUE_11 as stored: the Dive holds start tissues only under the current model.
        std::array<float, 11> tissueColumns{};
        QString location;
    };

    struct Options {
        qint32 dives = 100;
        QList<qint32> models{1, 2, 4, 8, 16, 32};
        qint32 logbooksPerModel = 2;
        qint32 minMinutes = 25; // scuba dive times are drawn from this range
        qint32 maxMinutes = 60;
        double freeDiveShare = 0.25; // of the Kobi's dives, the part that are free-dive sessions
        QDateTime firstStart{QDate(2021, 4, 3), QTime(9, 0)};
    };

    explicit DiveGenerator(quint32 seed = 2004);

    // A scuba dive of the model code (1, 2, 4, 8, 16 or 32) of `minutes` minutes; a deco dive lasts
    // at least DECO_MINUTES, the time its stops need.
    Generated scubaDive(qint32 model, const QDateTime& start, qint32 minutes, ScubaKind kind = ScubaKind::Drawn);
    static constexpr qint32 DECO_MINUTES = 50;
    // A Kobi free-dive session of `freeDives` dives, with or without its depth profile.
    Generated freeDiveSession(const QDateTime& start, qint32 freeDives, bool withProfile);

    // A new FILE row; its FILE_ID.
    static qint32 addLogbook(Database& db, const QString& name, qint32 model, const QDateTime& created);
    // A new DIVE row in the logbook, the columns a download writes; its DIVE_ID. RuntimeError 3022
    // when the logbook already holds a dive of that start.
    static qint32 store(Recordset& diveTable, const Generated& generated, qint32 logbookID);

    // Adds options.dives dives, spread over options.logbooksPerModel new logbooks of each model, in
    // one transaction of the default workspace. Returns the number of dives written.
    qint32 fill(Database& db, const Options& options);

private:
    ScubaKind drawKind();
    double uniform(double low, double high);
    int between(int low, int high);

    std::mt19937 m_random;
};
