#include "StatsChartBuilder.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QFont>
#include <QFontMetricsF>
#include <QLegend>
#include <QValueAxis>
#include <algorithm>

namespace StatsChartBuilder {

namespace {

// At most this many steps up the count axis.
constexpr qint32 COUNT_STEPS = 5;

// The smallest of 1, 2 and 5 times a power of ten that is at least `step` (and at least 1).
qint32 roundStep(qint32 step) {
    for (qint32 power = 1;; power *= 10) {
        for (const qint32 factor : {1, 2, 5}) {
            if (factor * power >= step)
                return factor * power;
        }
    }
}

} // namespace

QChart* makeChart(const StatsPages::StatsChart& figures) {
    auto* chart = new QChart;
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->legend()->setVisible(true);
    chart->legend()->setAlignment(Qt::AlignRight);
    // A long list of categories (thirteen activities) must still fit the legend's column.
    QFont legendFont = chart->legend()->font();
    legendFont.setPointSizeF(figures.labels.size() > 8 ? 7.5 : 8.5);
    chart->legend()->setFont(legendFont);
    chart->setMargins(QMargins(4, 4, 4, 4));

    auto* series = new QBarSeries;
    qint32 highest = 0;
    for (qsizetype k = 0; k < figures.labels.size(); ++k) {
        auto* set = new QBarSet(figures.labels[k]);
        const qint32 count = figures.counts.value(k);
        set->append(count);
        highest = std::max(highest, count);
        series->append(set);
    }
    chart->addSeries(series);
    // The theme colours the bars when the series joins the chart; a selected bar shows darker.
    for (QBarSet* set : series->barSets())
        set->setSelectedColor(set->color().darker(160));

    auto* categories = new QBarCategoryAxis;
    categories->append(figures.title);
    categories->setTruncateLabels(false);
    chart->addAxis(categories, Qt::AlignBottom);
    series->attachAxis(categories);

    // Counts are whole dives: whole-number ticks, at least up to 1 so an empty page still has a scale.
    // A few round steps leave each count room for its whole text, even on a chart a printed page
    // holds; labels are never shortened to dots.
    auto* values = new QValueAxis;
    values->setLabelFormat(QStringLiteral("%d"));
    values->setTruncateLabels(false);
    const qint32 step = roundStep((highest + COUNT_STEPS - 1) / COUNT_STEPS);
    values->setRange(0, (highest / step + 1) * step);
    values->setTickType(QValueAxis::TicksDynamic);
    values->setTickAnchor(0);
    values->setTickInterval(step);
    chart->addAxis(values, Qt::AlignLeft);
    series->attachAxis(values);
    return chart;
}

void fitLegend(QChart* chart, qreal width) {
    QLegend* legend = chart->legend();
    const QFontMetricsF metrics(legend->font());
    qreal widest = 0;
    for (QAbstractSeries* series : chart->series()) {
        if (auto* bars = qobject_cast<QBarSeries*>(series)) {
            for (const QBarSet* set : bars->barSets())
                widest = std::max(widest, metrics.horizontalAdvance(set->label()));
        }
    }
    // The marker, its gap and the legend's margins come on top of the text.
    legend->setMinimumWidth(std::min(widest + 2 * metrics.height() + 24, width / 2));
}

} // namespace StatsChartBuilder
