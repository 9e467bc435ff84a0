#pragma once

#include "StatsDive.h"

#include <QStringView>
#include <vector>

class Database;

// The dives in scope, read once: one statement, each row copied into a StatsDive, nothing held
// open afterwards. Every page is then computed from these rows.
class StatsQuery {
public:
    // The dives of the scope (see StatsScope::statement). Only the columns the statistics count are
    // read, and the profile texts only when `airIntegrated` (the consumption figures); a column the
    // logbook's schema does not have (an older file) reads as NULL. The engine's errors go to the
    // caller as RuntimeError.
    static std::vector<StatsDive> read(const Database& db, qint16 statsMode, qint32 logbookID, qint32 model,
                                       bool airIntegrated);

    // The consumption figures of an air-integrated profile text: 20-character samples whose fifth
    // four-character field (misc) holds, in samples 2, 5, 8 and so on, the tank consumption. A partial
    // sample at the end is ignored. A field that is not a number makes the whole text damaged: the
    // dive keeps its other figures and none of its samples is counted.
    static void readConsumption(QStringView sample, StatsDive& dive);
};
