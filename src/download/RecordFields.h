#pragma once

#include <QDateTime>
#include <QString>
#include <QtGlobal>
#include <vector>

// Reading the libraries' record arrays: every index checked, positions kept in 16 bits as the
// drivers walk them, and the header's date and time put together.
namespace RecordFields {

// The value at `index`; RuntimeError 9 outside the array.
qint32 at(const std::vector<qint32>& buffer, qint64 index, const QString& source);
// A position or count as the drivers keep it; RuntimeError 6 outside 16 bits.
qint16 toPosition(qint64 value, const QString& source);
// A byte that holds a signed value (a temperature): 128 to 255 read as -128 to -1.
inline qint32 signedByte(qint32 value) {
    return value <= 127 ? value : value - 256;
}
// The start of a dive: year, month and day narrowed to 16 bits, a month or day outside its range
// carried into the neighbouring month or year, a year 0 to 29 read as 2000 to 2029 and 30 to 99 as
// 1930 to 1999; hour and minute must form a clock time. RuntimeError 6 for a value beyond 16
// bits, 13 for a time that is not one, 5 for a date outside the years 100 to 9999.
QDateTime dateTime(qint32 year, qint32 month, qint32 day, qint32 hour, qint32 minute, const QString& source);

} // namespace RecordFields
