#include "CommandFailure.h"

#include "MainModule.h"
#include "RuntimeError.h"
#include "Seams.h"

namespace CommandFailure {

QString text(const QString& origin, const QString& what, const std::exception& error) {
    const ErrorDescription failure = describe(error);
    QString text = QStringLiteral("[frmMain.%1] %2\n").arg(origin, what);
    if (failure.number)
        text += QStringLiteral("[%1] ").arg(*failure.number);
    return text + failure.description;
}

void report(const QString& origin, const QString& what, const std::exception& error) {
    Seams::message().show(text(origin, what, error), Msg::OkOnly | Msg::Critical, getString(1005));
}

} // namespace CommandFailure
