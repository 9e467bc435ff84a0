#pragma once

#include <QIcon>
#include <QString>

// The buttons of the notes and profile-data toolbars, drawn by the program.
namespace TabPictures {

// "RTF_BOLD" ... "RTF_PRINT", "EXP_CLIPBOARD", "EXP_EXCEL"; a null icon for any other key.
QIcon toolbarIcon(const QString& key);

} // namespace TabPictures
