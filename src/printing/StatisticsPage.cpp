#include "StatisticsPage.h"

#include "MainModule.h"
#include "Numeric.h"
#include "PageHeader.h"
#include "PrintText.h"
#include "Settings.h"

#include <algorithm>

namespace {

constexpr double M = 100;
constexpr double B = 4000;

// The label strings of the figure rows and their offsets below the first row.
struct FigureRow {
    qint32 labelString;
    int offset;
};
constexpr FigureRow ROWS[] = {{1966, 0},    {1967, 300},  {1968, 600}, {1969, 900},
                              {1972, 1200}, {1973, 1500}, {1974, 1800}};

} // namespace

void printStatistics(PrintDevice& device, const StatisticsFigures& figures) {
    const Settings& settings = Settings::instance();
    device.setScaleMode(PrintDevice::SCALE_TWIPS);
    printPageHeader(device, 3 * M, B / 8, B / 4 + 300, getDiveComputerName(qint16(settings.currentDiveComputer())));

    const int rows = settings.isCurrentDiveComputerAir() ? 7 : 4;
    const double x0 = PrintText::divRounded(device.scaleWidth(), 2);
    const double y0 = B / 4 + 1000;
    const QString tahoma = QStringLiteral("Tahoma");
    double widest = 0;
    for (int r = 0; r < rows; ++r) {
        setFont(device, tahoma, true, false, 11);
        device.currentX = x0;
        device.currentY = y0 + ROWS[r].offset;
        const QString caption = getString(ROWS[r].labelString);
        device.print(caption);
        widest = std::max(device.textWidth(caption), widest);
    }
    const double x1 = x0 + widest + 300;
    for (int r = 0; r < rows; ++r) {
        setFont(device, tahoma, true, false, 11);
        device.currentX = x1;
        device.currentY = y0 + ROWS[r].offset;
        device.print(figures.values.value(r).trimmed());
    }

    const qint32 third = PrintText::divRounded(device.scaleWidth(), 3);
    const double c = third + PrintText::divRounded(third, 2);
    const double q = PrintText::divRounded(device.scaleHeight(), 4);
    // On a short page the seven rows of the air-integrated models reach the first row of charts: the
    // charts then move down just enough to leave the figures readable.
    const double figuresBottom = y0 + ROWS[rows - 1].offset + device.textHeight(QString()) + 100;
    const double down = std::max(0.0, figuresBottom - q);
    const QPointF cells[StatisticsFigures::CHARTS] = {{M, q + down},        {c, q + down},       {M, 1.75 * q + down},
                                                      {c, 1.75 * q + down}, {M, 2.5 * q + down}, {c, 2.5 * q + down}};
    for (int k = 0; k < std::min<int>(StatisticsFigures::CHARTS, figures.charts.size()); ++k) {
        PrintPicture chart = figures.charts[k];
        chart.sizeTwips = printedChartSize(k, chart.sizeTwips);
        device.paintPicture(chart, num::roundHalfEven(cells[k].x()), num::roundHalfEven(cells[k].y()));
    }
}

QSizeF printedChartSize(int k, QSizeF windowSize) {
    // The activity and errors charts need more room on paper than in the window.
    if (k >= 4)
        return QSizeF(windowSize.width() + 400, windowSize.height() * 1.5);
    return windowSize;
}
