#pragma once

#include "StatisticsPage.h"
#include "StatsPages.h"

class QWidget;

// The printed statistics page's figures: the statistics of the scope that the setting (or the user's
// answer to the scope question) chooses, computed without the statistics window, the charts drawn
// straight onto the page. Nothing goes through the clipboard.
//
//     StatisticsPrinting::install();   // at start-up: every statistics job prints from it
namespace StatisticsPrinting {

// A chart's size on paper, in twips: two columns of three rows fit a portrait letter or A4 page,
// the last row enlarged as the page does it.
constexpr double CHART_WIDTH = 4900;
constexpr double CHART_HEIGHT = 2800;

// With no dive in the scope: no value and no chart, so the page prints its header and labels only.
// The scope question, when the setting asks it, is shown over `parent`.
StatisticsFigures compute(QWidget* parent);
// The texts a printed chart shows (axis labels, legend entries), as laid out for its cell.
QStringList chartTexts(const StatsPages::StatsChart& chart);
// Makes compute the print jobs' statistics provider.
void install();

} // namespace StatisticsPrinting
