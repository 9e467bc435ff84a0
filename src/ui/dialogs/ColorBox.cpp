#include "ColorBox.h"

#include <QMouseEvent>
#include <QPainter>

ColorBox::ColorBox(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Box | QFrame::Plain);
}

void ColorBox::setColor(const QColor& color) {
    m_color = color;
    update();
}

void ColorBox::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
    if (onDoubleClick)
        onDoubleClick();
}

void ColorBox::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(contentsRect(), m_color);
    painter.end();
    QFrame::paintEvent(event);
}

QColor colorFromValue(qint32 value) {
    const quint32 v = quint32(value);
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

qint32 valueFromColor(const QColor& color) {
    return color.red() + 256 * color.green() + 65536 * color.blue();
}
