#include "settings/OptionsForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>

#include "common/MessageBoxes.h"
#include "common/ProgramFolder.h"
#include "lang/LanguageFiles.h"
#include "lang/LanguageKeys.h"
#include "platform/FileSystem.h"
#include "settings/SettingsStore.h"
#include "settings/TextCatalogue.h"
#include "widgets/FlatButton.h"

namespace tarvoss {
namespace {

constexpr int kClientWidth = 323;
constexpr int kClientHeight = 207;

QFrame* MakeBevel(const QString& name, int top, QWidget* parent) {
    auto* bevel = new QFrame(parent);
    bevel->setObjectName(name);
    bevel->setFrameShape(QFrame::HLine);
    bevel->setFrameShadow(QFrame::Sunken);
    bevel->setGeometry(8, top, kClientWidth - 16, 2);
    return bevel;
}

QCheckBox* MakeCheckBox(const QString& name, const QString& text, int top, QWidget* parent) {
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(name);
    box->setGeometry(16, top, kClientWidth - 32, 17);
    return box;
}

// The language's text, as read from the file (UTF-8); file names keep their
// bytes through the local file-name encoding.
QString FromUtf8(const std::string& text) { return QString::fromStdString(text); }
QString FromFileName(const std::string& name) { return QFile::decodeName(name.c_str()); }

QString EnglishEntry() { return QString::fromUtf8(kEnglishLanguage.data(), kEnglishLanguage.size()); }

}  // namespace

TfrmOptions::TfrmOptions(MessageBoxes& boxes, QWidget* parent) : QDialog(parent), boxes_(boxes) {
    SettingsStore::CreateKey();
    setObjectName("frmOptions");
    // The caption is the text of the menu item that shows the dialog.
    setWindowTitle(EnglishText(kMainFormSection, "Menu.View.Settings"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setModal(true);
    setFont(QFont("MS Sans Serif", 8));
    setFixedSize(kClientWidth, kClientHeight);

    Label1 = new QLabel("Options", this);
    Label1->setObjectName("Label1");
    QFont heading = font();
    heading.setBold(true);
    heading.setPixelSize(16);
    Label1->setFont(heading);
    Label1->setStyleSheet("color: navy");
    Label1->setGeometry(12, 8, 200, 20);
    Bevel1 = MakeBevel("Bevel1", 34, this);

    lblCurLang = new QLabel("Current language:", this);
    lblCurLang->setObjectName("lblCurLang");
    lblCurLang->setGeometry(16, 50, 100, 17);
    cboCurLang = new QComboBox(this);
    cboCurLang->setObjectName("cboCurLang");
    cboCurLang->setEditable(false);
    cboCurLang->setGeometry(120, 46, 187, 22);
    lblCurLang->setBuddy(cboCurLang);
    cboLangFiles = new QComboBox(this);
    cboLangFiles->setObjectName("cboLangFiles");
    cboLangFiles->setVisible(false);

    cbHideKey = MakeCheckBox("cbHideKey", "Hide entered symbols of key ", 80, this);
    cbShowLog = MakeCheckBox("cbShowLog", "Show log", 100, this);
    cbShowLog->setChecked(true);
    cbShowLog->setEnabled(false);
    cbShowConfDialog = MakeCheckBox("cbShowConfDialog", "Show confirmation dialog", 120, this);
    cbShowErrs = MakeCheckBox("cbShowErrs", "Show errors while encrypting/decrypting", 140, this);

    Bevel2 = MakeBevel("Bevel2", 166, this);
    shpClose = new FlatButton("shpClose", "lblClose", "Close", this);
    shpClose->setGeometry(kClientWidth - 108, kClientHeight - 32, 100, 24);
    shpClose->Arrange(100, 24);
    connect(shpClose, &FlatButton::clicked, this, &TfrmOptions::StoreSettings);
}

void TfrmOptions::showEvent(QShowEvent* event) {
    LoadSettings();
    QDialog::showEvent(event);
}

void TfrmOptions::LoadSettings() {
    SetProgramDataFolderCurrent();

    const QString stored = SettingsStore::ReadCurrentLanguage();
    cboCurLang->clear();
    cboLangFiles->clear();
    cboCurLang->addItem(EnglishEntry());
    cboLangFiles->addItem(EnglishEntry());
    int selected = -1;
    for (const LanguageFileEntry& language : ListLanguageFiles(std::string(kLanguagesFolder))) {
        cboCurLang->addItem(FromUtf8(language.displayName));
        const QString fileName = FromFileName(language.fileName);
        cboLangFiles->addItem(fileName);
        if (fileName == stored) selected = cboCurLang->count() - 1;
    }
    cboCurLang->setCurrentIndex(selected >= 0 ? selected : 0);

    const StoredSettings switches = SettingsStore::Load();
    cbShowErrs->setChecked(switches.showErrors);
    cbHideKey->setChecked(switches.hideKey);
    cbShowConfDialog->setChecked(switches.showConfDialog);

    loadedLanguageIndex_ = cboCurLang->currentIndex();
}

void TfrmOptions::StoreSettings() {
    const int index = cboCurLang->currentIndex();
    const QString fileName = cboLangFiles->itemText(index);
    const bool languageChanged = index != loadedLanguageIndex_;
    SettingsStore::WriteCurrentLanguage(fileName);
    if (fileName == EnglishEntry() && languageChanged) {
        boxes_.ShowInformation("Please restart the application to apply the changes.", "Information");
    }
    SettingsStore::WriteSwitch(kShowErrorsValue, cbShowErrs->isChecked());
    SettingsStore::WriteSwitch(kHideKeyValue, cbHideKey->isChecked());
    SettingsStore::WriteSwitch(kShowConfDialogValue, cbShowConfDialog->isChecked());
    if (languageChanged) emit fullLoadRequested();
    emit hideKeyStored(cbHideKey->isChecked());
    accept();
}

bool TfrmOptions::ShowErrors() const { return cbShowErrs->isChecked(); }
bool TfrmOptions::HideKey() const { return cbHideKey->isChecked(); }
bool TfrmOptions::ShowConfDialog() const { return cbShowConfDialog->isChecked(); }

}  // namespace tarvoss
