#pragma once

#include <QDate>
#include <QDateTime>

// The dates a dive may carry. The pickers accept far more than this, so that a slip of the keyboard
// is reported with a message instead of being silently pulled to the nearest allowed date.

// No dive computer logged a dive before 1900: an earlier year is a typing slip. The upper end is
// the last date a four-digit year can write.
QDate earliestDiveDate();
QDate latestDiveDate();

// True for a valid date-time whose date lies within the two ends, both included.
bool isValidDiveDate(const QDateTime& dateTime);
