#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>

// The main window's pictures, drawn by the program: the tree's and lists' icons (by their place in
// the image list, see LogbookTree::Image), the main toolbar's buttons and the band above the tabs.
namespace MainPictures {

// An image of the logbook list; a null icon for a place that holds none. The logbook's icon
// carries the raised flag as its selected form.
QIcon logBookIcon(int image);
// The button of the main toolbar with that key ("DOWNLOAD", "SETTINGS"...).
QIcon toolbarIcon(const QString& key);
QPixmap titleBand(const QSize& size);

} // namespace MainPictures
