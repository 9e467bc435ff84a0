#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

// Pictures of the download windows, drawn by the program.

// The device families as the confirmation window pictures them.
enum class DeviceLook { Zento, Lumo, Tavex, Kobi };

// A device of the family lying in the interface unit, as the user is to place it.
QPixmap deviceInUnitPicture(DeviceLook look);
// The cable from the interface unit to the computer's serial port.
QPixmap serialCablePicture();

// The logbook tree's images: 2 the model, 3 a logbook, 4 the selected logbook; the model's image
// is the picture of model `code`.
QIcon modelNodeIcon(qint32 code);
QIcon logbookNodeIcon();
// A closed logbook at any size.
QPixmap logbookPicture(int size);

// The download window's toolbar images by button key: "NEW", "DELETE", "PREFERENCE".
QIcon downloadToolIcon(const QString& key);
