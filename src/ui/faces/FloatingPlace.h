#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>

class QWidget;

// Where a floating window was left: its place (and size) kept in the settings store in twips.
namespace floatingplace {

// The stored value of `key` in twips, or `fallback` when it is missing or not a number.
double storedTwips(const QString& key, double fallback);
void storeTwips(const QString& key, int pixels);
// A window frame that lies on none of the screens, moved into the first of them; one that shows
// on a screen stays where it is.
QRect ontoScreens(const QRect& frame, const QList<QRect>& screens);
// The available areas of the desktop's screens.
QList<QRect> screenAreas();

} // namespace floatingplace
