#pragma once

// A row of the main window's data control as the logbook tree reads it, made without a database.

#include "DiveDataControl.h"

#include <QDateTime>

inline DiveDataControl::Row treeRow(qint32 diveID, qint32 fileID, const QDateTime& start) {
    DiveDataControl::Row row;
    row.diveID = diveID;
    row.fileID = fileID;
    row.hasFileID = true;
    row.date = start.date();
    row.time = start.time();
    return row;
}
