#include "StatisticsPrinting.h"

#include "Database.h"
#include "PrinterManager.h"
#include "Settings.h"
#include "StatsChartBuilder.h"
#include "StatsPages.h"
#include "StatsQuery.h"
#include "Workspace.h"
#include "frmStatsAskForMode.h"

#include <QApplication>
#include <QChart>
#include <QFontMetricsF>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QGraphicsTextItem>
#include <QImage>
#include <QLegend>
#include <QPaintDevice>
#include <QPainter>
#include <algorithm>

namespace StatisticsPrinting {

namespace {

// The share of a chart's width its legend may take at most.
constexpr double LEGEND_SHARE = 0.5;

// Lays the chart out at `layout` (96-dpi pixels) in `scene`, measuring its legend on `device`. A
// chart too small for its legend to list every category in full (thirteen activities, long error
// names) is laid out larger and drawn smaller, its texts shrinking with it.
void layOutChart(QGraphicsScene& scene, QSizeF layout, const StatsPages::StatsChart& figures, QPaintDevice* device) {
    QChart* chart = StatsChartBuilder::makeChart(figures);
    scene.addItem(chart); // the scene owns it from here
    // Paper stays white around the bars.
    chart->setBackgroundVisible(false);
    QLegend* legend = chart->legend();
    const QFontMetricsF metrics(legend->font(), device);
    double widest = 0;
    for (const QString& label : figures.labels)
        widest = std::max(widest, metrics.horizontalAdvance(label));
    // An entry is its text line and the gap to the next, with the marker and its gaps beside the text;
    // the legend keeps a margin around them.
    const double legendWidth = widest + 3 * metrics.height() + 40;
    const double legendHeight = figures.labels.size() * (metrics.height() + 9) + 30;
    layout *= std::max({1.0, legendHeight / layout.height(), legendWidth / (LEGEND_SHARE * layout.width())});
    // Before the geometry, which lays the chart out at once.
    legend->setMinimumWidth(legendWidth);
    chart->setGeometry(QRectF(QPointF(0, 0), layout));
    scene.setSceneRect(chart->geometry());
}

// Draws the chart laid out at `layout` into `target` of `painter`.
void renderChart(QPainter& painter, const QRectF& target, QSizeF layout, const StatsPages::StatsChart& figures) {
    QGraphicsScene scene;
    layOutChart(scene, layout, figures, painter.device());
    scene.render(&painter, target, scene.sceneRect());
}

// The chart is laid out at the size a 96-dpi screen shows it, so that its texts keep their point
// sizes on paper, rendered finer than the screen for the printer and scaled onto the page.
void paintOnPage(QPainter& painter, const QRectF& target, const StatsPages::StatsChart& chart) {
    const double dotsPerPixel = painter.device()->logicalDpiX() / 96.0;
    const QSizeF layout = target.size() / dotsPerPixel;
    const double ratio = std::clamp(dotsPerPixel, 1.0, 4.0);
    QImage image((layout * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return;
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    {
        QPainter onImage(&image);
        onImage.setRenderHint(QPainter::Antialiasing);
        onImage.setRenderHint(QPainter::TextAntialiasing);
        renderChart(onImage, QRectF(QPointF(0, 0), layout), layout, chart);
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, image);
}

} // namespace

StatisticsFigures compute(QWidget* parent) {
    const Settings& settings = Settings::instance();
    const qint16 statsMode = frmStatsAskForMode::settleScope(parent);
    std::vector<StatsDive> dives;
    {
        Database db = Workspace::defaultWorkspace().openDatabase(settings.databaseName());
        dives = StatsQuery::read(db, statsMode, settings.currentLogbookID(), settings.currentDiveComputer(),
                                 settings.isCurrentDiveComputerAir());
    }
    StatisticsFigures page;
    if (dives.empty())
        return page;
    using namespace StatsPages;
    const StatsPages::StatsFigures figures = computeAll(dives);
    const StatsHistory& h = figures.history;
    page.values = {h.maxDepth, h.minTemp, h.totDives, h.totTime, h.avgConsumption, h.maxConsumption, h.minConsumption};
    for (const Page shown : {Depth, DiveMode, Weather, Suit, Activity, Errors}) {
        const StatsChart chart = figures.charts[shown];
        page.charts.append({QSizeF(CHART_WIDTH, CHART_HEIGHT),
                            [chart](QPainter& painter, const QRectF& target) { paintOnPage(painter, target, chart); }});
    }
    return page;
}

QStringList chartTexts(const StatsPages::StatsChart& chart) {
    QImage device(1, 1, QImage::Format_ARGB32_Premultiplied);
    QGraphicsScene scene;
    layOutChart(scene, QSizeF(CHART_WIDTH, CHART_HEIGHT) / 15, chart, &device);
    QStringList texts;
    for (const QGraphicsItem* item : scene.items()) {
        if (const auto* text = dynamic_cast<const QGraphicsTextItem*>(item))
            texts.append(text->toPlainText());
        else if (const auto* simple = dynamic_cast<const QGraphicsSimpleTextItem*>(item))
            texts.append(simple->text());
    }
    return texts;
}

void install() {
    PrinterManager::installStatisticsProvider([] { return compute(QApplication::activeWindow()); });
}

} // namespace StatisticsPrinting
