#pragma once

#include "StatsPages.h"

#include <QtGlobal>

class QChart;

// The bar chart of one statistics page, for the window and for a printed page alike: one bar set
// per category, so that the legend lists the category labels, each holding one bar (its count),
// over a single category named by the page's title.
namespace StatsChartBuilder {

// A new chart, owned by the caller (or by the view it is given to).
QChart* makeChart(const StatsPages::StatsChart& figures);
// Gives the legend room for its labels in full, up to half of a chart `width` pixels wide.
void fitLegend(QChart* chart, qreal width);

} // namespace StatsChartBuilder
