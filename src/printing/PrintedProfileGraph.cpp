#include "PrintedProfileGraph.h"

#include "Dive.h"
#include "Internationalization.h"
#include "Numeric.h"
#include "PrintDevice.h"
#include "PrintText.h"
#include "Profile.h"
#include "RuntimeError.h"
#include "Seams.h"
#include "Settings.h"

#include <QList>
#include <cmath>

namespace {

int gridStep(qint32 diveMinutes) {
    if (diveMinutes < 30)
        return 3;
    if (diveMinutes < 60)
        return 6;
    if (diveMinutes < 90)
        return 9;
    if (diveMinutes < 120)
        return 12;
    return 15;
}

QColor segmentColor(const PrintColors& colors, const Profile& profile, const Dive& dive, qint16 i) {
    const bool decoCounts = !dive.isBottomTime() && !dive.hasStop() && profile.getDecoFlag(i) != 0;
    const bool ascentViolation = i > 3 && profile.getMaxVelocity(i) == 5;
    if (decoCounts && ascentViolation)
        return colors.decoAscent;
    if (ascentViolation)
        return colors.ascent;
    if (decoCounts)
        return colors.deco;
    return colors.normal;
}

QString depthLabel(double metres) {
    return PrintText::asNumber(num::roundHalfEven(Internationalization::instance().getDepthValue(float(metres)), 1));
}

} // namespace

void printProfile(PrintDevice& device, const PrintColors& colors, const Profile& profile, qint16 position,
                  const PrintRect& rect) {
    if (!profile.wasElaborated()) {
        Seams::message().show(QStringLiteral("[PrinterManager.printProfile] Profile not computed"),
                              Msg::OkOnly | Msg::Critical, QString());
        return;
    }
    const auto divePtr = profile.getCurrentDive();
    const Dive& dive = *divePtr;
    const qint32 diveTime = dive.getDiveTime();
    const qint16 S = dive.getSamplesCount();
    if (S == 0)
        return;

    const qint16 n = qint16(S + 1);
    const float maxDepth = profile.getMaxDepth(S);
    const float x0 = float(rect.left) + 500;
    const float gw = float(rect.width) - 500;
    const float y0 = float(rect.top);
    const float gh = float(rect.height) - 200;
    const float ya = y0 + gh + 100;
    const float xScale = gw / float(n);
    const float yScale = maxDepth > 0 ? gh / maxDepth : 1.0f;
    const int grid = gridStep(diveTime);

    std::array<float, 16> depthLine{};
    depthLine[1] = y0;
    for (int k = 2; k <= 15; ++k)
        depthLine[size_t(k)] = depthLine[size_t(k - 1)] + maxDepth / 14 * yScale;

    QList<float> xs(n + 1);
    QList<float> ys(n + 1);
    xs[0] = x0;
    ys[0] = y0;
    for (qint16 i = 1; i <= S; ++i) {
        xs[i] = x0 + xScale * float(i);
        ys[i] = y0 + profile.getDepth(i) * yScale;
    }
    xs[n] = x0 + xScale * float(n);
    ys[n] = y0;

    // Axes.
    device.setDrawWidth(2);
    device.line(x0, ya, x0 + gw, ya, PrintPalette::black);
    device.line(x0, y0, x0, ya, PrintPalette::black);

    // Time grid, a label every five lines in minutes (three samples a minute).
    device.setFont({QStringLiteral("Tahoma"), false, true, 8});
    for (qint32 K = 1; K <= n; ++K) {
        if (K % grid != 0)
            continue;
        const float x = x0 + xScale * float(K);
        device.setDrawWidth(1);
        device.line(x, y0, x, ya, colors.grid);
        device.setDrawWidth(2);
        if (K % (5 * grid) == 0) {
            device.currentX = x;
            device.currentY = ya;
            device.print(num::intToText(K / 3));
        }
    }

    device.setDrawWidth(1);
    device.line(x0 + gw, y0, x0 + gw, ya, colors.grid);
    device.setDrawWidth(2);

    // Depth grid; the deepest line carries only its label.
    device.setFont({QStringLiteral("Tahoma"), false, false, 8});
    device.setDrawWidth(1);
    for (int k = 1; k <= 14; ++k) {
        const double yk = std::floor(double(depthLine[size_t(k)]));
        device.line(x0, yk, x0 + gw, yk, colors.grid);
        device.currentX = x0 - 500;
        device.currentY = yk;
        device.print(depthLabel((yk - y0) / yScale));
    }
    device.currentX = x0 - 500;
    device.currentY = std::floor(double(depthLine[15]));
    device.print(depthLabel(maxDepth));

    const int dashedWidth = device.isPrinter() ? 4 : 1;
    if (dive.isNitrox() && dive.getNitroxMixture() > 0) {
        device.setDrawStyle(PrintDevice::STYLE_DASH_DOT_DOT);
        device.setDrawWidth(dashedWidth);
        const float mod = (PrintText::ppo2Bar(dive.getPPO2()) / (float(dive.getNitroxMixture()) / 100) - 1) * 10;
        const float yM = y0 + mod * yScale;
        if (yM < ya)
            device.line(x0, yM, x0 + gw, yM, colors.maxOperatingDepth);
    }

    // The current model decides, not the dive's own.
    if (Settings::instance().isCurrentDiveComputerRGBM()) {
        device.setDrawWidth(dashedWidth);
        device.setDrawStyle(PrintDevice::STYLE_DASH_DOT_DOT);
        for (const qint16 stop : {profile.getDeepStop1(), profile.getDeepStop2()}) {
            const float y = y0 + float(stop) * yScale;
            if (stop != -1 && y < ya)
                device.line(x0, y, x0 + gw, y, colors.deepStop);
        }
    }

    device.setDrawStyle(PrintDevice::STYLE_SOLID);
    device.setDrawWidth(device.isPrinter() ? 6 : 2);
    device.currentX = xs[0];
    device.currentY = ys[0];
    for (qint16 i = 1; i <= n; ++i)
        device.lineTo(xs[i], ys[i], segmentColor(colors, profile, dive, i));

    device.setDrawWidth(2);
    if (position >= 0) {
        if (position > n)
            throw RuntimeError::subscript(QStringLiteral("PrinterManager.printProfile"));
        device.circle(xs[position], ys[position], 100);
    }
}
