#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

class QLabel;
class QWidget;

// The simulator windows' pictures and headings, drawn by the program.
namespace SimulatorLook {

// A dialog's heading: large bold white text on dark grey, its caption the string of `tag`.
QLabel* heading(QWidget* parent, const QString& name, const QString& tag);

// Toolbar pictures by button key: the recorder's "play", "pause", "stop", "undo", "FIRST",
// "PREVIOUS", "NEXT", "LAST"; the commands' "dcOFF", "dcON", "tissueOFF", "tissueON", "SAVE",
// "PRINT", "PREVIEW", "DEPTH_CHANGE", "SETTINGS".
QIcon toolIcon(const QString& key);

// The descend and ascend toggles: an arrow down or up.
QIcon stepIcon(bool down);

// The save dialog's picture: a dive profile on a small screen, an arrow down, a desktop computer.
QPixmap savePicture(const QSize& size);

} // namespace SimulatorLook
