#include "SimulatorLook.h"

#include "FormLocalizer.h"
#include "Twips.h"

#include <QHash>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <functional>

namespace SimulatorLook {

namespace {
constexpr int ICON = 32; // drawn at twice the toolbar size, for sharp scaling

const QColor INK(40, 40, 48);
const QColor RED(200, 30, 30);
const QColor BLUE(30, 90, 180);
const QColor GREEN(30, 140, 60);

QPixmap canvas(int size = ICON) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

using Painting = std::function<void(QPainter&)>;

QIcon paintIcon(const Painting& paint) {
    QPixmap pixmap = canvas();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    paint(p);
    p.end();
    return QIcon(pixmap);
}

void triangle(QPainter& p, QPointF a, QPointF b, QPointF c, const QColor& color) {
    QPainterPath path;
    path.moveTo(a);
    path.lineTo(b);
    path.lineTo(c);
    path.closeSubpath();
    p.fillPath(path, color);
}

void miniDisplay(QPainter& p, const QRectF& r, const QColor& screen) {
    p.setPen(QPen(INK, 2));
    p.setBrush(QColor(225, 225, 230));
    p.drawRoundedRect(r, 4, 4);
    p.setBrush(screen);
    p.drawRect(r.adjusted(4, 4, -4, -r.height() / 3));
}

void tissueBars(QPainter& p, const QRectF& r, const QColor& bars) {
    p.setPen(QPen(INK, 1.5));
    p.setBrush(Qt::white);
    p.drawRect(r);
    const double w = r.width() / 5;
    const double heights[] = {0.8, 0.55, 0.7, 0.35, 0.5};
    for (int i = 0; i < 5; ++i) {
        const double h = (r.height() - 4) * heights[i];
        p.fillRect(QRectF(r.left() + 2 + i * w, r.bottom() - 2 - h, w - 2, h), bars);
    }
}

void floatingMark(QPainter& p) {
    p.setPen(QPen(BLUE, 2.5));
    p.drawLine(QPointF(20, 4), QPointF(29, 4));
    p.drawLine(QPointF(29, 4), QPointF(29, 13));
    p.drawLine(QPointF(29, 4), QPointF(20, 13));
}

void profileLine(QPainter& p, const QRectF& r, const QColor& color, double width) {
    p.setPen(QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    QPainterPath path;
    path.moveTo(r.left(), r.top());
    path.lineTo(r.left() + r.width() * 0.2, r.bottom());
    path.lineTo(r.left() + r.width() * 0.55, r.bottom());
    path.lineTo(r.left() + r.width() * 0.7, r.top() + r.height() * 0.3);
    path.lineTo(r.left() + r.width() * 0.85, r.top() + r.height() * 0.3);
    path.lineTo(r.right(), r.top());
    p.drawPath(path);
}

void skipArrows(QPainter& p, bool forward, bool toEnd) {
    const double dir = forward ? 1 : -1;
    const double mid = 16;
    const double x0 = forward ? 9 : 23;
    triangle(p, QPointF(x0, 7), QPointF(x0, 25), QPointF(x0 + dir * 12, mid), INK);
    if (toEnd)
        p.fillRect(QRectF(forward ? x0 + 12 : x0 - 15, 7, 3, 18), INK);
}

const QHash<QString, Painting>& paintings() {
    static const QHash<QString, Painting> all = {
        {QStringLiteral("play"),
         [](QPainter& p) {
             triangle(p, {8, 5}, {8, 27}, {27, 16}, GREEN);
         }},
        {QStringLiteral("pause"),
         [](QPainter& p) {
             p.fillRect(QRectF(8, 6, 6, 20), BLUE);
             p.fillRect(QRectF(18, 6, 6, 20), BLUE);
         }},
        {QStringLiteral("stop"), [](QPainter& p) { p.fillRect(QRectF(7, 7, 18, 18), RED); }},
        {QStringLiteral("undo"),
         [](QPainter& p) {
             p.setPen(QPen(INK, 3, Qt::SolidLine, Qt::RoundCap));
             p.drawArc(QRectF(8, 8, 18, 16), 90 * 16, -250 * 16);
             triangle(p, {4, 9}, {14, 3}, {14, 15}, INK);
         }},
        {QStringLiteral("FIRST"), [](QPainter& p) { skipArrows(p, false, true); }},
        {QStringLiteral("PREVIOUS"), [](QPainter& p) { skipArrows(p, false, false); }},
        {QStringLiteral("NEXT"), [](QPainter& p) { skipArrows(p, true, false); }},
        {QStringLiteral("LAST"), [](QPainter& p) { skipArrows(p, true, true); }},
        {QStringLiteral("dcOFF"), [](QPainter& p) { miniDisplay(p, QRectF(6, 3, 20, 26), QColor(150, 200, 170)); }},
        {QStringLiteral("dcON"),
         [](QPainter& p) {
             miniDisplay(p, QRectF(3, 9, 18, 21), QColor(150, 200, 170));
             floatingMark(p);
         }},
        {QStringLiteral("tissueOFF"), [](QPainter& p) { tissueBars(p, QRectF(4, 6, 24, 20), QColor(220, 60, 60)); }},
        {QStringLiteral("tissueON"),
         [](QPainter& p) {
             tissueBars(p, QRectF(2, 12, 20, 17), QColor(220, 60, 60));
             floatingMark(p);
         }},
        {QStringLiteral("SAVE"),
         [](QPainter& p) {
             p.setPen(QPen(INK, 2));
             p.setBrush(BLUE);
             p.drawRoundedRect(QRectF(5, 5, 22, 22), 2, 2);
             p.fillRect(QRectF(10, 6, 12, 8), Qt::white);
             p.fillRect(QRectF(9, 18, 14, 8), QColor(210, 210, 210));
         }},
        {QStringLiteral("PRINT"),
         [](QPainter& p) {
             p.setPen(QPen(INK, 2));
             p.setBrush(Qt::white);
             p.drawRect(QRectF(9, 3, 14, 10));
             p.setBrush(QColor(170, 170, 180));
             p.drawRoundedRect(QRectF(3, 12, 26, 12), 2, 2);
             p.setBrush(Qt::white);
             p.drawRect(QRectF(9, 20, 14, 9));
         }},
        {QStringLiteral("PREVIEW"),
         [](QPainter& p) {
             p.setPen(QPen(INK, 2));
             p.setBrush(Qt::white);
             p.drawRect(QRectF(4, 3, 18, 24));
             p.setPen(QPen(BLUE, 3));
             p.setBrush(QColor(200, 225, 255));
             p.drawEllipse(QRectF(13, 13, 11, 11));
             p.drawLine(QPointF(22, 22), QPointF(29, 29));
         }},
        {QStringLiteral("DEPTH_CHANGE"),
         [](QPainter& p) {
             profileLine(p, QRectF(3, 6, 26, 16), BLUE, 2.5);
             p.setPen(QPen(RED, 2));
             p.drawLine(QPointF(16, 10), QPointF(16, 30));
             triangle(p, {11, 25}, {21, 25}, {16, 31}, RED);
         }},
        {QStringLiteral("SETTINGS"),
         [](QPainter& p) {
             p.setPen(QPen(INK, 2));
             p.setBrush(QColor(250, 250, 250));
             p.drawRoundedRect(QRectF(9, 3, 14, 26), 6, 6);
             p.setBrush(GREEN);
             p.drawRect(QRectF(9, 11, 14, 9));
             p.setPen(Qt::white);
             QFont font = p.font();
             font.setPixelSize(8);
             font.setBold(true);
             p.setFont(font);
             p.drawText(QRectF(9, 11, 14, 9), Qt::AlignCenter, QStringLiteral("O2"));
         }},
    };
    return all;
}
} // namespace

QLabel* heading(QWidget* parent, const QString& name, const QString& tag) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    setTag(label, tag);
    Twips::makeTitleBand(label);
    QFont font = label->font();
    font.setPointSizeF(14);
    label->setFont(font);
    label->setContentsMargins(6, 0, 6, 0);
    return label;
}

QIcon toolIcon(const QString& key) {
    const auto found = paintings().constFind(key);
    return found == paintings().constEnd() ? QIcon() : paintIcon(*found);
}

QIcon stepIcon(bool down) {
    return paintIcon([down](QPainter& p) {
        const QColor color = down ? BLUE : QColor(20, 150, 170);
        p.fillRect(QRectF(12, down ? 3 : 14, 8, 15), color);
        if (down)
            triangle(p, {4, 17}, {28, 17}, {16, 30}, color);
        else
            triangle(p, {4, 15}, {28, 15}, {16, 2}, color);
    });
}

QPixmap savePicture(const QSize& size) {
    QPixmap pixmap(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sea(0, 0, 0, size.height());
    sea.setColorAt(0, QColor(90, 170, 230));
    sea.setColorAt(1, QColor(10, 40, 110));
    p.fillRect(pixmap.rect(), sea);

    const double w = size.width();
    const double h = size.height();
    const QRectF screen(w * 0.15, h * 0.06, w * 0.7, h * 0.24);
    p.setPen(QPen(INK, 2));
    p.setBrush(QColor(205, 230, 210));
    p.drawRoundedRect(screen, 6, 6);
    profileLine(p, screen.adjusted(8, 8, -8, -10), BLUE, 2.5);

    const double mid = w / 2;
    p.fillRect(QRectF(mid - 6, h * 0.34, 12, h * 0.14), Qt::white);
    triangle(p, {mid - 18, h * 0.47}, {mid + 18, h * 0.47}, {mid, h * 0.56}, Qt::white);

    const QRectF monitor(w * 0.12, h * 0.6, w * 0.76, h * 0.2);
    p.setPen(QPen(INK, 2));
    p.setBrush(QColor(220, 220, 225));
    p.drawRoundedRect(monitor, 4, 4);
    p.setBrush(QColor(40, 70, 120));
    p.drawRect(monitor.adjusted(6, 6, -6, -6));
    p.setBrush(QColor(200, 200, 205));
    p.drawRect(QRectF(w * 0.08, h * 0.84, w * 0.84, h * 0.09));
    p.setBrush(BLUE);
    p.drawRect(QRectF(w * 0.62, h * 0.86, w * 0.18, h * 0.05));
    p.end();
    return pixmap;
}

} // namespace SimulatorLook
