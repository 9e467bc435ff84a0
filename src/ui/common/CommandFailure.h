#pragma once

#include <QString>
#include <exception>

namespace CommandFailure {

// The diagnostic of a main-window command that failed: its origin and what failed, a line break, then
// the error's number in brackets and its description.
QString text(const QString& origin, const QString& what, const std::exception& error);

// Shows that diagnostic under the warning title with the critical icon.
void report(const QString& origin, const QString& what, const std::exception& error);

} // namespace CommandFailure
