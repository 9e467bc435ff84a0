#pragma once

#include <QString>
#include <QtGlobal>

// The scale modes of a drawing surface, and a length converted between them as the program's own
// controls convert it for their hosts. A user scale measures the surface in units of its own
// choosing; the other modes are fixed numbers of twips to the unit.
namespace SurfaceScale {

constexpr qint16 USER = 0;
constexpr qint16 TWIPS = 1;
constexpr qint16 POINTS = 2;
constexpr qint16 PIXELS = 3;
constexpr qint16 CHARACTERS = 4;
constexpr qint16 INCHES = 5;
constexpr qint16 MILLIMETERS = 6;
constexpr qint16 CENTIMETERS = 7;
constexpr qint16 HIMETRIC = 8;

// Twips in one unit of `mode` along one axis (a character is narrower than it is high).
// `userTwips` is what one unit of the surface's user scale measures along that axis. RuntimeError 5,
// raised by `source`, for a mode outside 0 to 8.
double twipsPerUnit(qint16 mode, bool horizontal, double userTwips, const QString& source);

// `length` in `fromMode` units, in `toMode` units.
double convert(double length, qint16 fromMode, qint16 toMode, bool horizontal, double userTwips, const QString& source);

} // namespace SurfaceScale
