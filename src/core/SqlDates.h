#pragma once

#include <QDateTime>
#include <QString>
#include <QVariant>

// Date-times in the logbook database. Rows hold them as text "yyyy-MM-dd HH:mm:ss", which sorts and
// compares chronologically; statement texts keep the "#mm/dd/yyyy hh:mm#" literals that the filter
// and the queries are written with, and the database layer turns those into the stored form.
namespace SqlDates {

// The stored form of a date-time; a null QVariant (NULL) for an invalid one. Every write of a
// date-time goes through here.
QVariant toStored(const QDateTime& dateTime);
// The date-time of a stored value, as wallClock gives it; an invalid QDateTime for NULL or a text of
// another form.
QDateTime fromStored(const QVariant& value);

// A dive's start as the device's clock showed it. Held without a time zone (as UTC, which has no
// gaps nor repeats): 02:30 on the night the clocks go forward is a start like any other, and no
// reading or writing moves it.
QDateTime wallClock(const QDate& date, const QTime& time);

// A date-time written as a statement literal to the minute, "#03/14/2004 09:05#" whatever the
// locale; "NULL" for an invalid one.
QString toLiteral(const QDateTime& dateTime);

// The statement with every "#mm/dd/yyyy hh:mm#" literal (also "#mm/dd/yyyy#" and with seconds)
// replaced by the quoted stored form. Quoted texts are left alone; a "#...#" that is not a valid
// date is left as it stands, so the engine refuses the statement.
QString rewriteDateLiterals(const QString& statement);

} // namespace SqlDates
