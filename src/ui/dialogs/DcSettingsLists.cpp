#include "DcSettingsLists.h"

#include "ModelCodes.h"
#include "Numeric.h"

#include <QLocale>
#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace DcSettingsLists {

namespace {
const QStringList BAR_RESERVE_100 = {"80", "90", "100", "110", "120"};
const QStringList BAR_RESERVE_50 = {"50", "60", "70"};

QStringList inPsi(const QStringList& bar) {
    QStringList psi;
    for (const QString& value : bar)
        psi.append(QString::number(value.toInt() * 29 / 2));
    return psi;
}
} // namespace

QList<Mode> modes(qint32 model) {
    if (ModelCodes::isAirIntegrated(model))
        return {{QStringLiteral("Air"), 0}, {QStringLiteral("Nitrox"), 2}};
    return {{QStringLiteral("Air"), 0}, {QStringLiteral("Bottom Time"), 1}, {QStringLiteral("Nitrox"), 2}};
}

QStringList programs() {
    return {QStringLiteral("P0"), QStringLiteral("P1"), QStringLiteral("P2"), QStringLiteral("P3")};
}

QStringList ppo2Limits() {
    return {QStringLiteral("1.2"), QStringLiteral("1.3"), QStringLiteral("1.4"), QStringLiteral("1.5"),
            QStringLiteral("1.6")};
}

QStringList reserve100(qint16 unitTank) {
    return unitTank == 1 ? BAR_RESERVE_100 : inPsi(BAR_RESERVE_100);
}

QStringList reserve50(qint16 unitTank) {
    return unitTank == 1 ? BAR_RESERVE_50 : inPsi(BAR_RESERVE_50);
}

int ppo2Index(float ppo2Max) {
    return sliderValue(double(ppo2Max) * 10 - 12, 0, int(ppo2Limits().size()) - 1);
}

float ppo2Value(const QString& text) {
    return QLocale::c().toFloat(text);
}

int programIndex(const QString& altitude) {
    bool ok = false;
    const double position = QLocale::c().toDouble(altitude.trimmed(), &ok);
    return ok ? sliderValue(position, 0, int(programs().size()) - 1) : 0;
}

int nearestIndex(int position, int count) {
    return std::clamp(position, 0, std::max(count - 1, 0));
}

int nearestItem(const QStringList& items, int value) {
    int best = 0;
    for (int i = 1; i < items.size(); ++i) {
        if (std::abs(items.at(i).toInt() - value) < std::abs(items.at(best).toInt() - value))
            best = i;
    }
    return best;
}

int sliderValue(double value, int minimum, int maximum) {
    if (std::isnan(value))
        return minimum;
    return int(num::roundHalfEven(std::clamp(value, double(minimum), double(maximum))));
}

QString volumeText(int position, bool litres) {
    return litres ? num::doubleToText(position / 10.0) : num::intToText(position);
}

} // namespace DcSettingsLists
