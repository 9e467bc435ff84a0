#pragma once

#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <functional>
#include <optional>

class QPainter;

// A font as the pages ask for it: a name, two styles and a size in points.
struct PrintFont {
    QString name = QStringLiteral("Tahoma");
    bool bold = false;
    bool italic = false;
    int size = 8;
    bool operator==(const PrintFont&) const = default;
};

// A picture the device paints at its own size: its size in twips and the code that paints it into
// a rectangle of a painter (a chart, say, drawn straight onto the page).
struct PrintPicture {
    QSizeF sizeTwips;
    std::function<void(QPainter& painter, const QRectF& target)> paint;
};

// The surface a print job draws on: the printer, the preview's page picture or a recording for
// tests. Every page is composed in twips from the top-left corner of the printable area; the device
// turns twips into its own units. Line widths are device pixels, font sizes points, as on paper.
//
// The current point, line width and style, colour and font are kept here; the kinds of device only
// put the primitives on their surface.
class PrintDevice {
public:
    static constexpr int SCALE_TWIPS = 1;
    static constexpr int STYLE_SOLID = 0;
    static constexpr int STYLE_DASH_DOT_DOT = 4;

    virtual ~PrintDevice() = default;

    // True for the system printer: page breaks, the end of the document and the printer colours.
    virtual bool isPrinter() const = 0;

    // Only twips are offered; the mode is kept so that a page can say what it measures in.
    void setScaleMode(int mode) { m_scaleMode = mode; }
    int scaleMode() const { return m_scaleMode; }
    // The printable area in twips.
    virtual double scaleWidth() const = 0;
    virtual double scaleHeight() const = 0;

    double currentX = 0;
    double currentY = 0;

    void setDrawWidth(int pixels) { m_drawWidth = pixels; }
    int drawWidth() const { return m_drawWidth; }
    void setDrawStyle(int style) { m_drawStyle = style; }
    int drawStyle() const { return m_drawStyle; }
    void setForeColor(const QColor& color) { m_foreColor = color; }
    QColor foreColor() const { return m_foreColor; }
    void setFont(const PrintFont& font) { m_font = font; }
    const PrintFont& font() const { return m_font; }

    // In the current font, twips.
    virtual double textWidth(const QString& text) const = 0;
    virtual double textHeight(const QString& text) const = 0;

    // A segment; without a colour in ForeColor. The current point moves to the end.
    void line(double x1, double y1, double x2, double y2, std::optional<QColor> color = {});
    // A segment from the current point.
    void lineTo(double x, double y, std::optional<QColor> color = {});
    // The outline of the rectangle of two corners, and the filled rectangle.
    void box(double x1, double y1, double x2, double y2, std::optional<QColor> color = {});
    void filledBox(double x1, double y1, double x2, double y2, std::optional<QColor> color = {});
    // An outline in ForeColor; the current point moves to the centre.
    void circle(double x, double y, double radius);
    // Writes text with its top-left corner at the current point. A text that ends its line brings the
    // current point back to the left edge one text line lower; otherwise it moves right by its width.
    void print(const QString& text, bool endLine = true);
    // At its own size, top-left corner at (x, y).
    void paintPicture(const PrintPicture& picture, double x, double y);

    // Printer only: ends the page, and ends the document.
    virtual void newPage() = 0;
    virtual void endDoc() = 0;

protected:
    virtual void drawLine(const QPointF& from, const QPointF& to, const QColor& color) = 0;
    virtual void drawBox(const QRectF& box, const QColor& color, bool filled) = 0;
    virtual void drawCircle(const QPointF& centre, double radius, const QColor& color) = 0;
    virtual void drawText(const QPointF& topLeft, const QString& text) = 0;
    virtual void drawPicture(const PrintPicture& picture, const QPointF& topLeft) = 0;

private:
    int m_scaleMode = SCALE_TWIPS;
    int m_drawWidth = 1;
    int m_drawStyle = STYLE_SOLID;
    QColor m_foreColor = Qt::black;
    PrintFont m_font;
};
