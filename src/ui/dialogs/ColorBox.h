#pragma once

#include <QColor>
#include <QFrame>
#include <functional>

// A framed box filled with one colour that reports a double click; the options dialog's colour
// samples. A frame rather than a label, so that the form localiser treats its tag and tool tip
// like any other control's.
class ColorBox : public QFrame {
public:
    explicit ColorBox(QWidget* parent = nullptr);

    QColor color() const { return m_color; }
    void setColor(const QColor& color);

    std::function<void()> onDoubleClick;

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_color = Qt::black;
};

// Colours are kept as 32-bit values with red in the low byte, green and blue above it.
QColor colorFromValue(qint32 value);
qint32 valueFromColor(const QColor& color);
