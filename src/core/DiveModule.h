#pragma once

#include <QList>
#include <QString>
#include <QVariantList>
#include <memory>

class Dive;

using DiveList = QList<std::shared_ptr<Dive>>;

// The only routines that turn DIVE rows into Dive objects, and the two checks of logbook names.
// Each opens Settings::databaseName itself. Engine and conversion errors go to the caller as
// RuntimeError; a dive whose profile text is damaged is the exception: it loads with the samples
// read before the damage, and the damage is shown once (see loadDives).
namespace DiveModule {

// The dive with that key, or nullptr after a message when there is none (or more than one).
std::shared_ptr<Dive> loadDive(qint32 diveID, bool withInfo);

// The dives of a logbook, newest first; `filter` (a dive filter statement, may be empty) restricts
// them by its condition part.
DiveList loadLogbookDives(qint32 logbookID, bool withInfo, const QString& filter);

// The dives of the dive's logbook and model that started in the 24 hours before its start minute,
// newest first.
DiveList loadPreviousDives(const Dive& dive, bool withInfo);

// The newest of loadPreviousDives, or nullptr when there is none.
std::shared_ptr<Dive> getPreviousDive(const Dive& dive, bool withInfo);

// One Dive per row of a statement on DIVE joined with FILE, in row order, with "?" placeholders
// bound to `params`. Under the current model code, as the profile layout and the columns read
// depend on it.
DiveList loadDives(const QString& statement, bool withInfo, const QVariantList& params = {});

// Whether a logbook of the current model code already has this name, whatever the letter case.
bool logbookExists(const QString& name);

// Whether the name holds one of the characters the logbook dialogs refuse: % & ' *
bool hasInvalidChars(const QString& name);

} // namespace DiveModule
