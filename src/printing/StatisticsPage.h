#pragma once

#include "PrintDevice.h"

#include <QList>
#include <QSizeF>
#include <QString>
#include <functional>

// What the statistics page prints: the history figures as the statistics window writes them, units
// included (maximum depth, minimum temperature, total dives, total time and, for the air-integrated
// models, average, maximum and minimum consumption), and the charts of the depth, dive mode,
// weather, suit, activity and errors pages at the size the window shows them.
struct StatisticsFigures {
    static constexpr int ROWS = 7;
    static constexpr int CHARTS = 6;
    QStringList values;         // one per row; missing or empty when there is no dive in scope
    QList<PrintPicture> charts; // none when there is no dive in scope
};

// Chooses the statistics scope and computes; installed by the statistics windows. Without one the
// page prints its labels with empty values.
using StatisticsProvider = std::function<StatisticsFigures()>;

// The portrait statistics page: header, figure labels and values, six charts drawn onto the page.
void printStatistics(PrintDevice& device, const StatisticsFigures& figures);
// The size chart `k` (0 to 5) is painted at on the page, in twips, from the size the window shows it at.
QSizeF printedChartSize(int k, QSizeF windowSize);
