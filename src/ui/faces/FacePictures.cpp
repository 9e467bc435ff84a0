#include "FacePictures.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

namespace facepictures {

namespace {

const QColor ink(20, 24, 20);

QPixmap blank(QSize size) {
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

void smallWord(QPainter& p, const QRectF& box, const QString& word) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setBold(true);
    // The largest letters that fit the box.
    for (int size = qMax(6, int(box.height())); size >= 5; --size) {
        font.setPixelSize(size);
        if (QFontMetricsF(font).horizontalAdvance(word) <= box.width())
            break;
    }
    p.setFont(font);
    p.setPen(ink);
    p.drawText(box, Qt::AlignCenter, word);
}

} // namespace

QList<QPixmap> segmentPictures() {
    const QSize bar(27, 47), mountains(25, 24);
    return {ascentBar(bar, 4, true),       ascentBar(bar, 4, false),
            ascentBar(bar, 3, false),      ascentBar(bar, 2, false),
            ascentBar(bar, 1, false),      altitude(mountains, 1),
            altitude(mountains, 2),        altitude(mountains, 3),
            cnsWarning(QSize(19, 24)),     ascentWarning(QSize(9, 24), false),
            decoStopWarning(QSize(25, 24))};
}

QPixmap ascentBar(QSize size, int segments, bool slow) {
    QPixmap pixmap = blank(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal w = size.width();
    const qreal top = slow ? size.height() * 0.2 : size.height() * 0.05;
    const qreal slot = (size.height() - top) / 4.0;
    for (int i = 0; i < 4; ++i) {
        // Wedges widen upwards, the lowest segment the narrowest.
        const qreal y = size.height() - (i + 1) * slot;
        const qreal inset = (3 - i) * w * 0.1;
        QPainterPath wedge;
        wedge.moveTo(inset, y + 1);
        wedge.lineTo(w - 1, y + 1);
        wedge.lineTo(w - 1, y + slot - 2);
        wedge.lineTo(inset + w * 0.1, y + slot - 2);
        wedge.closeSubpath();
        if (i < segments)
            p.fillPath(wedge, ink);
        else
            p.strokePath(wedge, QPen(QColor(20, 24, 20, 50), 1));
    }
    if (slow)
        smallWord(p, QRectF(0, 0, w, top), QStringLiteral("SLOW"));
    return pixmap;
}

QPixmap ascentScale(QSize size, int bars) {
    QPixmap pixmap = blank(size);
    QPainter p(&pixmap);
    const qreal h = size.height();
    const qreal w = size.width();
    const qreal top = h * 0.14;
    const qreal slot = (h - top) / 6.0;
    static const char* const marks[] = {"%", "60", "70", "90", "100", "120"};
    for (int i = 0; i < 6; ++i) {
        const qreal y = h - (i + 1) * slot;
        smallWord(p, QRectF(0, y, w * 0.45, slot), QLatin1String(marks[i]));
        if (i == 0 || i > bars)
            continue;
        const qreal length = w * 0.2 + (w * 0.35) * i / 5.0;
        p.fillRect(QRectF(w * 0.45, y + 1, length, slot - 2), ink);
    }
    if (bars == 5)
        smallWord(p, QRectF(0, 0, w, top), QStringLiteral("slow"));
    return pixmap;
}

QPixmap altitude(QSize size, int filled) {
    QPixmap pixmap = blank(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal w = size.width();
    const qreal h = size.height();
    for (int i = 0; i < 3; ++i) {
        const qreal peak = h * (0.55 - 0.15 * i);
        const qreal x0 = i * w / 4.0;
        QPainterPath mountain;
        mountain.moveTo(x0, h - 1);
        mountain.lineTo(x0 + w / 4.0, peak);
        mountain.lineTo(x0 + w / 2.0, h - 1);
        mountain.closeSubpath();
        if (i < filled)
            p.fillPath(mountain, ink);
        p.strokePath(mountain, QPen(ink, 1.2));
    }
    return pixmap;
}

QPixmap ascentWarning(QSize size, bool fast) {
    QPixmap pixmap = blank(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal w = fast ? size.width() * 0.5 : size.width();
    const qreal h = size.height();
    QPainterPath arrow;
    arrow.moveTo(w / 2, 0);
    arrow.lineTo(w, h * 0.35);
    arrow.lineTo(w * 0.68, h * 0.35);
    arrow.lineTo(w * 0.68, h);
    arrow.lineTo(w * 0.32, h);
    arrow.lineTo(w * 0.32, h * 0.35);
    arrow.lineTo(0, h * 0.35);
    arrow.closeSubpath();
    p.fillPath(arrow, ink);
    if (fast) {
        p.save();
        p.translate(size.width() * 0.75, h / 2);
        p.rotate(-90);
        smallWord(p, QRectF(-h / 2, -size.width() * 0.25, h, size.width() * 0.5), QStringLiteral("FAST"));
        p.restore();
    }
    return pixmap;
}

QPixmap decoStopWarning(QSize size) {
    QPixmap pixmap = blank(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal w = size.width();
    const qreal h = size.height();
    // A swimming figure: head and body, above two stop bars.
    p.setBrush(ink);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QRectF(w * 0.08, h * 0.1, h * 0.22, h * 0.22));
    p.drawRoundedRect(QRectF(w * 0.3, h * 0.14, w * 0.62, h * 0.16), 2, 2);
    p.fillRect(QRectF(w * 0.05, h * 0.55, w * 0.9, h * 0.12), ink);
    p.fillRect(QRectF(w * 0.05, h * 0.8, w * 0.9, h * 0.12), ink);
    return pixmap;
}

QPixmap cnsWarning(QSize size) {
    QPixmap pixmap = blank(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal w = size.width();
    const qreal h = size.height();
    QPainterPath warning;
    warning.moveTo(w / 2, 1);
    warning.lineTo(w - 1, h * 0.6);
    warning.lineTo(1, h * 0.6);
    warning.closeSubpath();
    p.strokePath(warning, QPen(ink, 1.5));
    smallWord(p, QRectF(0, h * 0.62, w, h * 0.38), QStringLiteral("cns"));
    return pixmap;
}

QPixmap triangle(QSize size, bool up) {
    QPixmap pixmap = blank(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal w = size.width();
    const qreal h = size.height();
    QPainterPath path;
    if (up) {
        path.moveTo(w / 2, 0);
        path.lineTo(w, h);
        path.lineTo(0, h);
    } else {
        path.moveTo(0, 0);
        path.lineTo(w, 0);
        path.lineTo(w / 2, h);
    }
    path.closeSubpath();
    p.fillPath(path, ink);
    return pixmap;
}

QPixmap ascentChevrons(QSize size, int count) {
    QPixmap pixmap = blank(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    constexpr qreal stroke = 4;
    p.setPen(QPen(ink, stroke, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    // The stroke's half and the point its mitre adds above each apex stay inside the picture.
    const qreal left = stroke / 2;
    const qreal right = size.width() - stroke / 2;
    const qreal rise = (right - left) * 0.27;
    const qreal step = rise + stroke;
    const qreal base = size.height() - stroke / 2 - 1;
    for (int i = 0; i < count; ++i) {
        const qreal y = base - i * step;
        p.drawPolyline(QPolygonF({QPointF(left, y), QPointF((left + right) / 2, y - rise), QPointF(right, y)}));
    }
    return pixmap;
}

QPixmap pressedButton(QSize size) {
    QPixmap pixmap = blank(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient shade(0, 0, 0, size.height());
    shade.setColorAt(0, QColor(120, 10, 10));
    shade.setColorAt(1, QColor(200, 40, 30));
    p.setBrush(shade);
    p.setPen(QPen(QColor(60, 0, 0), 1));
    p.drawRoundedRect(QRectF(0.5, 0.5, size.width() - 1, size.height() - 1), size.height() / 2.5, size.height() / 2.5);
    return pixmap;
}

} // namespace facepictures
