#include "shell/LanguageSetup.h"

#include <QDir>
#include <QFile>
#include <QLoggingCategory>
#include <QObject>

#include "common/MessageBoxes.h"
#include "lang/LanguageFiles.h"
#include "lang/LanguageState.h"
#include "pages/FrameParams.h"
#include "settings/OptionsForm.h"
#include "settings/SettingsStore.h"
#include "settings/TextCatalogue.h"
#include "settings/ToolkitTranslations.h"
#include "shell/LanguageSteps.h"
#include "shell/MainForm.h"
#include "shell/MainFormTexts.h"

namespace tarvoss {
namespace {

// Which language the window shows, for whoever looks into an installation:
// QT_LOGGING_RULES="tarvoss.language.info=true" prints it at each full load.
Q_LOGGING_CATEGORY(languageLog, "tarvoss.language", QtWarningMsg)

class StoredLanguageSteps final : public QObject, public LanguageSteps {
public:
    StoredLanguageSteps(MessageBoxes& boxes, QObject* parent) : QObject(parent), boxes_(boxes) {}

    void DetermineLanguageFile() override {
        // The stored name goes back to the bytes of the file's name.
        const QByteArray choice = QFile::encodeName(SettingsStore::ReadCurrentLanguage());
        tarvoss::DetermineLanguageFile(choice.toStdString(), boxes_);
        const LanguageState state = CurrentLanguageState();
        if (state.useBuiltInTexts) {
            qCInfo(languageLog, "built-in English texts in use");
        } else {
            const QString file = QFile::decodeName(QByteArray::fromStdString(state.currentLanguageFile));
            qCInfo(languageLog, "language file in use: %s", qUtf8Printable(QDir::current().absoluteFilePath(file)));
        }
    }
    void ApplyLanguageTexts() override {
        // The toolkit's own texts follow the language file, even when the
        // built-in texts leave the program's own as they are.
        UseToolkitTranslationOfLanguage();
        tarvoss::ApplyLanguageTexts();
    }

private:
    MessageBoxes& boxes_;
};

}  // namespace

void InstallLanguageSetup(TfrmMain& main) {
    main.SetLanguageSteps(new StoredLanguageSteps(main.Boxes(), &main));
    AddMainFormTexts(main, LanguageTexts());
    if (TfrmOptions* options = main.frmOptions()) {
        QObject::connect(options, &TfrmOptions::fullLoadRequested, &main, &TfrmMain::ApplyLanguageAndSettings);
        QObject::connect(options, &TfrmOptions::hideKeyStored, &main,
                         [&main](bool hide) { main.framParams()->ApplyHideKey(hide); });
    }
}

}  // namespace tarvoss
