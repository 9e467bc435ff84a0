#pragma once

#include <QColor>
#include <QtGlobal>

// Colours as the program stores them: 32-bit values with red in the low byte (&H00BBGGRR); from
// 0x80000000 up the low byte names a system colour, taken from the application's palette.
namespace graphcolors {
// Entry 0 to 15 of the 16-colour palette (0 black, 7 light grey, 12 light red, 15 bright white).
QColor palette16(int index);
QColor fromStored(qint32 value);
} // namespace graphcolors
