#include "settings/ToolkitTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QString>
#include <QTranslator>
#include <memory>

#include "lang/LanguageKeys.h"
#include "lang/LanguageState.h"

namespace tarvoss {
namespace {

// The one translation in use; replaced whenever the language changes.
std::unique_ptr<QTranslator>& InstalledTranslation() {
    static std::unique_ptr<QTranslator> translator;
    return translator;
}

}  // namespace

bool UseToolkitTranslation(const QString& locale) {
    std::unique_ptr<QTranslator>& installed = InstalledTranslation();
    if (installed) {
        QCoreApplication::removeTranslator(installed.get());
        installed.reset();
    }
    if (locale.isEmpty()) {
        QLocale::setDefault(QLocale::system());
        return false;
    }
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QLocale(locale), "qtbase", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    // Dialogs take their sort and number rules from the default locale.
    QLocale::setDefault(QLocale(locale));
    QCoreApplication::installTranslator(translator.get());
    installed = std::move(translator);
    return true;
}

bool UseToolkitTranslationOfLanguage() {
    // The built-in texts replace a language's only at the next start; until
    // then the toolkit keeps the language too.
    if (CurrentLanguageState().useBuiltInTexts) return InstalledTranslation() != nullptr;
    return UseToolkitTranslation(QString::fromStdString(LookupText(kGeneralSection, kLocaleKey, "")));
}

}  // namespace tarvoss
