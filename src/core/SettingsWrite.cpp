#include "SettingsWrite.h"

#include "MainModule.h"
#include "RuntimeError.h"
#include "Seams.h"

namespace SettingsWrite {

bool reported(const QString& origin, const std::function<void()>& write) {
    try {
        write();
        return true;
    } catch (const RuntimeError& e) {
        // The running program keeps what it has; only the next start would miss it.
        Seams::message().show(QStringLiteral("[%1] The settings could not be saved.\n[%2] %3")
                                  .arg(origin, QString::number(e.number()), e.description()),
                              Msg::OkOnly | Msg::Critical, getString(1005));
        return false;
    }
}

} // namespace SettingsWrite
