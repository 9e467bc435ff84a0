#include "RecordFields.h"

#include "Numeric.h"
#include "RuntimeError.h"
#include "SqlDates.h"

namespace RecordFields {

qint32 at(const std::vector<qint32>& buffer, qint64 index, const QString& source) {
    if (index < 0 || index >= qint64(buffer.size()))
        throw RuntimeError::subscript(source);
    return buffer[size_t(index)];
}

qint16 toPosition(qint64 value, const QString& source) {
    if (value < -32768 || value > 32767)
        throw RuntimeError::overflow(source);
    return qint16(value);
}

QDateTime dateTime(qint32 year, qint32 month, qint32 day, qint32 hour, qint32 minute, const QString& source) {
    qint32 y = toPosition(year, source);
    const qint32 m = toPosition(month, source);
    const qint32 d = toPosition(day, source);
    if (y >= 0 && y <= 29)
        y += 2000;
    else if (y >= 30 && y <= 99)
        y += 1900;
    // Months and days beyond their range run on through the calendar.
    const qint64 months = qint64(y) * 12 + (m - 1);
    const qint64 carriedYear = months >= 0 ? months / 12 : (months - 11) / 12;
    const qint32 carriedMonth = qint32(months - carriedYear * 12) + 1;
    QDate date;
    if (carriedYear >= 100 && carriedYear <= 9999)
        date = QDate(qint32(carriedYear), carriedMonth, 1).addDays(d - 1);
    if (!date.isValid() || date.year() < 100 || date.year() > 9999)
        throw RuntimeError(RuntimeError::InvalidProcedureCall, source,
                           QStringLiteral("Invalid procedure call or argument"));
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59)
        throw RuntimeError::typeMismatch(source);
    return SqlDates::wallClock(date, QTime(hour, minute));
}

} // namespace RecordFields
