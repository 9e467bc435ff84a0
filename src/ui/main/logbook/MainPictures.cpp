#include "MainPictures.h"

#include "LogbookTree.h"

#include <QHash>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <functional>

namespace {
const QColor INK(30, 45, 80);
const QColor SEA(25, 105, 190);
const QColor FLAG_RED(205, 30, 30);

QPixmap draw(int size, const std::function<void(QPainter&)>& paint) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 16.0, size / 16.0);
    paint(p);
    return pixmap;
}

// A swimming diver seen from the side, head to the right, on a 16 x 16 grid.
void diver(QPainter& p, const QColor& color) {
    p.setPen(QPen(color, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(color);
    p.drawEllipse(QPointF(12.6, 6.6), 1.6, 1.6);        // head
    p.drawLine(QPointF(11.0, 7.6), QPointF(5.0, 9.0));  // body
    p.drawLine(QPointF(9.5, 8.0), QPointF(11.5, 10.5)); // arm
    p.drawLine(QPointF(5.0, 9.0), QPointF(2.0, 8.0));   // legs
    p.drawLine(QPointF(5.0, 9.0), QPointF(2.2, 10.6));
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(6.0, 5.2, 4.2, 1.8), 0.8, 0.8); // tank
    QPolygonF fin;
    fin << QPointF(2.4, 7.2) << QPointF(0.4, 6.0) << QPointF(0.8, 8.4);
    p.drawPolygon(fin);
    QPolygonF fin2;
    fin2 << QPointF(2.4, 10.2) << QPointF(0.4, 10.4) << QPointF(1.4, 12.2);
    p.drawPolygon(fin2);
}

void openBook(QPainter& p) {
    p.setPen(QPen(INK, 0.9));
    p.setBrush(Qt::white);
    QPainterPath left;
    left.moveTo(8, 4);
    left.cubicTo(6, 2.8, 3, 2.8, 1, 3.6);
    left.lineTo(1, 13);
    left.cubicTo(3, 12.2, 6, 12.2, 8, 13.4);
    left.closeSubpath();
    p.drawPath(left);
    QTransform mirror(-1, 0, 0, 1, 16, 0);
    p.drawPath(mirror.map(left));
    p.setPen(QPen(SEA, 0.7));
    for (double y : {5.6, 7.4, 9.2, 11.0}) {
        p.drawLine(QPointF(2.6, y), QPointF(6.6, y + 0.3));
        p.drawLine(QPointF(9.4, y + 0.3), QPointF(13.4, y));
    }
}

// The diver-down flag: red with a white diagonal, on a pole; raised higher when selected.
void flag(QPainter& p, bool raised) {
    const double top = raised ? 1.5 : 3.5;
    p.setPen(QPen(INK, 1.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(2.5, 1.0), QPointF(2.5, 15.0));
    const QRectF cloth(3.2, top, 11.3, 8.0);
    p.setPen(QPen(INK, 0.6));
    p.setBrush(FLAG_RED);
    p.drawRect(cloth);
    p.setPen(QPen(Qt::white, 2.0));
    p.drawLine(cloth.topLeft() + QPointF(0.8, 0.8), cloth.bottomRight() - QPointF(0.8, 0.8));
}

void blueSquare(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(SEA);
    p.drawRoundedRect(QRectF(0.5, 0.5, 15, 15), 2.5, 2.5);
}

void diskette(QPainter& p) {
    const QRectF d(8.5, 8.5, 7.0, 7.0);
    p.setPen(QPen(INK, 0.6));
    p.setBrush(QColor(60, 60, 70));
    p.drawRect(d);
    p.setBrush(QColor(220, 220, 225));
    p.drawRect(QRectF(10.0, 8.5, 4.0, 2.6));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(9.6, 12.2, 4.8, 3.3));
}

QPixmap toolbarPixmap(const QString& key) {
    return draw(24, [&](QPainter& p) {
        if (key == QLatin1String("DOWNLOAD")) { // a dive computer handing its dives down
            p.setPen(QPen(INK, 0.9));
            p.setBrush(QColor(70, 80, 95));
            p.drawRoundedRect(QRectF(3.0, 0.8, 10.0, 8.4), 2.5, 2.5);
            p.setBrush(QColor(170, 215, 235));
            p.drawRect(QRectF(4.8, 2.4, 6.4, 4.4));
            p.setPen(QPen(SEA, 1.8, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(8.0, 10.0), QPointF(8.0, 14.2));
            p.setPen(Qt::NoPen);
            p.setBrush(SEA);
            p.drawPolygon(QPolygonF{QPointF(5.4, 12.4), QPointF(10.6, 12.4), QPointF(8.0, 15.4)});
        } else if (key == QLatin1String("SETTINGS")) { // a toothed wheel
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(90, 100, 115));
            for (int i = 0; i < 8; ++i) {
                p.save();
                p.translate(8, 8);
                p.rotate(i * 45.0);
                p.drawRect(QRectF(-1.2, -7.4, 2.4, 3.0));
                p.restore();
            }
            p.drawEllipse(QPointF(8, 8), 5.2, 5.2);
            p.setBrush(Qt::white);
            p.drawEllipse(QPointF(8, 8), 2.0, 2.0);
        } else if (key == QLatin1String("FILTER")) { // a funnel
            p.setPen(QPen(INK, 0.8));
            p.setBrush(QColor(240, 175, 40));
            p.drawPolygon(QPolygonF{QPointF(1.5, 2.0), QPointF(14.5, 2.0), QPointF(9.4, 8.6), QPointF(9.4, 14.2),
                                    QPointF(6.6, 12.8), QPointF(6.6, 8.6)});
        } else if (key == QLatin1String("PRINT")) { // a printer with its sheet
            p.setPen(QPen(INK, 0.8));
            p.setBrush(Qt::white);
            p.drawRect(QRectF(4.0, 1.0, 8.0, 5.0));
            p.setBrush(QColor(120, 128, 140));
            p.drawRoundedRect(QRectF(1.0, 5.5, 14.0, 6.5), 1.2, 1.2);
            p.setBrush(Qt::white);
            p.drawRect(QRectF(4.0, 10.0, 8.0, 5.0));
            p.setPen(QPen(SEA, 0.7));
            p.drawLine(QPointF(5.2, 12.0), QPointF(10.8, 12.0));
            p.drawLine(QPointF(5.2, 13.6), QPointF(9.6, 13.6));
        } else if (key == QLatin1String("PREVIEW")) { // a page under a lens
            p.setPen(QPen(INK, 0.8));
            p.setBrush(Qt::white);
            p.drawRect(QRectF(1.5, 0.8, 9.5, 12.5));
            p.setPen(QPen(SEA, 0.7));
            for (double y : {3.0, 5.0, 7.0})
                p.drawLine(QPointF(3.0, y), QPointF(9.4, y));
            p.setPen(QPen(INK, 1.3));
            p.setBrush(QColor(200, 230, 250, 200));
            p.drawEllipse(QPointF(10.0, 9.6), 3.4, 3.4);
            p.setPen(QPen(INK, 2.0, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(12.5, 12.2), QPointF(15.0, 14.8));
        } else if (key == QLatin1String("PROFILE")) { // a dive's depth over time
            p.setPen(QPen(INK, 0.8));
            p.setBrush(QColor(215, 235, 250));
            p.drawRect(QRectF(1.0, 1.5, 14.0, 13.0));
            p.setPen(QPen(SEA, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.drawPolyline(QPolygonF{QPointF(2.0, 3.0), QPointF(4.5, 11.5), QPointF(8.0, 12.5), QPointF(10.0, 8.0),
                                     QPointF(12.0, 7.0), QPointF(14.0, 3.0)});
        } else if (key == QLatin1String("SIMULATOR")) { // a diver sent down by a play button
            blueSquare(p);
            diver(p, Qt::white);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(255, 210, 60));
            p.drawPolygon(QPolygonF{QPointF(9.5, 10.0), QPointF(9.5, 15.0), QPointF(14.0, 12.5)});
        } else if (key == QLatin1String("HELP")) { // a question mark in a ring
            p.setPen(QPen(SEA, 1.2));
            p.setBrush(Qt::white);
            p.drawEllipse(QPointF(8, 8), 6.8, 6.8);
            QFont font(QStringLiteral("DejaVu Sans"));
            font.setBold(true);
            font.setPixelSize(10);
            p.setFont(font);
            p.setPen(SEA);
            p.drawText(QRectF(0, 0, 16, 16), Qt::AlignCenter, QStringLiteral("?"));
        }
    });
}
} // namespace

namespace MainPictures {

QIcon logBookIcon(int image) {
    static QHash<int, QIcon> icons;
    if (const auto it = icons.constFind(image); it != icons.constEnd())
        return *it;
    QIcon icon;
    switch (image) {
    case LogbookTree::IMAGE_ROOT:
        icon.addPixmap(draw(16, openBook));
        break;
    case LogbookTree::IMAGE_LOGBOOK:
        icon.addPixmap(draw(16, [](QPainter& p) { flag(p, false); }));
        icon.addPixmap(draw(16, [](QPainter& p) { flag(p, true); }), QIcon::Selected);
        break;
    case LogbookTree::IMAGE_LOGBOOK_SELECTED:
        icon.addPixmap(draw(16, [](QPainter& p) { flag(p, true); }));
        break;
    case LogbookTree::IMAGE_DIVE:
        icon.addPixmap(draw(16, [](QPainter& p) { diver(p, INK); }));
        break;
    case LogbookTree::IMAGE_DIVE_PROFILE:
        icon.addPixmap(draw(16, [](QPainter& p) {
            blueSquare(p);
            diver(p, Qt::white);
        }));
        break;
    case LogbookTree::IMAGE_DIVE_SIMULATED:
        icon.addPixmap(draw(16, [](QPainter& p) {
            diver(p, INK);
            diskette(p);
        }));
        break;
    default:
        break;
    }
    icons.insert(image, icon);
    return icon;
}

QIcon toolbarIcon(const QString& key) {
    return QIcon(toolbarPixmap(key));
}

QPixmap titleBand(const QSize& size) {
    QPixmap band(size.expandedTo(QSize(1, 1)));
    QPainter p(&band);
    QLinearGradient sea(0, 0, band.width(), 0);
    sea.setColorAt(0.0, QColor(10, 50, 110));
    sea.setColorAt(1.0, QColor(120, 185, 230));
    p.fillRect(band.rect(), sea);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(255, 255, 255, 60), 1.2));
    for (int row = 0; row < 2; ++row) {
        QPainterPath wave;
        const double y = band.height() * (0.35 + 0.35 * row);
        wave.moveTo(0, y);
        for (int x = 0; x < band.width(); x += 24) {
            wave.quadTo(x + 6, y - 3, x + 12, y);
            wave.quadTo(x + 18, y + 3, x + 24, y);
        }
        p.drawPath(wave);
    }
    return band;
}

} // namespace MainPictures
