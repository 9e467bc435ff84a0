#include "PainterDevice.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>

namespace {
bool isMarkFont(const PrintFont& font) {
    return font.name.compare(QLatin1String("Wingdings"), Qt::CaseInsensitive) == 0;
}
} // namespace

PainterDevice::PainterDevice(double dpiX, double dpiY) : m_dpiX(dpiX), m_dpiY(dpiY) {}

QFont PainterDevice::qtFont(const PrintFont& font) {
    QFont f;
    if (isMarkFont(font))
        f.setFamily(QStringLiteral("DejaVu Sans"));
    else
        // Where the pages' font is missing, the sans serif of the closest widths stands in, so that
        // labels keep within their columns.
        f.setFamilies({font.name, QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    f.setBold(font.bold);
    f.setItalic(font.italic);
    f.setPointSize(font.size > 0 ? font.size : 1);
    return f;
}

QString PainterDevice::displayedText(const PrintFont& font, const QString& text) {
    if (!isMarkFont(font))
        return text;
    QString shown = text;
    shown.replace(QChar(0xFC), QChar(0x2714));
    return shown;
}

double PainterDevice::textWidth(const QString& text) const {
    const QFontMetricsF metrics(qtFont(font()), metricsDevice());
    return metrics.horizontalAdvance(displayedText(font(), text)) * twipsPerDotX();
}

double PainterDevice::textHeight(const QString&) const {
    const QFontMetricsF metrics(qtFont(font()), metricsDevice());
    return metrics.height() * twipsPerDotY();
}

QPointF PainterDevice::toDots(const QPointF& twips) const {
    return QPointF(twips.x() / twipsPerDotX(), twips.y() / twipsPerDotY());
}

QRectF PainterDevice::toDots(const QRectF& twips) const {
    return QRectF(toDots(twips.topLeft()), toDots(twips.bottomRight()));
}

void PainterDevice::usePen(QPainter& p, const QColor& color) const {
    QPen pen(color);
    pen.setWidthF(std::max(1, drawWidth()));
    pen.setStyle(drawStyle() == STYLE_DASH_DOT_DOT ? Qt::DashDotDotLine : Qt::SolidLine);
    // Thin dashed lines need dashes long enough to be seen at printer resolution.
    if (drawStyle() == STYLE_DASH_DOT_DOT)
        pen.setDashPattern({12.0 * m_dpiX / 600 / pen.widthF(), 6.0 * m_dpiX / 600 / pen.widthF(),
                            2.0 * m_dpiX / 600 / pen.widthF(), 6.0 * m_dpiX / 600 / pen.widthF(),
                            2.0 * m_dpiX / 600 / pen.widthF(), 6.0 * m_dpiX / 600 / pen.widthF()});
    pen.setCapStyle(Qt::FlatCap);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
}

void PainterDevice::drawLine(const QPointF& from, const QPointF& to, const QColor& color) {
    QPainter& p = painter();
    usePen(p, color);
    p.drawLine(toDots(from), toDots(to));
}

void PainterDevice::drawBox(const QRectF& box, const QColor& color, bool filled) {
    QPainter& p = painter();
    if (filled) {
        p.fillRect(toDots(box), color);
        return;
    }
    usePen(p, color);
    p.drawRect(toDots(box));
}

void PainterDevice::drawCircle(const QPointF& centre, double radius, const QColor& color) {
    QPainter& p = painter();
    usePen(p, color);
    p.drawEllipse(toDots(centre), radius / twipsPerDotX(), radius / twipsPerDotY());
}

void PainterDevice::drawText(const QPointF& topLeft, const QString& text) {
    QPainter& p = painter();
    const QFont f = qtFont(font());
    p.setFont(f);
    p.setPen(foreColor());
    const QFontMetricsF metrics(f, metricsDevice());
    const QPointF origin = toDots(topLeft);
    p.drawText(QPointF(origin.x(), origin.y() + metrics.ascent()), displayedText(font(), text));
}

void PainterDevice::drawPicture(const PrintPicture& picture, const QPointF& topLeft) {
    if (!picture.paint)
        return;
    QPainter& p = painter();
    p.save();
    picture.paint(p, toDots(QRectF(topLeft, picture.sizeTwips)));
    p.restore();
}
