#pragma once

#include <QString>
#include <functional>

// Settings written from an event handler (a window closing, a button): a store that cannot be
// written must not end the program or keep the window open.
namespace SettingsWrite {

// Runs `write`; a RuntimeError it raises is shown once, naming `origin`, the error's number and
// description, and the answer is false. Any other error goes to the caller.
bool reported(const QString& origin, const std::function<void()>& write);

} // namespace SettingsWrite
