#pragma once

#include "WindowHelpers.h"

#include <QRect>

class QLabel;

// Window geometry is designed in twips; the screen takes pixels, 15 twips to a pixel at 96 dpi.
namespace Twips {

constexpr int pixels(int twips) {
    return twips / TWIPS_PER_PIXEL;
}
constexpr int twips(int pixels) {
    return pixels * TWIPS_PER_PIXEL;
}
QRect pixels(int left, int top, int width, int height);
QRect pixels(const QRect& twips);
QRect twips(const QRect& pixels);

// A dialog's title band: bold white text on grey.
void makeTitleBand(QLabel* label);

} // namespace Twips
