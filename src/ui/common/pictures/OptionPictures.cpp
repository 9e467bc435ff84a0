#include "OptionPictures.h"

#include "ModelCodes.h"

#include <QPainter>
#include <QPainterPath>

namespace {
constexpr int MODEL_SIZE = 28;
constexpr int ICON_SIZE = 32;

struct ModelLook {
    ModelCode model;
    QColor case_;
    bool round;
    bool airGauge;
};

// Round cases for the wrist models, square ones for the console-style models; the air-integrated
// models show a gauge arc beside the display.
const ModelLook modelLooks[] = {
    {ModelCode::dcZento, QColor(30, 90, 170), true, false},
    {ModelCode::dcLUMO, QColor(225, 180, 20), false, false},
    {ModelCode::dcZentoRGBM, QColor(230, 110, 30), true, false},
    {ModelCode::dcTAVEX, QColor(40, 140, 80), false, true},
    {ModelCode::dcLumoAir, QColor(20, 160, 170), false, true},
    {ModelCode::dcKOBI, QColor(190, 40, 50), true, false},
};

QPixmap transparentPixmap(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}
} // namespace

QPixmap modelPicture(qint32 code) {
    for (const ModelLook& look : modelLooks) {
        if (ModelCodes::code(look.model) != code)
            continue;
        QPixmap pixmap = transparentPixmap(MODEL_SIZE);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF body(2, 2, MODEL_SIZE - 4, MODEL_SIZE - 4);
        p.setPen(QPen(look.case_.darker(160), 1.5));
        p.setBrush(look.case_);
        if (look.round)
            p.drawEllipse(body);
        else
            p.drawRoundedRect(body, 5, 5);
        const QRectF display = look.round ? QRectF(8, 9, 12, 10) : QRectF(6, 7, 16, 13);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(200, 215, 190));
        p.drawRect(display);
        p.setPen(QPen(QColor(40, 40, 40), 1));
        p.drawLine(QPointF(display.left() + 2, display.top() + 3), QPointF(display.right() - 2, display.top() + 3));
        p.drawLine(QPointF(display.left() + 2, display.bottom() - 3),
                   QPointF(display.center().x(), display.bottom() - 3));
        if (look.airGauge) {
            p.setPen(QPen(Qt::white, 2));
            p.drawArc(QRectF(15, 14, 10, 10), 0, 180 * 16);
        }
        return pixmap;
    }
    return QPixmap();
}

QList<QPixmap> diverIcons() {
    // One wetsuit colour per icon, the same swimming figure.
    const QColor suits[] = {QColor(20, 20, 20),   QColor(200, 30, 30), QColor(30, 80, 200),
                            QColor(240, 190, 20), QColor(30, 150, 60), QColor(230, 120, 200)};
    QList<QPixmap> icons;
    for (const QColor& suit : suits) {
        QPixmap pixmap = transparentPixmap(ICON_SIZE);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        // Tank on the back.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(150, 150, 160));
        p.drawRoundedRect(QRectF(9, 9, 13, 5), 2, 2);
        // Body and legs, head down towards the right.
        p.setBrush(suit);
        p.drawRoundedRect(QRectF(8, 13, 16, 7), 3, 3);
        p.setPen(QPen(suit, 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(9, 16), QPointF(3, 13));
        p.drawLine(QPointF(9, 18), QPointF(3, 20));
        // Fins.
        p.setPen(QPen(QColor(20, 20, 20), 2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(3, 13), QPointF(1, 10));
        p.drawLine(QPointF(3, 20), QPointF(1, 23));
        // Head with mask.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(230, 190, 160));
        p.drawEllipse(QRectF(23, 12, 7, 7));
        p.setBrush(QColor(120, 200, 230));
        p.drawRect(QRectF(27, 13, 3, 3));
        // Bubbles.
        p.setPen(QPen(QColor(120, 180, 230), 1));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(26, 5, 3, 3));
        p.drawEllipse(QRectF(28, 1, 2, 2));
        icons.append(pixmap);
    }
    return icons;
}
