#pragma once

#include "PrintDevice.h"

#include <QList>

// A device that only writes down what is drawn, for tests: every primitive with its twips, the
// text, the font, the colour and the line width and style in force. Text metrics are fixed so that
// layouts can be worked out by hand: a character is 10 twips per point wide, a line 20 twips per
// point high (an 8-point line 160 twips, a character of it 80).
class RecordingDevice : public PrintDevice {
public:
    enum class Kind { Line, Box, FilledBox, Circle, Text, Picture, NewPage, EndDoc };

    struct Call {
        Kind kind;
        QPointF from; // line start, box corner, circle centre, text or picture top-left
        QPointF to;   // line end, opposite box corner
        double radius = 0;
        QSizeF size; // picture
        QString text;
        PrintFont font;
        QColor color;
        int width = 0;
        int style = 0;
    };

    RecordingDevice(double widthTwips, double heightTwips, bool printer = false)
        : m_width(widthTwips), m_height(heightTwips), m_printer(printer) {}

    bool isPrinter() const override { return m_printer; }
    double scaleWidth() const override { return m_width; }
    double scaleHeight() const override { return m_height; }
    double textWidth(const QString& text) const override { return 10.0 * font().size * text.size(); }
    double textHeight(const QString&) const override { return 20.0 * font().size; }
    void newPage() override;
    void endDoc() override;

    QList<Call> calls;
    // Makes the next drawing call throw, as a failing printer would.
    int failAfter = -1;

    QList<Call> ofKind(Kind kind) const;
    // The text calls, in order.
    QStringList texts() const;
    // The first text call whose text is `text`; a Call of kind EndDoc when there is none.
    Call textCall(const QString& text) const;
    int count(Kind kind) const { return int(ofKind(kind).size()); }

protected:
    void drawLine(const QPointF& from, const QPointF& to, const QColor& color) override;
    void drawBox(const QRectF& box, const QColor& color, bool filled) override;
    void drawCircle(const QPointF& centre, double radius, const QColor& color) override;
    void drawText(const QPointF& topLeft, const QString& text) override;
    void drawPicture(const PrintPicture& picture, const QPointF& topLeft) override;

private:
    void record(Call call);

    double m_width;
    double m_height;
    bool m_printer;
};
