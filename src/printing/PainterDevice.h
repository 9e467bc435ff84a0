#pragma once

#include "PrintDevice.h"

#include <QFont>

class QPaintDevice;
class QPainter;

// A device that paints with a QPainter on a Qt paint device of `dpi` dots per inch, twips turned
// into dots on the way. The kinds differ in when their painter begins and ends.
class PainterDevice : public PrintDevice {
public:
    double textWidth(const QString& text) const override;
    double textHeight(const QString& text) const override;

    // The Qt font a page font stands for. The check-mark font has no Linux counterpart: its marks are
    // Unicode symbols in DejaVu Sans (see displayedText).
    static QFont qtFont(const PrintFont& font);
    static QString displayedText(const PrintFont& font, const QString& text);

protected:
    PainterDevice(double dpiX, double dpiY);

    // The painter on the current page, begun when first needed.
    virtual QPainter& painter() = 0;
    // The device fonts are measured on.
    virtual QPaintDevice* metricsDevice() const = 0;

    void drawLine(const QPointF& from, const QPointF& to, const QColor& color) override;
    void drawBox(const QRectF& box, const QColor& color, bool filled) override;
    void drawCircle(const QPointF& centre, double radius, const QColor& color) override;
    void drawText(const QPointF& topLeft, const QString& text) override;
    void drawPicture(const PrintPicture& picture, const QPointF& topLeft) override;

    double twipsPerDotX() const { return 1440.0 / m_dpiX; }
    double twipsPerDotY() const { return 1440.0 / m_dpiY; }
    QPointF toDots(const QPointF& twips) const;
    QRectF toDots(const QRectF& twips) const;

private:
    void usePen(QPainter& p, const QColor& color) const;

    double m_dpiX;
    double m_dpiY;
};
