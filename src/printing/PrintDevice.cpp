#include "PrintDevice.h"

void PrintDevice::line(double x1, double y1, double x2, double y2, std::optional<QColor> color) {
    drawLine(QPointF(x1, y1), QPointF(x2, y2), color.value_or(m_foreColor));
    currentX = x2;
    currentY = y2;
}

void PrintDevice::lineTo(double x, double y, std::optional<QColor> color) {
    line(currentX, currentY, x, y, color);
}

void PrintDevice::box(double x1, double y1, double x2, double y2, std::optional<QColor> color) {
    drawBox(QRectF(QPointF(x1, y1), QPointF(x2, y2)).normalized(), color.value_or(m_foreColor), false);
    currentX = x2;
    currentY = y2;
}

void PrintDevice::filledBox(double x1, double y1, double x2, double y2, std::optional<QColor> color) {
    drawBox(QRectF(QPointF(x1, y1), QPointF(x2, y2)).normalized(), color.value_or(m_foreColor), true);
    currentX = x2;
    currentY = y2;
}

void PrintDevice::circle(double x, double y, double radius) {
    drawCircle(QPointF(x, y), radius, m_foreColor);
    currentX = x;
    currentY = y;
}

void PrintDevice::print(const QString& text, bool endLine) {
    drawText(QPointF(currentX, currentY), text);
    if (endLine) {
        currentX = 0;
        currentY += textHeight(text);
    } else {
        currentX += textWidth(text);
    }
}

void PrintDevice::paintPicture(const PrintPicture& picture, double x, double y) {
    drawPicture(picture, QPointF(x, y));
}
