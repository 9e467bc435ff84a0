#pragma once

#include <QDateTime>
#include <QString>

// How values are written on the printed pages.
class Dive;

namespace PrintText {

// A number as text, shortest form, regional decimal separator, no blanks.
QString plain(double value);
// A number "printed as a number": a blank stands in front for its sign.
QString asNumber(double value);
// A whole number with at least two digits ("07").
QString twoDigits(qint32 value);
// The general date format: the short date, then the time.
QString dateTime(const QDateTime& value);
// A PPO2 limit in bar; some records keep it in tenths of a bar.
float ppo2Bar(float stored);
// The dive's gas as the pages name it: "Nitrox", "Air", "Bottom Time" or "".
QString diveMode(const Dive& dive);
// a div b of page arithmetic: both rounded to whole numbers first, the quotient's fraction dropped.
qint32 divRounded(double a, double b);

} // namespace PrintText
