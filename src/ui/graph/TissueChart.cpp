#include "TissueChart.h"

#include "Numeric.h"
#include "RuntimeError.h"

#include <algorithm>

const QColor TissueChart::LINE_COLOR(208, 208, 208);
const QColor TissueChart::SAFE_COLOR(0, 192, 0);
const QColor TissueChart::OVER_COLOR(192, 0, 0);

TissueChart TissueChart::compute(int width, int height, int lineBase, int xInterval, int count,
                                 const QList<qint16>& loads) {
    if (loads.size() < count)
        throw RuntimeError::subscript(QStringLiteral("DisplayTissue.updateDisplay"));
    TissueChart chart;
    chart.baseLine = height - lineBase;
    // A width too small for the gaps leaves bars of no width rather than negative ones.
    chart.barWidth = count > 0 ? std::max(0, num::intDiv(width - (count + 1) * xInterval, count + 1)) : 0;
    // Below 400 twips the chart has no room: bars lie flat on the base line instead of hanging below.
    chart.percent = std::max(0, num::intDiv(height - 400, 120));
    chart.limitLine = chart.baseLine - 100 * chart.percent;
    for (int i = 0; i < count; ++i) {
        const int load = std::min<int>(loads.at(i), CAP);
        const int x = LEFT_MARGIN + i * (chart.barWidth + xInterval);
        const int barHeight = load * chart.percent;
        chart.bars.append(QRect(x, chart.baseLine - barHeight, chart.barWidth, barHeight));
        chart.colors.append(load > 100 ? OVER_COLOR : SAFE_COLOR);
    }
    return chart;
}
