#pragma once

#include <QString>
#include <exception>
#include <optional>

// What the main window's commands decide apart from the window itself.
namespace MainCommands {

// The status panel's filter state: "Dive filter: Enabled" or "Dive filter: Disabled".
QString filterPanelText(bool on);
// The statement that shows every dive, newest first.
QString unfilteredStatement();

// The language of an entry of the HELP button's drop-down; none for another key.
std::optional<qint16> helpLanguage(const QString& key);

constexpr int HELP_CONTENTS = 1;
constexpr int HELP_INDEX = 2;
// Opens a help file at its contents or index. A failure of the help viewer shows its description,
// OK only, without a title of its own; a file that does not exist is the viewer's to report.
void openHelp(const QString& helpFile, int command);
// The program's help file: string 3007 when the program has none.
void showApplicationHelp(const QString& helpFile, int command);

} // namespace MainCommands
