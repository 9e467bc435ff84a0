#include "StatsChartBuilder.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QGraphicsScene>
#include <QPainter>
#include <QValueAxis>
#include <algorithm>

namespace StatsChartBuilder {

QChart* makeChart(const StatsPages::StatsChart& figures) {
    auto* chart = new QChart;
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->legend()->setVisible(true);
    chart->legend()->setAlignment(Qt::AlignRight);
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

    auto* categories = new QBarCategoryAxis;
    categories->append(figures.title);
    chart->addAxis(categories, Qt::AlignBottom);
    series->attachAxis(categories);

    // Counts are whole dives: whole-number ticks, at least up to 1 so an empty page still has a scale.
    auto* values = new QValueAxis;
    values->setLabelFormat(QStringLiteral("%d"));
    values->setRange(0, std::max(highest, 1));
    values->setTickType(QValueAxis::TicksDynamic);
    values->setTickAnchor(0);
    values->setTickInterval(std::max(1, (std::max(highest, 1) + 9) / 10));
    chart->addAxis(values, Qt::AlignLeft);
    series->attachAxis(values);
    return chart;
}

void paintChart(QPainter& painter, const QRectF& target, const StatsPages::StatsChart& figures) {
    QGraphicsScene scene;
    QChart* chart = makeChart(figures);
    scene.addItem(chart); // the scene owns it from here
    chart->setGeometry(QRectF(QPointF(0, 0), target.size()));
    scene.setSceneRect(chart->geometry());
    scene.render(&painter, target, scene.sceneRect());
}

} // namespace StatsChartBuilder
