#pragma once

#include <QLocale>

// The toolkit's standard buttons and dialogs (Yes, No, Cancel, Save As) speak the language the user
// chose for the program rather than the system's: the toolkit's own translations, as the system
// ships them, are loaded for it.
//
//     QtTranslations::install(Settings::instance().currentLanguage());
namespace QtTranslations {

// The locale of a language code of the settings; English for a code the program does not know.
QLocale localeOf(qint16 language);
// Replaces the toolkit translations of the application by those of `language`. False when the
// system holds none for it; English needs none and is always true.
bool install(qint16 language);

} // namespace QtTranslations
