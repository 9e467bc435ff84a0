#pragma once

#include <QString>
#include <exception>
#include <type_traits>
#include <utility>

namespace CommandFailure {

// The diagnostic of a main-window command that failed: its origin and what failed, a line break, then
// the error's number in brackets and its description.
QString text(const QString& origin, const QString& what, const std::exception& error);

// Shows that diagnostic under the warning title with the critical icon.
void report(const QString& origin, const QString& what, const std::exception& error);

// A main-window handler run from a window event, for a connection: nothing may escape into the
// event loop, so a failure is reported from `origin`.
template <typename F> auto guarded(const char* origin, const char* what, F&& handler) {
    return [origin, what, handler = std::forward<F>(handler)](auto&&... args) {
        try {
            if constexpr (std::is_invocable_v<F, decltype(args)...>)
                handler(args...);
            else
                handler();
        } catch (const std::exception& error) {
            report(QLatin1String(origin), QLatin1String(what), error);
        }
    };
}

// Entries typed for a dive that the database refused to store: string 3031 for a text too long for
// its column, which the diver can shorten; the true cause (a read-only logbook, one another
// program holds) otherwise.
void reportRefusedEdit(const std::exception& error);

// Asks, with the refusal's cause, whether to drop such entries so that the program can end. True
// for Yes.
bool discardRefusedEdit(const std::exception& error);

} // namespace CommandFailure
