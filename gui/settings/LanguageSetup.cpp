#include "settings/LanguageSetup.h"

#include <QFile>
#include <QObject>

#include "common/MessageBoxes.h"
#include "lang/LanguageFiles.h"
#include "pages/FrameParams.h"
#include "settings/KeyBoxes.h"
#include "settings/MainFormTexts.h"
#include "settings/OptionsForm.h"
#include "settings/SettingsStore.h"
#include "settings/TextCatalogue.h"
#include "shell/LanguageSteps.h"
#include "shell/MainForm.h"

namespace tarvoss {
namespace {

class StoredLanguageSteps final : public QObject, public LanguageSteps {
public:
    explicit StoredLanguageSteps(QObject* parent) : QObject(parent) {}

    void DetermineLanguageFile() override {
        // The stored name goes back to the bytes of the file's name.
        const QByteArray choice = QFile::encodeName(SettingsStore::ReadCurrentLanguage());
        tarvoss::DetermineLanguageFile(choice.toStdString(), CurrentMessageBoxes());
    }
    void ApplyLanguageTexts() override { tarvoss::ApplyLanguageTexts(); }
};

}  // namespace

void InstallLanguageSetup(TfrmMain& main) {
    main.SetLanguageSteps(new StoredLanguageSteps(&main));
    AddMainFormTexts(main, LanguageTexts());
    if (TfrmOptions* options = main.frmOptions()) {
        QObject::connect(options, &TfrmOptions::fullLoadRequested, &main,
                         &TfrmMain::ApplyLanguageAndSettings);
        QObject::connect(options, &TfrmOptions::hideKeyStored, &main,
                         [&main](bool hide) { ApplyHideKey(main.framParams(), hide); });
    }
}

}  // namespace tarvoss
