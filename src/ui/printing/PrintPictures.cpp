#include "PrintPictures.h"

#include <QPainter>
#include <functional>

namespace PrintPictures {

namespace {
// A transparent picture of `size` that `paint` draws on, given its width and height.
QPixmap drawn(const QSize& size, const std::function<void(QPainter&, qreal, qreal)>& paint) {
    QPixmap picture(size);
    picture.fill(Qt::transparent);
    {
        QPainter p(&picture);
        p.setRenderHint(QPainter::Antialiasing);
        paint(p, size.width(), size.height());
    }
    return picture;
}
} // namespace

QPixmap printer(const QSize& size) {
    return drawn(size, [](QPainter& p, qreal w, qreal h) {
        p.setPen(QPen(QColor(60, 60, 60), 1.5));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(w * 0.28, h * 0.08, w * 0.44, h * 0.36));
        p.setBrush(QColor(110, 120, 135));
        p.drawRoundedRect(QRectF(w * 0.08, h * 0.38, w * 0.84, h * 0.34), 4, 4);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(w * 0.24, h * 0.62, w * 0.52, h * 0.30));
        p.setPen(QPen(QColor(150, 150, 150), 1));
        for (int line = 0; line < 3; ++line)
            p.drawLine(QPointF(w * 0.30, h * (0.70 + 0.06 * line)), QPointF(w * 0.70, h * (0.70 + 0.06 * line)));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(80, 200, 80));
        p.drawEllipse(QPointF(w * 0.82, h * 0.48), w * 0.03, w * 0.03);
    });
}

QPixmap flyingPaper(const QSize& size) {
    return drawn(size, [](QPainter& p, qreal w, qreal h) {
        p.setPen(QPen(QColor(60, 60, 60), 1.2));
        p.setBrush(QColor(200, 170, 110));
        p.drawRect(QRectF(w * 0.04, h * 0.62, w * 0.26, h * 0.28));
        for (int sheet = 0; sheet < 3; ++sheet) {
            p.save();
            p.translate(w * (0.30 + 0.22 * sheet), h * (0.55 - 0.15 * sheet));
            p.rotate(-20 + 15 * sheet);
            p.setBrush(Qt::white);
            p.drawRect(QRectF(-w * 0.08, -h * 0.22, w * 0.16, h * 0.40));
            p.restore();
        }
    });
}

QPixmap zoom(const QSize& size, bool in) {
    return drawn(size, [in](QPainter& p, qreal w, qreal h) {
        const QPointF centre(w * 0.42, h * 0.42);
        const qreal r = w * 0.30;
        p.setPen(QPen(QColor(60, 60, 60), 2, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(QColor(220, 235, 255));
        p.drawEllipse(centre, r, r);
        p.drawLine(centre + QPointF(r * 0.7, r * 0.7), QPointF(w * 0.92, h * 0.92));
        p.drawLine(centre - QPointF(r * 0.5, 0), centre + QPointF(r * 0.5, 0));
        if (in)
            p.drawLine(centre - QPointF(0, r * 0.5), centre + QPointF(0, r * 0.5));
    });
}

} // namespace PrintPictures
