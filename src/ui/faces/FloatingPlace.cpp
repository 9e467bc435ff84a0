#include "FloatingPlace.h"

#include "Numeric.h"
#include "RuntimeError.h"
#include "SettingsStore.h"
#include "Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace floatingplace {

double storedTwips(const QString& key, double fallback) {
    const QString text = SettingsStore::value(key, QString::number(fallback));
    try {
        const double value = num::textToDouble(text);
        return std::isfinite(value) && std::abs(value) < 1e9 ? value : fallback;
    } catch (const RuntimeError&) {
        // A place someone typed into the file by hand: the window opens where it would at first use.
        return fallback;
    }
}

void storeTwips(const QString& key, int pixels) {
    SettingsStore::setValue(key, QString::number(Twips::twips(pixels)));
}

QRect ontoScreens(const QRect& frame, const QList<QRect>& screens) {
    if (screens.isEmpty())
        return frame;
    // Enough of the title bar to grab must lie on a screen.
    const QRect grip(frame.topLeft(), QSize(qMin(frame.width(), 40), qMin(frame.height(), 20)));
    for (const QRect& screen : screens)
        if (screen.intersects(grip))
            return frame;
    const QRect& screen = screens.first();
    QRect moved = frame;
    moved.moveLeft(qBound(screen.left(), frame.left(), qMax(screen.left(), screen.right() - frame.width() + 1)));
    moved.moveTop(qBound(screen.top(), frame.top(), qMax(screen.top(), screen.bottom() - frame.height() + 1)));
    return moved;
}

QList<QRect> screenAreas() {
    QList<QRect> areas;
    for (const QScreen* screen : QGuiApplication::screens())
        areas.append(screen->availableGeometry());
    return areas;
}

} // namespace floatingplace
