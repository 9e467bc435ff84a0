#include "FaceElements.h"

#include "FacePictures.h"
#include "Twips.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>
#include <cmath>

FaceImage::FaceImage(QWidget* parent) : QLabel(parent) {}

void FaceImage::setPicture(int index, const QPixmap& pixmap) {
    m_picture = index;
    m_pixmap = pixmap;
    update();
}

void FaceImage::paintEvent(QPaintEvent*) {
    if (m_pixmap.isNull())
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    if (m_stretch)
        p.drawPixmap(rect(), m_pixmap);
    else
        p.drawPixmap(QPoint(0, 0), m_pixmap);
}

void FaceImage::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

FaceSymbol::FaceSymbol(QWidget* parent) : QLabel(parent) {}

void FaceSymbol::paintEvent(QPaintEvent*) {
    const QString glyph = text();
    const int chevrons = glyph == QLatin1String("_")   ? 3
                         : glyph == QLatin1String("-") ? 2
                         : glyph == QLatin1String(";") ? 1
                                                       : 0;
    if (chevrons == 0 || m_place.isEmpty())
        return;
    QPainter p(this);
    p.drawPixmap(m_place.topLeft(), facepictures::ascentChevrons(m_place.size(), chevrons));
}

FaceShape::FaceShape(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void FaceShape::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(30, 30, 30), 1.5));
    p.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 12, 12);
}

namespace faceelements {

QString elementName(const char* name, int index) {
    const QString base = QString::fromLatin1(name);
    return index < 0 ? base : base + QString::number(index);
}

static QString firstInstalled(std::initializer_list<const char*> families) {
    const QStringList installed = QFontDatabase::families();
    for (const char* family : families)
        if (installed.contains(QLatin1String(family)))
            return QLatin1String(family);
    return QString();
}

QFont font(FaceFont kind, double points, bool bold) {
    static const QString digits = firstInstalled({"DSEG7 Classic", "DejaVu Sans Mono", "Liberation Mono"});
    static const QString letters = firstInstalled({"DSEG14 Classic", "DejaVu Sans Mono", "Liberation Mono"});
    static const QString caption = firstInstalled({"Tahoma", "Liberation Sans", "DejaVu Sans"});
    QFont f(kind == FaceFont::Digits ? digits : kind == FaceFont::Letters ? letters : caption);
    f.setPointSizeF(points);
    f.setBold(bold);
    f.setItalic(kind == FaceFont::Digits);
    return f;
}

QFont fitted(const QFont& font, const QString& text, QSize box) {
    QFont f = font;
    const QFontMetricsF metrics(f);
    const qreal width = metrics.horizontalAdvance(text);
    const qreal ascent = metrics.ascent();
    if (width <= 0 || ascent <= 0)
        return f;
    // Glyphs scale with the size: one measurement gives the size, a few half points make it fit.
    const qreal scale = qMin(1.0, qMin((box.width() - 2) / width, box.height() / ascent));
    f.setPointSizeF(qMax(4.0, std::floor(f.pointSizeF() * scale * 2) / 2));
    while (f.pointSizeF() > 4.0 && QFontMetricsF(f).horizontalAdvance(text) > box.width() - 2)
        f.setPointSizeF(f.pointSizeF() - 0.5);
    return f;
}

} // namespace faceelements
