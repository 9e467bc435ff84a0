#include "DataProfilePage.h"

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
#include "Settings.h"
#include "diveInfo.h"

#include <QList>
#include <optional>

namespace {

constexpr double B = 4000;
const QString TAHOMA = QStringLiteral("Tahoma");

// One row of a box: its label, its value (a text, or a flag that prints the check mark) and whether
// the row ends a group (a separator follows its label).
struct BoxRow {
    QString label;
    QString value;
    std::optional<bool> flag;
    bool greyLabel = false;
    bool showValue = true;
    int separatorsAfter = 0;
};

struct BoxLayout {
    QString title;
    QString sampleWord; // measured in the title font to centre the title band
    qint32 width;
    qint32 height;
    qint32 separatorX;
    qint32 valueX;
};

BoxRow text(const QString& label, const QString& value) {
    return {label, value, std::nullopt};
}

BoxRow mark(const QString& label, bool on) {
    return {label, QString(), on};
}

void printBox(PrintDevice& device, PrintRect& box, const BoxLayout& layout, const QList<BoxRow>& rows) {
    box.width = layout.width;
    box.height = layout.height;
    const double x = box.left;
    const double y = box.top;
    const double w = box.width;
    const double h = box.height;

    device.setDrawWidth(1);
    device.line(x, y + 600, x + w, y + 600, PrintPalette::darkGrey);
    device.line(x + layout.separatorX, y + 600, x + layout.separatorX, y + h);
    device.setDrawWidth(2);
    device.box(x, y, x + w, y + h);

    setFont(device, TAHOMA, true, false, 18);
    device.currentX = x + 100;
    device.currentY = y + PrintText::divRounded(600 - device.textHeight(layout.sampleWord), 2);
    device.print(layout.title);

    setFont(device, TAHOMA, true, false, 8);
    for (int r = 0; r < rows.size(); ++r) {
        const BoxRow& row = rows[r];
        device.setForeColor(row.greyLabel ? PrintPalette::darkGrey : PrintPalette::black);
        device.currentX = x + 300;
        device.currentY = y + 800 + 250 * r;
        device.print(row.label);
        for (int s = 0; s < row.separatorsAfter; ++s) {
            const double sy = device.currentY + 10;
            device.line(x + 1, sy, x + 1 + w - 2, sy, PrintPalette::darkGrey);
        }
    }
    device.setForeColor(PrintPalette::black);

    setFont(device, TAHOMA, false, false, 8);
    for (int r = 0; r < rows.size(); ++r) {
        const BoxRow& row = rows[r];
        if (!row.showValue)
            continue;
        device.currentX = x + layout.valueX;
        device.currentY = y + 800 + 250 * r;
        if (row.flag && *row.flag) {
            setFont(device, QStringLiteral("Wingdings"), false, false, 8);
            device.print(QString(QChar(0xFC)));
            setFont(device, TAHOMA, false, false, 8);
        } else {
            device.print(row.value);
        }
    }
}

QString codedText(qint32 base, qint16 code) {
    return code == -1 ? QString() : getString(base + code);
}

QString whole(double value) {
    return PrintText::plain(num::roundHalfEven(value));
}

QString label(qint32 id) {
    return getString(id) + QStringLiteral(": ");
}

// The tank's units follow the dive's own volume measure.
bool inCubicFeet(const Dive& dive) {
    return dive.getVolumeMeasure() == 1;
}
QString tankPressureUnit(const Dive& dive) {
    return getString(inCubicFeet(dive) ? 1085 : 1084);
}
QString tankVolumeUnit(const Dive& dive) {
    return getString(inCubicFeet(dive) ? 1087 : 1086);
}

} // namespace

void printGeneralInfo(PrintDevice& device, const Dive& dive, PrintRect& box) {
    const diveInfo empty;
    const auto info = dive.diveInfo();
    const diveInfo& d = info ? *info : empty;
    const qint16 none = -1;
    QString air = d.airTemperature() + u' ';
    if (!d.airTemperature().trimmed().isEmpty())
        air += Internationalization::instance().getTemperatureString();
    const QList<BoxRow> rows{
        text(label(1410), d.diver().left(50)),
        text(label(1500), PrintText::dateTime(dive.getDateTime())),
        text(label(1411), d.location().left(50)),
        text(label(1420), d.point().left(50)),
        text(label(1416), codedText(1150, info ? d.weather() : none)),
        text(label(1415), codedText(1100, info ? d.activity() : none)),
        text(label(1418), codedText(1180, info ? d.wetsuit() : none)),
        text(label(1412), d.instructor().left(50)),
        text(label(1413), d.diveMaster().left(50)),
        text(label(1414), d.friends.left(50)),
        text(label(1419), d.weight()),
        text(label(1417), info ? air : QString()),
    };
    const qint32 width = num::toInt32(device.scaleWidth() / 2 + 600);
    printBox(device, box, {getString(1402), QStringLiteral("Dati generali"), width, 3950, 1850, 2050}, rows);
}

void printSettings(PrintDevice& device, const Dive& dive, PrintRect& box) {
    const Internationalization& units = Internationalization::instance();
    const bool airModel = Settings::instance().isCurrentDiveComputerAir();
    const bool cubicFeet = inCubicFeet(dive);
    const QString pressureUnit = tankPressureUnit(dive);
    const QString volumeUnit = tankVolumeUnit(dive);
    const auto reserve = [&](float bar) {
        return PrintText::plain(units.getPressureValue(float(num::roundHalfEven(bar)), dive.getVolumeMeasure())) +
               u' ' + pressureUnit;
    };
    QList<BoxRow> rows{
        text(getString(1430), QStringLiteral("P") + num::intToText(dive.getAltitude())),
        text(getString(1431), dive.isSalt() ? QStringLiteral("Salt") : QStringLiteral("Fresh")),
        text(getString(1432), PrintText::diveMode(dive)),
        mark(getString(1444) + u':', dive.getAscentMode() != 0),
        mark(getString(1462) + u':', dive.getBuzzer() != 0),
        text(getString(1438), volumeUnit + u'/' + pressureUnit),
        text(getString(1439), (cubicFeet ? whole(dive.getTankVolume())
                                         : PrintText::plain(num::roundHalfEven(dive.getTankVolume() / 10.0, 1))) +
                                  u' ' + volumeUnit),
        text(getString(1440), cubicFeet ? whole(dive.getTankPressure()) + u' ' + pressureUnit : QString()),
        text(getString(1435), reserve(dive.getReserve50())),
        mark(getString(1436), dive.hasReserve100Alarm()),
        text(getString(1437), reserve(dive.getReserve100())),
    };
    rows[4].separatorsAfter = 2;
    for (int r = 5; r < rows.size(); ++r) {
        rows[r].greyLabel = !dive.isAir();
        rows[r].showValue = airModel;
    }
    printBox(device, box, {getString(1403), QStringLiteral("Impostazioni"), 4200, 4050, 2900, 3100}, rows);
}

void printTechnicalInfo(PrintDevice& device, const Dive& dive, PrintRect& box) {
    const Internationalization& units = Internationalization::instance();
    const bool airModel = Settings::instance().isCurrentDiveComputerAir();
    // Converted by the program's unit system, so written in its unit.
    const auto tankPressure = [&](float bar) {
        return PrintText::plain(units.getPressureValue(float(num::roundHalfEven(bar)))) + u' ' +
               units.getPressureString();
    };
    const float partialPressure =
        float((double(dive.getMaxDepth()) / 10 + 1) * (double(dive.getNitroxMixture()) / 100));
    QList<BoxRow> rows{
        text(getString(1450), num::intToText(dive.getDiveTime()) + QStringLiteral(" min.")),
        text(getString(1451), PrintText::plain(units.getDepthValue(float(num::roundHalfEven(dive.getMaxDepth())))) +
                                  u' ' + units.getDepthString()),
        text(getString(1452), PrintText::plain(units.getTemperatureValue(dive.getMinTemperature())) + u' ' +
                                  units.getTemperatureString()),
        mark(getString(1454), dive.hasStop()),
        text(getString(1455), dive.getVRis() < 1 ? QString() : dive.getMaxAscentRate()),
        mark(getString(1456), dive.hasViolationDecoStop()),
        mark(getString(1203), dive.isDeco()),
        mark(getString(1200), dive.getDecoStop() != 0),
        mark(getString(1201), dive.getAscent() != 0),
        text(getString(1468), whole(dive.getStartCNS()) + QStringLiteral(" %")),
        text(getString(1457), whole(dive.getMaxCNS()) + QStringLiteral(" %")),
        mark(getString(1466), dive.getMaxCNS() > 75),
        mark(getString(1467), partialPressure > PrintText::ppo2Bar(dive.getPPO2())),
        text(getString(1458), tankPressure(dive.getStartTankPressure())),
        text(getString(1459), tankPressure(dive.getStopTankPressure())),
        text(getString(1460), whole(dive.getTankUse()) + u' ' + getString(1086) + QStringLiteral("/min")),
    };
    rows[8].separatorsAfter = 1;
    rows[12].separatorsAfter = 1;
    for (int r = 9; r <= 12; ++r) {
        rows[r].greyLabel = !dive.isNitrox();
        rows[r].showValue = dive.isNitrox();
    }
    for (int r = 13; r < rows.size(); ++r) {
        rows[r].greyLabel = !dive.isAir();
        rows[r].showValue = airModel;
    }
    printBox(device, box, {getString(1404), QStringLiteral("Dati Tecnici"), 4200, 4900, 2900, 3000}, rows);
}

void printProfileData(PrintDevice& device, const PrintColors& colors, const Profile& profile) {
    const auto dive = profile.getCurrentDive();
    if (!dive && !profile.wasElaborated()) {
        Seams::message().show(QStringLiteral("[PrinterManager.printProfileData] Error: Dive is Nothing."),
                              Msg::OkOnly | Msg::Critical, QString());
        return;
    }
    device.setScaleMode(PrintDevice::SCALE_TWIPS);
    const double SW = device.scaleWidth();
    const double SH = device.scaleHeight();

    printPageHeader(device, B / 2, B / 8, B / 4 + 100, getDiveComputerName(qint16(dive->diveComputer())),
                    QStringLiteral(" "));

    PrintRect general{qint32(B / 2), qint32(B / 2 - 400), 0, 0};
    printGeneralInfo(device, *dive, general);
    PrintRect settings{num::toInt32(SW / 2 + 3100), qint32(B / 2 - 400), 0, 0};
    printSettings(device, *dive, settings);
    PrintRect technical{num::toInt32(SW / 2 + 3100), num::toInt32(SH / 2 + 300), 0, 0};
    printTechnicalInfo(device, *dive, technical);

    const PrintRect rect{qint32(B / 2 + 100), num::toInt32(SH / 2 - 100), num::toInt32(SW / 2 + 300), 5200};
    printProfile(device, colors, profile, -1, rect);

    device.setDrawWidth(2);
    const double left = rect.left;
    const double top = rect.top;
    const double width = rect.width;
    const double height = rect.height;
    device.box(left - 100, top, left - 100 + width + 300, top + height + 250);
    device.filledBox(left + width + 200, top + 100, left + width + 300, top + 100 + height + 250);
    device.filledBox(left, top + height + 250, left + width + 300, top + height + 350);
}
