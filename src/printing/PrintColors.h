#pragma once

#include <QColor>

class PrintDevice;

// The seven colours of a printed profile: the printer's colour table on the printer, the screen's
// profile colours on the preview.
struct PrintColors {
    QColor normal;
    QColor ascent;
    QColor deco;
    QColor decoAscent;
    QColor grid;
    QColor maxOperatingDepth;
    QColor deepStop;

    static PrintColors forDevice(const PrintDevice& device);
};

// A colour as the settings keep it: red in the low byte, then green, then blue.
QColor colorOfValue(qint32 value);

// The palette entries the pages use.
namespace PrintPalette {
inline const QColor black{0, 0, 0};
inline const QColor lightGrey{192, 192, 192};
inline const QColor darkGrey{128, 128, 128};
inline const QColor lightCyan{0, 255, 255};
inline const QColor lightRed{255, 0, 0};
} // namespace PrintPalette
