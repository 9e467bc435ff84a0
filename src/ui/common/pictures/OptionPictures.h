#pragma once

#include <QList>
#include <QPixmap>

// Pictures the program draws itself: a small picture of each dive computer model and the six
// diver icons the profile can be replayed with.

// The picture of model code 1, 2, 4, 8, 16 or 32; a null pixmap for any other code.
QPixmap modelPicture(qint32 code);

// The six diver icons, icon number 1 first.
QList<QPixmap> diverIcons();
