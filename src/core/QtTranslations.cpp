#include "QtTranslations.h"

#include "Settings.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>

namespace QtTranslations {

QLocale localeOf(qint16 language) {
    switch (language) {
    case Settings::LANG_FRANCAIS:
        return QLocale(QLocale::French, QLocale::France);
    case Settings::LANG_GERMAN:
        return QLocale(QLocale::German, QLocale::Germany);
    case Settings::LANG_ITALIAN:
        return QLocale(QLocale::Italian, QLocale::Italy);
    case Settings::LANG_PORTUGUESE:
        return QLocale(QLocale::Portuguese, QLocale::Portugal);
    case Settings::LANG_SPANISH:
        return QLocale(QLocale::Spanish, QLocale::Spain);
    default:
        return QLocale(QLocale::English, QLocale::UnitedStates);
    }
}

bool install(qint16 language) {
    static std::unique_ptr<QTranslator> installed;
    if (installed) {
        QCoreApplication::removeTranslator(installed.get());
        installed.reset();
    }
    const QLocale locale = localeOf(language);
    if (locale.language() == QLocale::English)
        return true;
    // The standard buttons and dialogs are all in the base catalogue. The system ships Portuguese as
    // spoken in Brazil only: its buttons read right in Portugal too, where English would not.
    QList<QLocale> candidates{locale};
    if (locale.language() == QLocale::Portuguese)
        candidates.append(QLocale(QLocale::Portuguese, QLocale::Brazil));
    auto translator = std::make_unique<QTranslator>();
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    const auto loaded = [&] {
        for (const QLocale& candidate : candidates) {
            if (translator->load(candidate, QStringLiteral("qtbase"), QStringLiteral("_"), folder))
                return true;
        }
        return false;
    };
    if (!loaded())
        return false;
    QCoreApplication::installTranslator(translator.get());
    installed = std::move(translator);
    return true;
}

} // namespace QtTranslations
