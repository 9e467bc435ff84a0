#pragma once

#include <QDateTime>
#include <QString>

class Dive;

// Writes a simulated dive into a logbook as one new DIVE row marked IS_SIMUL, in one transaction
// of the default workspace with every value bound.
//
//     const SimulatedDiveStore::Saved saved = SimulatedDiveStore::save(dive, fileID, Seams::clock().now());
//
// Any failure (the file locked or read-only, the row refused, a second dive of the logbook saved
// in the same second) rolls the transaction back and raises the RuntimeError: nothing of the dive
// is in the logbook then.
namespace SimulatedDiveStore {

struct Saved {
    QString logbookID; // FILE_ID as text
    QString diveID;    // the new DIVE_ID as text
    QString diveLabel; // the stored DATETIME as the user reads it
    QDateTime dateTime;
};

// `now` is the moment of saving, kept to the second: it becomes the dive's DATETIME. The header,
// tissue and deep-stop columns follow the current model code, not the dive's own code.
Saved save(const Dive& dive, qint32 fileID, const QDateTime& now);

// The SAMPLE text the row carries.
QString sampleText(const Dive& dive);

} // namespace SimulatedDiveStore
