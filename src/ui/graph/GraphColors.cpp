#include "GraphColors.h"

#include <QGuiApplication>
#include <QPalette>
#include <array>

QColor graphcolors::palette16(int index) {
    static const std::array<QRgb, 16> entries = {
        qRgb(0, 0, 0),       qRgb(0, 0, 128),   qRgb(0, 128, 0),   qRgb(0, 128, 128),
        qRgb(128, 0, 0),     qRgb(128, 0, 128), qRgb(128, 128, 0), qRgb(192, 192, 192),
        qRgb(128, 128, 128), qRgb(0, 0, 255),   qRgb(0, 255, 0),   qRgb(0, 255, 255),
        qRgb(255, 0, 0),     qRgb(255, 0, 255), qRgb(255, 255, 0), qRgb(255, 255, 255)};
    return QColor(entries.at(size_t(index & 15)));
}

QColor graphcolors::fromStored(qint32 value) {
    const quint32 v = quint32(value);
    if ((v & 0x80000000u) == 0)
        return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
    const QPalette palette = QGuiApplication::palette();
    switch (v & 0xFF) {
    case 0x05:
        return palette.color(QPalette::Base);
    case 0x08:
        return palette.color(QPalette::Text);
    case 0x12:
        return palette.color(QPalette::ButtonText);
    default: // 0x0F, the button face, and every colour we have no role for
        return palette.color(QPalette::Button);
    }
}
