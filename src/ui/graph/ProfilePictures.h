#pragma once

#include <QIcon>
#include <QString>

// The profile toolbars' buttons, drawn by the program: "dcOFF", "dcON", "tissueOFF", "tissueON"
// (the two check buttons; "DiveComputer" and "Tissue" give their released pictures), "PRINT",
// "PREVIEW", "SIMULATOR", "FIRST", "PREVIOUS", "NEXT" and "LAST". A null icon for any other key.
namespace ProfilePictures {
QIcon toolbarIcon(const QString& key);
}
