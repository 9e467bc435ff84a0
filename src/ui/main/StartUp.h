#pragma once

#include <QString>
#include <functional>

class QWidget;

// The program's start and end.

// Creates and loads the main window. The program sets it before `Main` runs.
using MainWindowFactory = std::function<QWidget*()>;
void setMainWindowFactory(MainWindowFactory factory);

// The main window `Main` created; null before that and once it is gone.
QWidget* mainWindow();

// Shows the splash window, checks the configured model and the database, then creates and shows
// the main window. A logbook another program holds (3218) is reported with Retry and Cancel. False
// when the program ended during start-up (no usable model was configured, or the user cancelled
// the wait for the logbook): the caller must then return without entering the event loop.
bool Main();

// True when the stored model code can be used. Otherwise lets the user pick a model for the next
// start in the options dialog and answers false once it closes: the program has to end.
bool checkDiveComputer();

// The options dialog's caption while the model is chosen at start-up: "S.O.N.A v.2.2.3".
QString startUpCaption();

// Unloads every loaded window, the last loaded first, each running its own close handling, then
// releases Internationalization and Settings. The windows are deleted once control returns to the
// event loop, so a window may call this from its own close handling. `form` is not used.
void unloadAllForms(QWidget* form = nullptr);
