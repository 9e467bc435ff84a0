#include "PrintColors.h"

#include "PrintDevice.h"
#include "Settings.h"

QColor colorOfValue(qint32 value) {
    const auto v = quint32(value);
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

PrintColors PrintColors::forDevice(const PrintDevice& device) {
    const Settings& settings = Settings::instance();
    const bool printer = device.isPrinter();
    const auto color = [&](int i) {
        return colorOfValue(printer ? settings.getPrinterColor(i) : settings.getProfileColor(i));
    };
    PrintColors c;
    c.normal = color(0);
    c.ascent = color(1);
    c.deco = color(2);
    c.decoAscent = color(3);
    c.grid = printer ? PrintPalette::lightCyan : PrintPalette::lightGrey;
    c.maxOperatingDepth = PrintPalette::lightRed;
    c.deepStop = PrintPalette::black;
    return c;
}
