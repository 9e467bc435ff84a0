#include "StatisticsPrinting.h"

#include "Database.h"
#include "PrinterManager.h"
#include "Settings.h"
#include "StatsChartBuilder.h"
#include "StatsPages.h"
#include "StatsQuery.h"
#include "Workspace.h"
#include "frmStatsAskForMode.h"

#include <QAbstractAxis>
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
// The size of every text of every chart on a page, before the page draws its charts smaller to fit.
constexpr double PAGE_POINTS = 8.5;

QFont pageFont() {
    QFont font;
    font.setPointSizeF(PAGE_POINTS);
    return font;
}

// The room a legend takes to list `labels` in full, in pixels of the device `metrics` measure on: an
// entry is its text line and the gap to the next, with the marker and its gaps beside the text; the
// legend keeps a margin around them.
QSizeF legendRoom(const QStringList& labels, const QFontMetricsF& metrics) {
    double widest = 0;
    for (const QString& label : labels)
        widest = std::max(widest, metrics.horizontalAdvance(label));
    return QSizeF(widest + 3 * metrics.height() + 40, labels.size() * (metrics.height() + 9) + 30);
}

// How many times its cell (`cell`, 96-dpi pixels) a chart must be laid out, to be drawn smaller, for
// its legend to list every category in full (thirteen activities, long error names).
double crowding(const StatsPages::StatsChart& figures, QSizeF cell, QPaintDevice* device) {
    const QSizeF legend = legendRoom(figures.labels, QFontMetricsF(pageFont(), device));
    return std::max({1.0, legend.height() / cell.height(), legend.width() / (LEGEND_SHARE * cell.width())});
}

// Lays the chart out at `layout` (96-dpi pixels) in `scene`, its texts in the page's one size,
// measuring its legend on `device`.
void layOutChart(QGraphicsScene& scene, QSizeF layout, const StatsPages::StatsChart& figures, QPaintDevice* device) {
    QChart* chart = StatsChartBuilder::makeChart(figures);
    scene.addItem(chart); // the scene owns it from here
    // Paper stays white around the bars.
    chart->setBackgroundVisible(false);
    QLegend* legend = chart->legend();
    legend->setFont(pageFont());
    for (QAbstractAxis* axis : chart->axes())
        axis->setLabelsFont(pageFont());
    // Before the geometry, which lays the chart out at once.
    legend->setMinimumWidth(legendRoom(figures.labels, QFontMetricsF(legend->font(), device)).width());
    chart->setGeometry(QRectF(QPointF(0, 0), layout));
    scene.setSceneRect(chart->geometry());
}

// Draws the chart laid out at `layout` into `target` of `painter`.
void renderChart(QPainter& painter, const QRectF& target, QSizeF layout, const StatsPages::StatsChart& figures) {
    QGraphicsScene scene;
    layOutChart(scene, layout, figures, painter.device());
    scene.render(&painter, target, scene.sceneRect());
}

// The chart is laid out at the size a 96-dpi screen shows its cell, times the page's `lettering`, so
// that its texts print at the page's one size; rendered finer than the screen for the printer and
// scaled onto the page.
void paintOnPage(QPainter& painter, const QRectF& target, const StatsPages::StatsChart& chart, double lettering) {
    const double dotsPerPixel = painter.device()->logicalDpiX() / 96.0;
    const QSizeF cell = target.size() / dotsPerPixel;
    const QSizeF layout = cell * lettering;
    if (painter.device()->logicalDpiX() == 96) {
        // At screen resolution a picture in between would add nothing.
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        renderChart(painter, target, layout, chart);
        return;
    }
    const double ratio = std::clamp(dotsPerPixel, 1.0, 4.0);
    QImage image((cell * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return;
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    {
        QPainter onImage(&image);
        onImage.setRenderHint(QPainter::Antialiasing);
        onImage.setRenderHint(QPainter::TextAntialiasing);
        renderChart(onImage, QRectF(QPointF(0, 0), cell), layout, chart);
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
    const Page shown[] = {Depth, DiveMode, Weather, Suit, Activity, Errors};
    // One lettering for the whole page: the one that lets the most crowded chart list every category.
    QImage screen(1, 1, QImage::Format_ARGB32_Premultiplied);
    double lettering = 1;
    for (int k = 0; k < StatisticsFigures::CHARTS; ++k) {
        const QSizeF cell = printedChartSize(k, QSizeF(CHART_WIDTH, CHART_HEIGHT)) / 15;
        lettering = std::max(lettering, crowding(figures.charts[shown[k]], cell, &screen));
    }
    for (const Page k : shown) {
        const StatsChart chart = figures.charts[k];
        page.charts.append(
            {QSizeF(CHART_WIDTH, CHART_HEIGHT), [chart, lettering](QPainter& painter, const QRectF& target) {
                 paintOnPage(painter, target, chart, lettering);
             }});
    }
    return page;
}

QStringList chartTexts(const StatsPages::StatsChart& chart) {
    QImage screen(1, 1, QImage::Format_ARGB32_Premultiplied);
    const QSizeF cell = QSizeF(CHART_WIDTH, CHART_HEIGHT) / 15;
    QGraphicsScene scene;
    layOutChart(scene, cell * crowding(chart, cell, &screen), chart, &screen);
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
