#include "ProfilePictures.h"

#include <QHash>
#include <QPainter>
#include <QPixmap>
#include <QPolygonF>

namespace {

const QColor INK(40, 45, 55);
const QColor SEA(20, 90, 170);

void watch(QPainter& p, bool floating) {
    p.setPen(QPen(INK, 0.9));
    p.setBrush(QColor(70, 75, 85));
    p.drawRect(QRectF(5.0, 0.5, 6.0, 15.0)); // strap
    p.setBrush(floating ? QColor(255, 210, 60) : QColor(190, 200, 210));
    p.drawRoundedRect(QRectF(1.5, 2.5, 13.0, 11.0), 3.0, 3.0);
    p.setBrush(QColor(170, 200, 170));
    p.drawRect(QRectF(3.5, 4.5, 9.0, 7.0));
    p.setPen(QPen(INK, 1.0));
    p.drawLine(QPointF(5.0, 8.0), QPointF(11.0, 8.0));
}

void bars(QPainter& p, bool floating) {
    p.setPen(QPen(INK, 0.8));
    p.setBrush(floating ? QColor(255, 210, 60) : Qt::white);
    p.drawRect(QRectF(0.5, 0.5, 15.0, 15.0));
    p.setPen(Qt::NoPen);
    const double heights[] = {9.0, 12.0, 7.0, 5.0};
    for (int i = 0; i < 4; ++i) {
        p.setBrush(i == 1 ? QColor(192, 0, 0) : QColor(0, 160, 0));
        p.drawRect(QRectF(2.0 + i * 3.2, 14.0 - heights[i], 2.4, heights[i]));
    }
    p.setPen(QPen(QColor(150, 150, 150), 0.8));
    p.drawLine(QPointF(1.0, 4.5), QPointF(15.0, 4.5));
}

// A step arrow, with a bar at its tip for the commands that go to either end of the dive.
void arrow(QPainter& p, bool right, bool toEnd) {
    p.setPen(Qt::NoPen);
    p.setBrush(SEA);
    const double tip = right ? 12.0 : 4.0;
    const double back = right ? 5.0 : 11.0;
    p.drawPolygon(QPolygonF{QPointF(back, 3.0), QPointF(back, 13.0), QPointF(tip, 8.0)});
    if (toEnd)
        p.drawRect(QRectF(right ? 12.5 : 1.5, 3.0, 2.0, 10.0));
}

QIcon draw(const QString& key) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    if (key == QLatin1String("dcOFF") || key == QLatin1String("DiveComputer") || key == QLatin1String("dcON")) {
        watch(p, key == QLatin1String("dcON"));
    } else if (key == QLatin1String("tissueOFF") || key == QLatin1String("Tissue") ||
               key == QLatin1String("tissueON")) {
        bars(p, key == QLatin1String("tissueON"));
    } else if (key == QLatin1String("PRINT")) {
        p.setPen(QPen(INK, 0.8));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4.0, 1.0, 8.0, 5.0));
        p.setBrush(QColor(120, 128, 140));
        p.drawRoundedRect(QRectF(1.0, 5.5, 14.0, 6.5), 1.2, 1.2);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4.0, 10.0, 8.0, 5.0));
    } else if (key == QLatin1String("PREVIEW")) {
        p.setPen(QPen(INK, 0.8));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(1.5, 0.8, 9.5, 12.5));
        p.setPen(QPen(INK, 1.3));
        p.setBrush(QColor(200, 230, 250, 200));
        p.drawEllipse(QPointF(10.0, 9.6), 3.4, 3.4);
        p.setPen(QPen(INK, 2.0, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(12.5, 12.2), QPointF(15.0, 14.8));
    } else if (key == QLatin1String("SIMULATOR")) {
        p.setPen(Qt::NoPen);
        p.setBrush(SEA);
        p.drawRoundedRect(QRectF(0.5, 0.5, 15.0, 15.0), 2.0, 2.0);
        p.setPen(QPen(Qt::white, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF{QPointF(2.0, 3.0), QPointF(5.0, 11.0), QPointF(10.0, 11.0), QPointF(13.0, 4.0)});
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 210, 60));
        p.drawPolygon(QPolygonF{QPointF(9.0, 2.0), QPointF(9.0, 8.0), QPointF(14.0, 5.0)});
    } else if (key == QLatin1String("FIRST")) {
        arrow(p, false, true);
    } else if (key == QLatin1String("PREVIOUS")) {
        arrow(p, false, false);
    } else if (key == QLatin1String("NEXT")) {
        arrow(p, true, false);
    } else if (key == QLatin1String("LAST")) {
        arrow(p, true, true);
    } else {
        return {};
    }
    return QIcon(pixmap);
}

} // namespace

QIcon ProfilePictures::toolbarIcon(const QString& key) {
    static QHash<QString, QIcon> icons;
    auto it = icons.find(key);
    if (it == icons.end())
        it = icons.insert(key, draw(key));
    return it.value();
}
