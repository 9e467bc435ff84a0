#pragma once

#include <QPointF>
#include <QRectF>
#include <QtGlobal>

// Our controls lay themselves out in twips, the unit their stored geometry uses: 15 twips make one
// pixel at 96 dpi. Every conversion to the screen goes through these.
namespace twips {
constexpr int PER_PIXEL = 15;

constexpr double toPixels(double t) {
    return t / PER_PIXEL;
}
inline QPointF toPixels(double x, double y) {
    return {toPixels(x), toPixels(y)};
}
inline QRectF toPixels(double left, double top, double width, double height) {
    return {toPixels(left), toPixels(top), toPixels(width), toPixels(height)};
}
constexpr int fromPixels(int pixels) {
    return pixels * PER_PIXEL;
}
constexpr double fromPixels(double pixels) {
    return pixels * PER_PIXEL;
}
} // namespace twips
