#pragma once

#include <QColor>
#include <QList>
#include <QRect>

// The tissue bar chart of one sample step, worked out in twips before anything is drawn: one bar
// per compartment standing on a base line, a grey line at the 100 % level, loads above 120 % drawn
// as 120 %.
struct TissueChart {
    static constexpr int LEFT_MARGIN = 200;
    static constexpr int CAP = 120;
    static const QColor LINE_COLOR;
    static const QColor SAFE_COLOR;
    static const QColor OVER_COLOR;

    int baseLine = 0; // y of the bars' base
    int barWidth = 0;
    int percent = 0;   // height of one percent
    int limitLine = 0; // y of the 100 % line
    QList<QRect> bars; // left to right; each standing on the base line
    QList<QColor> colors;

    // A chart `width` by `height` twips for `count` compartments; RuntimeError 9 when `loads` holds
    // fewer than `count` values, so that a caller can keep its previous picture.
    static TissueChart compute(int width, int height, int lineBase, int xInterval, int count,
                               const QList<qint16>& loads);
};
