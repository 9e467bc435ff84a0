#pragma once

#include <QString>

// How a face writes its numbers: the device shows short fixed fields, so every reading is rounded,
// padded or cut to the characters the field holds. Texts take the locale's decimal separator
// unless a rule says a point is written.
namespace facetext {

// A whole number with a "0" in front when its text has one character (7 gives "07").
QString twoDigits(qint32 v);
QString twoDigits(const QString& text);
// Format "#00" / "00": at least two digits, zero-padded on the left (5 gives "05", 125 stays).
QString padded(qint32 v);
// A reading in the display unit rounded to one decimal (halves to even), at most 7 significant
// digits, cut to its first 3 characters when longer than 4 (102.5 gives "102").
QString depthText(float displayValue);
// Format "#00.0" of a depth text: one decimal after at least two whole digits (7.5 gives "07.5").
QString depthField(const QString& depthText);
// The maximum-depth field of the segment faces: written with a point, cut to 3 characters below 10
// and to 4 otherwise, never ending in the point (9.25 gives "9.2", 100.5 gives "100").
QString maxDepthText(float displayValue);
// A number written with a point, at most 7 significant digits, no digit before the point below 1
// (0.5 gives ".5").
QString pointText(float v);

} // namespace facetext
