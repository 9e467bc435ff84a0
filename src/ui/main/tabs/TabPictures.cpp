#include "TabPictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {
constexpr int SIZE = 32; // drawn large, shown at the toolbar's size

QFont letterFont(bool bold, bool italic, bool underline) {
    QFont font(QStringLiteral("DejaVu Serif"));
    font.setPixelSize(22);
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    return font;
}

void letter(QPainter& p, const QString& text, const QFont& font, const QColor& color = Qt::black) {
    p.setFont(font);
    p.setPen(color);
    p.drawText(QRect(0, 0, SIZE, SIZE), Qt::AlignCenter, text);
}

// Five text lines set left, centred or right.
void lines(QPainter& p, Qt::Alignment alignment) {
    p.setPen(QPen(QColor(40, 40, 40), 2.5, Qt::SolidLine, Qt::FlatCap));
    const int widths[] = {24, 16, 24, 12, 20};
    for (int i = 0; i < 5; ++i) {
        const int w = widths[i];
        const int x = alignment == Qt::AlignLeft ? 4 : alignment == Qt::AlignRight ? SIZE - 4 - w : (SIZE - w) / 2;
        const int y = 6 + i * 5;
        p.drawLine(x, y, x + w, y);
    }
}

void printer(QPainter& p) {
    p.setPen(QPen(QColor(60, 60, 60), 1.5));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(9, 3, 14, 10));
    p.setBrush(QColor(170, 170, 180));
    p.drawRoundedRect(QRectF(3, 12, 26, 11), 2, 2);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(8, 19, 16, 10));
    p.setPen(QPen(QColor(120, 120, 120), 1));
    p.drawLine(QPointF(11, 23), QPointF(21, 23));
    p.drawLine(QPointF(11, 26), QPointF(19, 26));
}

void clipboard(QPainter& p) {
    p.setPen(QPen(QColor(110, 70, 30), 1.5));
    p.setBrush(QColor(190, 140, 80));
    p.drawRoundedRect(QRectF(5, 4, 22, 26), 2, 2);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(8, 8, 16, 19));
    p.setBrush(QColor(150, 150, 150));
    p.drawRoundedRect(QRectF(11, 2, 10, 5), 1.5, 1.5);
    p.setPen(QPen(QColor(90, 90, 90), 1.2));
    for (int y = 12; y <= 24; y += 4)
        p.drawLine(QPointF(10, y), QPointF(22, y));
}

void sheet(QPainter& p) {
    p.setPen(QPen(QColor(20, 100, 50), 1.5));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(3, 4, 26, 24));
    p.setBrush(QColor(40, 140, 70));
    p.drawRect(QRectF(3, 4, 26, 6));
    p.setPen(QPen(QColor(60, 140, 90), 1));
    for (int y = 16; y < 28; y += 6)
        p.drawLine(QPointF(3, y), QPointF(29, y));
    for (int x = 12; x < 29; x += 9)
        p.drawLine(QPointF(x, 10), QPointF(x, 28));
}

void palette(QPainter& p) {
    p.setPen(QPen(QColor(90, 70, 50), 1.5));
    p.setBrush(QColor(240, 225, 200));
    QPainterPath board;
    board.addEllipse(QRectF(3, 5, 26, 22));
    QPainterPath hole;
    hole.addEllipse(QRectF(17, 17, 6, 5));
    p.drawPath(board.subtracted(hole));
    p.setPen(Qt::NoPen);
    const QColor colors[] = {QColor(210, 30, 30), QColor(30, 90, 210), QColor(30, 160, 60), QColor(240, 190, 20)};
    const QPointF spots[] = {{9, 12}, {15, 9}, {22, 11}, {9, 19}};
    for (int i = 0; i < 4; ++i) {
        p.setBrush(colors[i]);
        p.drawEllipse(spots[i], 2.8, 2.8);
    }
}
} // namespace

namespace TabPictures {

QIcon toolbarIcon(const QString& key) {
    QPixmap picture(SIZE, SIZE);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    if (key == QLatin1String("RTF_BOLD"))
        letter(p, QStringLiteral("B"), letterFont(true, false, false));
    else if (key == QLatin1String("RTF_ITALIC"))
        letter(p, QStringLiteral("I"), letterFont(false, true, false));
    else if (key == QLatin1String("RTF_UNDERLINE"))
        letter(p, QStringLiteral("U"), letterFont(false, false, true));
    else if (key == QLatin1String("RTF_LEFT"))
        lines(p, Qt::AlignLeft);
    else if (key == QLatin1String("RTF_CENTER"))
        lines(p, Qt::AlignHCenter);
    else if (key == QLatin1String("RTF_RIGHT"))
        lines(p, Qt::AlignRight);
    else if (key == QLatin1String("RTF_FONT"))
        letter(p, QStringLiteral("A"), letterFont(true, false, false), QColor(20, 60, 140));
    else if (key == QLatin1String("RTF_COLOR"))
        palette(p);
    else if (key == QLatin1String("RTF_PRINT"))
        printer(p);
    else if (key == QLatin1String("EXP_CLIPBOARD"))
        clipboard(p);
    else if (key == QLatin1String("EXP_EXCEL"))
        sheet(p);
    else
        return QIcon();
    p.end();
    return QIcon(picture);
}

} // namespace TabPictures
