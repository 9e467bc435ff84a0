#pragma once

#include "StatsPages.h"

#include <QRectF>

class QChart;
class QPainter;

// The bar chart of one statistics page, for the window and for a printed page alike: one bar set
// per category, so that the legend lists the category labels, each holding one bar (its count),
// over a single category named by the page's title.
//
//     paintStatsChart(painter, QRectF(x, y, w, h), window.figures().charts[StatsPages::Depth]);
namespace StatsChartBuilder {

// A new chart, owned by the caller (or by the view it is given to).
QChart* makeChart(const StatsPages::StatsChart& figures);
// Gives the legend room for its labels in full, up to half of a chart `width` pixels wide.
void fitLegend(QChart* chart, qreal width);
// Draws the chart of `figures` into `target` of any painter (a printer's page, an image).
void paintChart(QPainter& painter, const QRectF& target, const StatsPages::StatsChart& figures);

} // namespace StatsChartBuilder
