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

namespace {
bool tooLong(const std::exception& error) {
    const auto* runtime = dynamic_cast<const RuntimeError*>(&error);
    return runtime && runtime->number() == RuntimeError::FieldTooSmall;
}

QString cause(const std::exception& error) {
    if (tooLong(error))
        return getString(3031);
    const ErrorDescription failure = describe(error);
    return failure.number ? QStringLiteral("[%1] %2").arg(*failure.number).arg(failure.description)
                          : failure.description;
}
} // namespace

void reportRefusedEdit(const std::exception& error) {
    if (tooLong(error))
        Seams::message().show(getString(3031), Msg::Information, getString(1004));
    else
        Seams::message().show(QStringLiteral("[frmMain.dbData] The entries could not be saved.\n") + cause(error),
                              Msg::OkOnly | Msg::Critical, getString(1005));
}

bool discardRefusedEdit(const std::exception& error) {
    const QString text = QStringLiteral("[frmMain.dbData] The entries could not be saved.\n") + cause(error) +
                         QStringLiteral("\nClose without them?");
    return Seams::message().show(text, Msg::YesNo | Msg::Question, getString(1002)) == Msg::Yes;
}

} // namespace CommandFailure
