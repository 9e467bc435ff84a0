#include "MainCommands.h"

#include "MainModule.h"
#include "RuntimeError.h"
#include "Seams.h"
#include "Settings.h"

#include <QHash>

namespace MainCommands {

QString filterPanelText(bool on) {
    return getString(1055) + QStringLiteral(": ") + getString(on ? 1056 : 1057);
}

QString unfilteredStatement() {
    return Settings::instance().defaultFilter() + Settings::UNFILTERED_ORDER;
}

std::optional<qint16> helpLanguage(const QString& key) {
    static const QHash<QString, qint16> languages = {
        {QStringLiteral("HELP_E"), Settings::LANG_ENGLISH},    {QStringLiteral("HELP_F"), Settings::LANG_FRANCAIS},
        {QStringLiteral("HELP_D"), Settings::LANG_GERMAN},     {QStringLiteral("HELP_I"), Settings::LANG_ITALIAN},
        {QStringLiteral("HELP_P"), Settings::LANG_PORTUGUESE}, {QStringLiteral("HELP_S"), Settings::LANG_SPANISH}};
    const auto language = languages.constFind(key);
    if (language == languages.constEnd())
        return std::nullopt;
    return *language;
}

void openHelp(const QString& helpFile, int command) {
    QString failure;
    try {
        if (!Seams::help().show(helpFile, command))
            failure = QStringLiteral("The help file '%1' cannot be displayed: it is missing, or no program to "
                                     "show it is installed.")
                          .arg(HelpService::page(helpFile, command));
    } catch (const std::exception& error) {
        failure = describe(error).description;
    }
    if (!failure.isEmpty())
        Seams::message().show(failure, Msg::OkOnly, QString());
}

void showApplicationHelp(const QString& helpFile, int command) {
    if (helpFile.isEmpty()) {
        Seams::message().show(getString(3007), Msg::Information, getString(1004));
        return;
    }
    openHelp(helpFile, command);
}

} // namespace MainCommands
