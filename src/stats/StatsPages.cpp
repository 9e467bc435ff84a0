#include "StatsPages.h"

#include "Internationalization.h"
#include "MainModule.h"
#include "Numeric.h"
#include "Settings.h"

namespace StatsPages {

const std::array<PageEntry, PAGE_COUNT> TREE_ORDER = {{
    {"A0", 1952, History},
    {"A1", 1953, Depth},
    {"A2", 1954, DiveMode},
    {"A7", 1472, Deco},
    {"A3", 1955, Weather},
    {"A4", 1956, Suit},
    {"A5", 1957, Activity},
    {"A6", 1463, Errors},
}};

int pageOfKey(const QString& key) {
    for (const PageEntry& entry : TREE_ORDER) {
        if (key == QLatin1String(entry.key))
            return entry.page;
    }
    return -1;
}

namespace {

constexpr qint16 NO_TEMPERATURE = 9999;
constexpr qint16 NO_CONSUMPTION = 9999;
constexpr qint16 CNS_LIMIT = 75;

// A non-negative number keeps the blank of its sign position.
QString signPositioned(float v) {
    const QString text = num::singleToText(v);
    return v < 0 ? text : u' ' + text;
}

qint16 asInt(double v) {
    return num::toInt16(v);
}

StatsChart chartOf(qint32 titleString, const QStringList& labels) {
    StatsChart chart;
    chart.title = getString(titleString);
    chart.labels = labels;
    chart.counts = QList<qint32>(labels.size(), 0);
    return chart;
}

QStringList stringRange(qint32 first, qint32 last) {
    QStringList texts;
    for (qint32 id = first; id <= last; ++id)
        texts.append(getString(id));
    return texts;
}

void countIn(StatsChart& chart, qint32 category) {
    if (category >= 1 && category <= chart.counts.size())
        ++chart.counts[category - 1];
}

StatsChart depthChart(const std::vector<StatsDive>& dives) {
    const Internationalization& units = Internationalization::instance();
    const QStringList bands =
        units.measureUnit() == units.STANDARD
            ? QStringList{QStringLiteral(" 0 - 20 "), QStringLiteral("20 - 30 "), QStringLiteral("30 - 40 "),
                          QStringLiteral("40 - 50 "), QStringLiteral("   > 50 ")}
            : QStringList{QStringLiteral("  0 - 65 "), QStringLiteral(" 65 - 98 "), QStringLiteral(" 98 - 131 "),
                          QStringLiteral("131 - 164 "), QStringLiteral("    > 164 ")};
    QStringList labels;
    for (const QString& band : bands)
        labels.append(band + units.getDepthString());
    StatsChart chart = chartOf(1953, labels);
    for (const StatsDive& dive : dives) {
        if (!dive.maxDepth)
            continue;
        // The bands are of whole metres in both unit systems.
        const qint16 d = asInt(*dive.maxDepth);
        countIn(chart, d <= 20 ? 1 : d <= 30 ? 2 : d <= 40 ? 3 : d <= 50 ? 4 : 5);
    }
    return chart;
}

StatsChart diveModeChart(const std::vector<StatsDive>& dives) {
    const Settings& settings = Settings::instance();
    const bool air = settings.isCurrentDiveComputerAir();
    const qint16 bottomTime = settings.getBottomTimeCode();
    QStringList labels{QStringLiteral("Air"), QStringLiteral("Nitrox")};
    if (!air)
        labels.append(QStringLiteral("Bottom Time"));
    StatsChart chart = chartOf(1954, labels);
    for (const StatsDive& dive : dives) {
        if (!dive.diveMode)
            continue;
        const qint16 m = asInt(*dive.diveMode);
        if (m == 0)
            countIn(chart, 1);
        else if (m == 1)
            countIn(chart, 2);
        else if (m == bottomTime && !air)
            countIn(chart, 3);
    }
    return chart;
}

StatsChart decoChart(const std::vector<StatsDive>& dives) {
    StatsChart chart = chartOf(1472, {QStringLiteral("Deco"), QStringLiteral("No Deco")});
    for (const StatsDive& dive : dives) {
        if (!dive.decoFlag)
            continue;
        const qint16 flag = asInt(*dive.decoFlag);
        if (flag == 1)
            countIn(chart, 1);
        else if (flag == 0)
            countIn(chart, 2);
    }
    return chart;
}

// Weather, suit and activity: code v counts in category v + 1; -1 (none) and codes outside the
// list are left out.
StatsChart codeChart(const std::vector<StatsDive>& dives, std::optional<double> StatsDive::*column, qint32 titleString,
                     qint32 firstLabel, qint32 lastLabel) {
    StatsChart chart = chartOf(titleString, stringRange(firstLabel, lastLabel));
    for (const StatsDive& dive : dives) {
        // A code too large even for 16 bits is as unknown as any other code outside the list.
        const std::optional<double>& code = dive.*column;
        if (code && *code > -2 && *code < chart.counts.size())
            countIn(chart, asInt(*code) + 1);
    }
    return chart;
}

StatsChart errorsChart(const std::vector<StatsDive>& dives) {
    StatsChart chart = chartOf(1463, {getString(1200), getString(1201), getString(1466), getString(1467)});
    for (const StatsDive& dive : dives) {
        if (dive.violationStop && asInt(*dive.violationStop) != 0)
            countIn(chart, 1);
        if (dive.ascent && asInt(*dive.ascent) != 0)
            countIn(chart, 2);
        if (dive.maxCNS && asInt(*dive.maxCNS) > CNS_LIMIT)
            countIn(chart, 3);
        if (dive.maxDepth && dive.mixNitrox && dive.ppo2) {
            // Single precision, as the limit was always tested: a dive right at the limit must not
            // flip between double and float rounding.
            const float ambient = float(*dive.maxDepth) / 10.0f + 1.0f;
            const float oxygen = float(*dive.mixNitrox) / 100.0f;
            if (ambient * oxygen > float(*dive.ppo2))
                countIn(chart, 4);
        }
    }
    return chart;
}

} // namespace

QString hoursAndMinutes(qint64 minutes) {
    const qint64 m = minutes % 60;
    const QString mm = QString::number(m);
    return QString::number((minutes - m) / 60) + u':' + (mm.size() == 1 ? u'0' + mm : mm);
}

StatsHistory computeHistory(const std::vector<StatsDive>& dives) {
    const bool air = Settings::instance().isCurrentDiveComputerAir();
    StatsHistory history;
    history.consumptionShown = air;
    if (dives.empty())
        return history;

    // Totals are wide: a logbook of many years goes past what 16 bits hold.
    qint64 totalTime = 0;
    qint64 tankUse = 0;
    qint16 maxDepth = 0;
    qint16 minTemp = NO_TEMPERATURE;
    qint16 maxConsumption = 0;
    qint16 minConsumption = NO_CONSUMPTION;
    for (const StatsDive& dive : dives) {
        if (dive.diveTime)
            totalTime += asInt(*dive.diveTime);
        // Compared as stored, kept as the whole number: 20.4 then 20.3 keeps 20.
        if (dive.maxDepth && *dive.maxDepth > maxDepth)
            maxDepth = asInt(*dive.maxDepth);
        if (dive.minTemp && *dive.minTemp < minTemp)
            minTemp = asInt(*dive.minTemp);
        if (air) {
            if (dive.consumptionRead) {
                maxConsumption = std::max(maxConsumption, dive.consumptionMax);
                minConsumption = std::min(minConsumption, dive.consumptionMin);
            }
            if (dive.tankUse)
                tankUse += asInt(*dive.tankUse);
        }
    }
    if (minConsumption == NO_CONSUMPTION)
        minConsumption = 0;

    const Internationalization& units = Internationalization::instance();
    const qint64 count = qint64(dives.size());
    history.totTime = hoursAndMinutes(totalTime);
    history.maxDepth = signPositioned(units.getDepthValue(maxDepth)) + u' ' + units.getDepthString();
    history.minTemp = signPositioned(units.getTemperatureValue(minTemp)) + u' ' + units.getTemperatureString();
    if (air) {
        const qint64 average = tankUse / count;
        history.avgConsumption = average < 0 ? QString::number(average) : u' ' + QString::number(average);
        history.maxConsumption = QString::number(maxConsumption);
        history.minConsumption = QString::number(minConsumption);
    }
    history.totDives = QString::number(count);
    return history;
}

StatsChart computeChart(Page page, const std::vector<StatsDive>& dives) {
    switch (page) {
    case Depth:
        return depthChart(dives);
    case DiveMode:
        return diveModeChart(dives);
    case Deco:
        return decoChart(dives);
    case Weather:
        return codeChart(dives, &StatsDive::weather, 1955, 1150, 1155);
    case Suit:
        return codeChart(dives, &StatsDive::wetsuit, 1956, 1180, 1182);
    case Activity:
        return codeChart(dives, &StatsDive::activity, 1957, 1100, 1112);
    case Errors:
        return errorsChart(dives);
    case History:
        break;
    }
    return {};
}

StatsFigures computeAll(const std::vector<StatsDive>& dives) {
    StatsFigures figures;
    figures.noDives = dives.empty();
    figures.history = computeHistory(dives);
    for (int page = Depth; page < PAGE_COUNT; ++page)
        figures.charts[page] = computeChart(Page(page), dives);
    return figures;
}

} // namespace StatsPages
