#include "ProfilePage.h"

#include "Dive.h"
#include "Internationalization.h"
#include "MainModule.h"
#include "Numeric.h"
#include "PageHeader.h"
#include "PrintDevice.h"
#include "PrintText.h"
#include "PrintedProfileGraph.h"
#include "Profile.h"
#include "Seams.h"
#include "diveInfo.h"

#include <algorithm>

namespace {

constexpr double B = 4000;
const QString TAHOMA = QStringLiteral("Tahoma");

// A label in 8 bold at (x, y), its value in 8 regular at (valueX, y).
void row(PrintDevice& device, double x, double valueX, double y, const QString& label, const QString& value) {
    setFont(device, TAHOMA, true, false, 8);
    device.currentX = x;
    device.currentY = y;
    device.print(label);
    setFont(device, TAHOMA, false, false, 8);
    device.currentX = valueX;
    device.currentY = y;
    device.print(value);
}

void printDescriptiveRows(PrintDevice& device, const Dive& dive, const diveInfo& info) {
    const double x = B / 2 + 400;
    const double valueX = x + 1800;
    const double y = B / 4 + 300;
    const QString colon = QStringLiteral(": ");
    row(device, x, valueX, y, getString(1500) + colon, PrintText::dateTime(dive.getDateTime()));
    row(device, x, valueX, y + 200, getString(1501) + colon, info.diver());
    row(device, x, valueX, y + 400, getString(1502) + colon, info.location());
    row(device, x, valueX, y + 600, getString(1432), PrintText::diveMode(dive));
    if (dive.isNitrox())
        row(device, x, valueX, y + 800, getString(1433),
            num::intToText(dive.getNitroxMixture()) + QStringLiteral(" %"));
}

void printTissueBars(PrintDevice& device, const Profile& profile, qint16 position, qint16 compartments) {
    const double xStart = device.scaleWidth() - B / 2 - 2250;
    const double baseline = B / 4 + 1100;
    const QList<qint16> loads = profile.getTissue(position);
    device.setDrawWidth(1);
    for (int i = 0; i < compartments; ++i) {
        const double right = xStart + 250 * i;
        const TissueBar bar = tissueBar(loads.value(i));
        device.filledBox(right, baseline, right - 180, baseline - bar.height, bar.color);
    }
    device.box(xStart - 375, B / 4 + 260, xStart + 250.0 * compartments, baseline + 100);
}

void printDecoBox(PrintDevice& device, const Profile& profile, qint16 position, qint16 compartments) {
    const double x = device.scaleWidth() - B / 2 - 2.0 * compartments * 250;
    double y = B / 4 + 300;
    for (const BoxLine& line : decoBoxRows(decoStateAt(profile, position))) {
        row(device, x, x + 1000, y, line.label, line.value);
        y += 200;
    }
}

} // namespace

TissueBar tissueBar(qint16 load) {
    const double height = std::min(7.0 * load, 840.0);
    return {height, height > 700 ? QColor(192, 0, 0) : QColor(0, 192, 0)};
}

DecoState decoStateAt(const Profile& profile, qint16 position) {
    DecoState s;
    s.position = position;
    s.depth = profile.getDepth(position);
    s.decoFlag = profile.getDecoFlag(position);
    s.safetyTime = profile.getSafetyTime(position);
    s.noDecTime = profile.getNoDecTime(position);
    s.stopLevel = profile.getTappa(position);
    s.decoTime = profile.getDecoTime(position);
    s.ascentTime = profile.getAscentTime(position);
    return s;
}

QList<BoxLine> decoBoxRows(const DecoState& state) {
    const Internationalization& units = Internationalization::instance();
    const QString colon = QStringLiteral(": ");
    QList<BoxLine> rows{
        {getString(1470) + colon, num::intToText((state.position + 1) / 3)},
        {getString(1471).left(4) + QStringLiteral(". : "),
         PrintText::plain(units.getDepthValue(state.depth)) + u' ' + units.getDepthString()},
    };
    if (state.decoFlag == 0) {
        if (state.safetyTime > 0)
            rows.append({QStringLiteral("St.") + colon, PrintText::asNumber(state.safetyTime)});
        else
            rows.append({QStringLiteral("No Deco") + colon, PrintText::twoDigits(state.noDecTime)});
        return rows;
    }
    QString stop = PrintText::plain(units.getDepthValue(3.0f * float(state.stopLevel)));
    if (stop.size() < 2)
        stop.prepend(u'0');
    rows.append({QStringLiteral("Deco") + colon,
                 stop + QStringLiteral(" - ") + PrintText::twoDigits(std::min<qint32>(state.decoTime, 99))});
    rows.append({QStringLiteral("Asc Time") + colon, PrintText::twoDigits(state.ascentTime)});
    return rows;
}

void printProfileOnly(PrintDevice& device, const PrintColors& colors, const Profile& profile, qint16 position) {
    const auto dive = profile.getCurrentDive();
    if (!dive && !profile.wasElaborated()) {
        Seams::message().show(QStringLiteral("[PrinterManager.printProfileOnly] Error: Dive is Nothing."),
                              Msg::OkOnly | Msg::Critical, QString());
        return;
    }
    const qint16 compartments = profile.getTissueNumber();
    device.setScaleMode(PrintDevice::SCALE_TWIPS);
    const double SW = device.scaleWidth();
    const double SH = device.scaleHeight();

    const PrintRect graph{qint32(B / 2), qint32(B / 4 + 1400), num::toInt32(SW - B + 550), num::toInt32(SH - B)};
    printProfile(device, colors, profile, position, graph);

    printPageHeader(device, B / 2 + 400, B / 8 - 100, B / 4 - 100, getDiveComputerName(qint16(dive->diveComputer())));
    device.setDrawWidth(1);
    device.line(B / 2 + 400, B / 4 + 260, B / 2 + 400 + SW - 3850, B / 4 + 260, PrintPalette::darkGrey);

    if (const auto info = dive->diveInfo())
        printDescriptiveRows(device, *dive, *info);
    if (position < 0)
        return;
    printTissueBars(device, profile, position, compartments);
    printDecoBox(device, profile, position, compartments);
}
