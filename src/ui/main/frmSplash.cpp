#include "frmSplash.h"

#include "FormLocalizer.h"
#include "MainModule.h"
#include "WindowHelpers.h"

#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRandomGenerator>

namespace {
constexpr int WIDTH = 480;
constexpr int HEIGHT = 300;
} // namespace

QPixmap splashPicture(const QSize& size) {
    QPixmap pixmap(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal w = size.width();
    const qreal h = size.height();

    // Water, light near the surface and dark in the depth.
    QLinearGradient water(0, 0, 0, h);
    water.setColorAt(0.0, QColor(70, 170, 210));
    water.setColorAt(0.45, QColor(20, 90, 150));
    water.setColorAt(1.0, QColor(5, 25, 60));
    p.fillRect(QRectF(0, 0, w, h), water);

    // Light falling through the surface.
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 5; ++i) {
        const qreal x = w * (0.12 + 0.19 * i);
        QPainterPath ray;
        ray.moveTo(x, 0);
        ray.lineTo(x + w * 0.06, 0);
        ray.lineTo(x + w * 0.16, h);
        ray.lineTo(x + w * 0.02, h);
        ray.closeSubpath();
        p.fillPath(ray, QColor(255, 255, 255, 18));
    }

    // The surface line.
    QPainterPath wave;
    wave.moveTo(0, 10);
    for (qreal x = 0; x <= w; x += w / 12)
        wave.quadTo(x + w / 48, 4, x + w / 24, 10);
    p.setPen(QPen(QColor(220, 240, 250, 160), 2));
    p.drawPath(wave);

    // A depth profile seen from the side: descent, bottom time, stops, ascent.
    QPainterPath profile;
    profile.moveTo(w * 0.08, h * 0.22);
    profile.lineTo(w * 0.22, h * 0.78);
    profile.lineTo(w * 0.48, h * 0.74);
    profile.lineTo(w * 0.62, h * 0.50);
    profile.lineTo(w * 0.72, h * 0.50);
    profile.lineTo(w * 0.78, h * 0.38);
    profile.lineTo(w * 0.86, h * 0.38);
    profile.lineTo(w * 0.92, h * 0.22);
    p.setPen(QPen(QColor(255, 210, 80), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(profile);

    // Bubbles, always in the same places.
    QRandomGenerator bubbles(2023);
    p.setPen(QPen(QColor(255, 255, 255, 150), 1.2));
    for (int i = 0; i < 24; ++i) {
        const qreal r = 2 + bubbles.bounded(5);
        p.drawEllipse(QPointF(w * 0.55 + bubbles.bounded(int(w * 0.4)), h * 0.15 + bubbles.bounded(int(h * 0.6))), r,
                      r);
    }

    // The program's name.
    QFont name(QStringLiteral("DejaVu Sans"));
    name.setPixelSize(int(h * 0.2));
    name.setBold(true);
    name.setLetterSpacing(QFont::PercentageSpacing, 110);
    p.setFont(name);
    p.setPen(QColor(0, 0, 0, 90));
    p.drawText(QRectF(w * 0.06 + 3, h * 0.30 + 3, w * 0.9, h * 0.25), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("S.O.N.A 2"));
    p.setPen(Qt::white);
    p.drawText(QRectF(w * 0.06, h * 0.30, w * 0.9, h * 0.25), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("S.O.N.A 2"));
    return pixmap;
}

frmSplash::frmSplash(QWidget* parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("frmSplash"));
    Forms::add(this);
    setFixedSize(WIDTH, HEIGHT);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(0, 0, WIDTH, HEIGHT);
    Image1->setPixmap(splashPicture(size()));

    lblVersion = new QLabel(this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    lblVersion->setGeometry(WIDTH - 200, HEIGHT - 34, 188, 24);
    lblVersion->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QPalette text = lblVersion->palette();
    text.setColor(QPalette::WindowText, Qt::white);
    lblVersion->setPalette(text);

    localizeForm(this);
    centerForm(this);
    lblVersion->setText(getString(1604) + QLatin1Char(' ') + QString::number(SONA_VERSION_MAJOR) + QLatin1Char('.') +
                        QString::number(SONA_VERSION_MINOR));
}
