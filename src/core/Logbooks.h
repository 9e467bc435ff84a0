#pragma once

#include <QList>
#include <QString>

// Logbooks as the dialogs that pick one create and delete them: a new one of the current model
// code, and the deletion of one. Each write goes to the default workspace, inside the transaction
// it runs, if any.
namespace Logbooks {

constexpr int MAX_NAME_LENGTH = 20;

enum class NameCheck {
    Accepted,
    Empty,        // nothing but blanks: the user gave up
    TooLong,      // more than 20 characters once trimmed
    InvalidChars, // % & ' *
    Exists,       // a logbook of the current model code has it, in any letter case
};

// The name as typed: only the emptiness and the length ignore the blanks around it.
NameCheck checkName(const QString& name);

// Writes the FILE row and returns its FILE_ID. RuntimeError when the database refuses it.
qint32 create(const QString& name);

// The dives the logbook holds.
qint32 diveCount(qint32 fileID);

// Deletes the logbook's FILE row. The schema would take the logbook's dives with it, so the caller
// first makes sure it holds none.
void remove(qint32 fileID);

// The keys (DIVE_ID) of the dives whose FILE_ID names no logbook, in key order: no tree shows them.
QList<qint32> divesWithoutLogbook();

// Tells the user of such dives, if there are any: how many and their keys. Nothing is repaired or
// deleted. RuntimeError when the database cannot be read.
void reportDivesWithoutLogbook();

} // namespace Logbooks
