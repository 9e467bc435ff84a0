#include "DownloadPictures.h"

#include "OptionPictures.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace {
constexpr int PICTURE_WIDTH = 220;
constexpr int PICTURE_HEIGHT = 170;
constexpr int NODE_SIZE = 16;
constexpr int TOOL_SIZE = 24;

QPixmap transparentPixmap(int width, int height) {
    QPixmap pixmap(width, height);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// The interface unit seen from the front and a little above: a dark housing with a shallow bed
// on top, the infrared window and the power light.
void drawUnit(QPainter& p) {
    QPainterPath housing;
    housing.moveTo(30, 120);
    housing.lineTo(190, 120);
    housing.lineTo(205, 158);
    housing.lineTo(15, 158);
    housing.closeSubpath();
    QLinearGradient shade(0, 120, 0, 158);
    shade.setColorAt(0, QColor(90, 95, 105));
    shade.setColorAt(1, QColor(40, 42, 48));
    p.setPen(QPen(QColor(25, 25, 30), 1.5));
    p.setBrush(shade);
    p.drawPath(housing);
    p.setBrush(QColor(30, 32, 36));
    p.drawRoundedRect(QRectF(55, 114, 110, 10), 4, 4);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(150, 20, 30));
    p.drawRoundedRect(QRectF(100, 140, 20, 8), 2, 2);
    p.setBrush(QColor(80, 220, 90));
    p.drawEllipse(QRectF(180, 146, 6, 6));
}

// The device's liquid-crystal display with a depth and a time on it.
void drawDisplay(QPainter& p, const QRectF& display) {
    p.setPen(QPen(QColor(30, 30, 30), 1));
    p.setBrush(QColor(196, 212, 186));
    p.drawRoundedRect(display, 3, 3);
    QFont digits(QStringLiteral("DejaVu Sans Mono"));
    digits.setBold(true);
    digits.setPixelSize(int(display.height() * 0.36));
    p.setFont(digits);
    p.setPen(QColor(35, 40, 35));
    const QRectF upper(display.left(), display.top() + 2, display.width(), display.height() / 2 - 2);
    const QRectF lower(display.left(), display.center().y(), display.width(), display.height() / 2 - 2);
    p.drawText(upper, Qt::AlignCenter, QStringLiteral("PC"));
    p.drawText(lower, Qt::AlignCenter, QStringLiteral("0:00"));
}

void drawBand(QPainter& p, const QRectF& band) {
    p.setPen(QPen(QColor(20, 20, 20), 1));
    p.setBrush(QColor(45, 45, 50));
    p.drawRoundedRect(band, 4, 4);
    p.setPen(QPen(QColor(70, 70, 75), 1));
    for (qreal x = band.left() + 5; x < band.right() - 3; x += 7)
        p.drawLine(QPointF(x, band.top() + 3), QPointF(x, band.bottom() - 3));
}

void drawStrap(QPainter& p, const QRectF& left, const QRectF& right) {
    drawBand(p, left);
    drawBand(p, right);
}

void drawButton(QPainter& p, const QPointF& centre) {
    p.setPen(QPen(QColor(40, 40, 40), 1));
    p.setBrush(QColor(210, 210, 215));
    p.drawEllipse(centre, 4.5, 4.5);
}

// A round case with four buttons.
void drawZento(QPainter& p) {
    drawStrap(p, QRectF(8, 64, 62, 30), QRectF(150, 64, 62, 30));
    const QPointF centre(110, 78);
    for (int i = 0; i < 4; ++i) {
        const qreal a = qDegreesToRadians(45.0 + 90.0 * i);
        drawButton(p, centre + QPointF(47 * qCos(a), 47 * qSin(a)));
    }
    p.setPen(QPen(QColor(15, 50, 110), 2));
    p.setBrush(QColor(30, 90, 170));
    p.drawEllipse(centre, 44, 44);
    drawDisplay(p, QRectF(82, 56, 56, 44));
}

// A square case with two buttons under the display.
void drawLumo(QPainter& p) {
    drawStrap(p, QRectF(8, 62, 62, 30), QRectF(150, 62, 62, 30));
    p.setPen(QPen(QColor(140, 110, 10), 2));
    p.setBrush(QColor(225, 180, 20));
    p.drawRoundedRect(QRectF(66, 34, 88, 84), 14, 14);
    drawDisplay(p, QRectF(78, 44, 64, 46));
    drawButton(p, QPointF(94, 104));
    drawButton(p, QPointF(126, 104));
}

// A square case with the high-pressure hose to the tank valve and a pressure arc.
void drawTavex(QPainter& p) {
    drawStrap(p, QRectF(8, 64, 58, 30), QRectF(150, 64, 62, 30));
    QPainterPath hose;
    hose.moveTo(140, 34);
    hose.cubicTo(150, 10, 180, 4, 212, 6);
    p.setPen(QPen(QColor(25, 25, 25), 9, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(hose);
    p.setPen(QPen(QColor(20, 80, 45), 2));
    p.setBrush(QColor(40, 140, 80));
    p.drawRoundedRect(QRectF(62, 30, 92, 90), 12, 12);
    drawDisplay(p, QRectF(74, 40, 68, 44));
    p.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(92, 88, 32, 26), 20 * 16, 140 * 16);
    p.setPen(QPen(QColor(220, 40, 40), 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(108, 104), QPointF(118, 94));
}

// A watch with a turning bezel.
void drawKobi(QPainter& p) {
    drawStrap(p, QRectF(8, 66, 66, 26), QRectF(146, 66, 66, 26));
    const QPointF centre(110, 78);
    p.setPen(QPen(QColor(90, 15, 20), 2));
    p.setBrush(QColor(190, 40, 50));
    p.drawEllipse(centre, 46, 46);
    p.setPen(QPen(QColor(240, 240, 240), 2));
    for (int i = 0; i < 12; ++i) {
        const qreal a = qDegreesToRadians(30.0 * i);
        p.drawLine(centre + QPointF(40 * qCos(a), 40 * qSin(a)), centre + QPointF(45 * qCos(a), 45 * qSin(a)));
    }
    p.setPen(QPen(QColor(40, 40, 40), 1));
    p.setBrush(QColor(25, 25, 30));
    p.drawEllipse(centre, 37, 37);
    drawDisplay(p, QRectF(86, 60, 48, 36));
    drawButton(p, centre + QPointF(49, -14));
    drawButton(p, centre + QPointF(49, 14));
}
} // namespace

QPixmap deviceInUnitPicture(DeviceLook look) {
    QPixmap pixmap = transparentPixmap(PICTURE_WIDTH, PICTURE_HEIGHT);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    drawUnit(p);
    switch (look) {
    case DeviceLook::Zento:
        drawZento(p);
        break;
    case DeviceLook::Lumo:
        drawLumo(p);
        break;
    case DeviceLook::Tavex:
        drawTavex(p);
        break;
    case DeviceLook::Kobi:
        drawKobi(p);
        break;
    }
    return pixmap;
}

QPixmap serialCablePicture() {
    QPixmap pixmap = transparentPixmap(90, PICTURE_HEIGHT);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    // The cable leaves the unit low on the right and rises to the plug.
    QPainterPath cable;
    cable.moveTo(0, 145);
    cable.cubicTo(40, 150, 60, 110, 45, 62);
    p.setPen(QPen(QColor(60, 60, 65), 5, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(cable);
    // A nine-pin serial plug: a trapezoid shell with two rows of pins.
    QPainterPath shell;
    shell.moveTo(22, 20);
    shell.lineTo(68, 20);
    shell.lineTo(62, 44);
    shell.lineTo(28, 44);
    shell.closeSubpath();
    p.setPen(QPen(QColor(70, 70, 80), 1.5));
    p.setBrush(QColor(185, 190, 200));
    p.drawRoundedRect(QRectF(14, 14, 62, 36), 4, 4);
    p.setBrush(QColor(45, 45, 55));
    p.drawPath(shell);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(220, 190, 90));
    for (int i = 0; i < 5; ++i)
        p.drawEllipse(QPointF(29 + 8 * i, 27), 2, 2);
    for (int i = 0; i < 4; ++i)
        p.drawEllipse(QPointF(33 + 8 * i, 37), 2, 2);
    p.setPen(QPen(QColor(70, 70, 80), 1.5));
    p.setBrush(QColor(110, 110, 120));
    p.drawRoundedRect(QRectF(34, 50, 22, 14), 3, 3);
    return pixmap;
}

QIcon modelNodeIcon(qint32 code) {
    const QPixmap model = modelPicture(code);
    if (model.isNull())
        return {};
    return QIcon(model.scaled(NODE_SIZE, NODE_SIZE, Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

namespace {
// A logbook: a blue cover, closed, or open on two pages for the selected one.
QPixmap bookPixmap(int size, bool open) {
    QPixmap pixmap = transparentPixmap(size, size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size / 16.0;
    p.scale(s, s);
    if (open) {
        p.setPen(QPen(QColor(20, 50, 110), 1));
        p.setBrush(QColor(40, 90, 170));
        p.drawRect(QRectF(0.5, 3.5, 15, 11));
        p.setBrush(Qt::white);
        p.setPen(QPen(QColor(120, 120, 120), 0.8));
        p.drawRect(QRectF(1.5, 2.5, 6.5, 11));
        p.drawRect(QRectF(8, 2.5, 6.5, 11));
        for (int i = 0; i < 3; ++i) {
            p.drawLine(QPointF(2.8, 5 + 2.5 * i), QPointF(6.8, 5 + 2.5 * i));
            p.drawLine(QPointF(9.3, 5 + 2.5 * i), QPointF(13.3, 5 + 2.5 * i));
        }
    } else {
        p.setPen(QPen(QColor(20, 50, 110), 1));
        p.setBrush(QColor(40, 90, 170));
        p.drawRoundedRect(QRectF(2.5, 1.5, 11, 13), 1.5, 1.5);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(235, 235, 225));
        p.drawRect(QRectF(12, 2.5, 1.5, 11));
        p.setBrush(QColor(250, 210, 60));
        p.drawRect(QRectF(5, 4.5, 6, 2));
    }
    return pixmap;
}

void drawSign(QPainter& p, bool plus) {
    const QColor colour = plus ? QColor(30, 150, 50) : QColor(200, 30, 30);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(17.5, 17.5), 6.5, 6.5);
    p.setBrush(colour);
    p.drawEllipse(QPointF(17.5, 17.5), 5.5, 5.5);
    p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap));
    if (plus) {
        p.drawLine(QPointF(14.5, 17.5), QPointF(20.5, 17.5));
        p.drawLine(QPointF(17.5, 14.5), QPointF(17.5, 20.5));
    } else {
        p.drawLine(QPointF(15.3, 15.3), QPointF(19.7, 19.7));
        p.drawLine(QPointF(19.7, 15.3), QPointF(15.3, 19.7));
    }
}

// Two sliders: the settings.
QPixmap preferencesPixmap() {
    QPixmap pixmap = transparentPixmap(TOOL_SIZE, TOOL_SIZE);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(90, 90, 100), 2, Qt::SolidLine, Qt::RoundCap));
    for (int row = 0; row < 3; ++row)
        p.drawLine(QPointF(3, 5 + 7 * row), QPointF(21, 5 + 7 * row));
    p.setPen(QPen(QColor(40, 40, 50), 1));
    p.setBrush(QColor(240, 160, 40));
    const qreal knobs[] = {15, 7, 12};
    for (int row = 0; row < 3; ++row)
        p.drawRoundedRect(QRectF(knobs[row] - 2.5, 1.5 + 7 * row, 5, 7), 1.5, 1.5);
    return pixmap;
}
} // namespace

QIcon logbookNodeIcon() {
    QIcon icon(bookPixmap(NODE_SIZE, false));
    icon.addPixmap(bookPixmap(NODE_SIZE, true), QIcon::Selected);
    return icon;
}

QPixmap logbookPicture(int size) {
    return bookPixmap(size, false);
}

QIcon downloadToolIcon(const QString& key) {
    if (key == QLatin1String("PREFERENCE"))
        return QIcon(preferencesPixmap());
    if (key != QLatin1String("NEW") && key != QLatin1String("DELETE"))
        return {};
    QPixmap pixmap = bookPixmap(TOOL_SIZE, false);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    drawSign(p, key == QLatin1String("NEW"));
    p.end();
    return QIcon(pixmap);
}
