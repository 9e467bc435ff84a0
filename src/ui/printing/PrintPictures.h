#pragma once

#include <QPixmap>
#include <QSize>

// The printing windows' pictures, drawn in code.
namespace PrintPictures {

// A printer with a sheet coming out.
QPixmap printer(const QSize& size);
// Sheets of paper flying out of a tray.
QPixmap flyingPaper(const QSize& size);
// A magnifying glass with a plus (in) or a minus (out).
QPixmap zoom(const QSize& size, bool in);

} // namespace PrintPictures
