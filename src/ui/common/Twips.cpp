#include "Twips.h"

#include <QLabel>

namespace Twips {

QRect pixels(int left, int top, int width, int height) {
    return QRect(pixels(left), pixels(top), pixels(width), pixels(height));
}

QRect pixels(const QRect& twips) {
    return pixels(twips.left(), twips.top(), twips.width(), twips.height());
}

QRect twips(const QRect& pixels) {
    return QRect(twips(pixels.left()), twips(pixels.top()), twips(pixels.width()), twips(pixels.height()));
}

void makeTitleBand(QLabel* label) {
    label->setAutoFillBackground(true);
    QPalette band = label->palette();
    band.setColor(QPalette::Window, QColor(128, 128, 128));
    band.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(band);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
}

} // namespace Twips
