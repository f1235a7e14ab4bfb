#pragma once
// The toolkit's own texts (standard buttons such as Yes, No, OK and Cancel,
// the file and folder dialogs) in the language of the language file in use:
// its "Locale" names the toolkit's translation to load. A file without a
// locale leaves the toolkit in English.

class QString;

namespace tarvoss {

// Loads the toolkit's translation for `locale` ("de", "ru") from the
// system's translations and puts it in place of the one loaded before; an
// empty locale, or one the system has no translation for, removes it. True
// when a translation is in use afterwards.
bool UseToolkitTranslation(const QString& locale);

// The same for the locale of the current language file. While the built-in
// texts are in use nothing changes: like the program's own texts, the
// toolkit's return to English at the next start.
bool UseToolkitTranslationOfLanguage();

}  // namespace tarvoss
