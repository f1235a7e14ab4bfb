#pragma once
// The "Parameters" page: the action, the algorithm and the key, which it
// keeps in the run's choices as they are chosen and typed. It keeps the key
// in its form while it is typed (which part fields exist, how many
// characters each takes, digits only for a numerical key, moving on to the
// next part when one is full); turning the key into key words is left to the
// run. Window thread only.

#include <QFrame>
#include <QString>
#include <QStringList>

#include "cipher/KeyMaterial.h"
#include "model/RunChoices.h"

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;

namespace tarvoss {

class FlatButton;
class KeyContainer;
class MessageBoxes;
class Wizard;

class TframParams : public QFrame {
    Q_OBJECT
public:
    // The page edits `choices` (not owned); none: the page makes its own.
    explicit TframParams(MessageBoxes& boxes, QWidget* parent = nullptr, RunChoices* choices = nullptr);

    // The window that holds the page (not owned): its key generator and its
    // Settings dialog. None: the page stands alone and reads the stored
    // hidden-key switch.
    void SetWizard(Wizard* wizard) { wizard_ = wizard; }

    // Selects entry `index` of the action list (0 Encryption, 1 Decryption,
    // -1 none) without running the action choice.
    virtual void SelectAction(int index);
    // The action choice: announces the caption of the Go! page's action
    // button for the selected action (Encrypt when none is selected).
    virtual void lstActionClick();
    // Sizes and places the page's buttons and shows the key as "*" for each
    // character when the hidden-key setting is on.
    virtual void ArrangePage();
    // Sets up the key fields for the selected key type and length; empties the key.
    virtual void ApplyKeyFormat();
    // Shows the key as "*" for each character, or as typed.
    void ApplyHideKey(bool hide);
    // Shows the image of the protection switched on or off.
    void ShowProtection(bool enabled);
    // Takes the attention marks off the action list and the key parts.
    void ClearAttentionMarks();

    // A change of key type or key length (also run by the key generator's
    // "Set key"): applies the key format.
    void cboKeyTypeChange();
    void cboKeyLengthChange();
    // "Reset" empties all five parts; "Restore defaults" selects XTEA,
    // Numerical and 128 bit and applies the key format; "Help" shows the
    // help about the key parameters.
    void shpClearKeyMouseUp();
    void shpRestoreDefMouseUp();
    void shpHelpMouseUp();

    // The key as the run reads it: the selected type and length, and the
    // real texts of the five parts (never the "*" they may show).
    KeyEntry CurrentKeyEntry() const;
    // The selected entry of the action list; -1 when none is.
    int SelectedAction() const;
    // The caption of the Go! page's action button for action 0 (Encrypt) or
    // 1 (Decrypt), in the current language.
    QString ActionCaption(int action) const;

    // The page's controls.
    QWidget* ActionList() const;
    QComboBox* AlgorithmCombo() const { return cboAlg; }
    QComboBox* KeyTypeCombo() const;
    QComboBox* KeyLengthCombo() const;
    QLineEdit* KeyPart(int part) const;  // 1 to 5
    // The built-in entries of the key-type and key-length lists, which the
    // key generator's lists share.
    static QStringList KeyTypeEntries();
    static QStringList KeyLengthEntries();

    // While the key generator is shown, filling the parts does not move the
    // focus between them. The page also asks its wizard whether the key
    // generator is on screen; this switch covers a generator shown by other means.
    void SetKeyGeneratorShown(bool shown) { keyGeneratorShown_ = shown; }

signals:
    // The action choice: `caption` is the one the action button takes.
    void actionChosen(const QString& caption);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();
    void AddLanguageTexts();
    // Keeps the chosen action and the key as shown in the choices.
    void StoreAction();
    void StoreKey();
    // Shows the key the choices were given from elsewhere: its type and
    // length, and the texts of the parts the format shows.
    void ShowReplacedKey();
    // Marks the action list or a key part that a check pointed out.
    void MarkChoice(RunChoices::Choice choice, int part);
    bool KeyGeneratorShown() const;
    bool HideKeySetting() const;
    // The character filter of part fields; true when the press is dropped.
    bool txtKeyPartKeyPress(QKeyEvent* event);
    // The automatic move after the text of part `part` (1 to 4) changed.
    void txtKeyPartChange(int part);

    QLabel* lblAlgParams = nullptr;
    QLabel* lblKeyParams = nullptr;
    QLabel* lblCurAlg = nullptr;
    QLabel* lblAction = nullptr;
    QLabel* lblKeyType = nullptr;
    QLabel* lblKeyLength = nullptr;
    QLabel* lblKey = nullptr;
    QListWidget* lstAction = nullptr;
    QComboBox* cboAlg = nullptr;
    QComboBox* cboKeyType = nullptr;
    QComboBox* cboKeyLength = nullptr;
    KeyContainer* panKeyContainer = nullptr;
    FlatButton* shpClearKey = nullptr;
    FlatButton* shpRestoreDef = nullptr;
    FlatButton* shpHelp = nullptr;
    QFrame* bevSep1 = nullptr;
    QFrame* bevSep2 = nullptr;
    QLabel* imgASPDisabled = nullptr;
    QLabel* imgASPEnabled = nullptr;

    MessageBoxes& boxes_;
    RunChoices* choices_;
    // Texts the page owns, replaced by the language file.
    QString invalidSymbolText_;
    QString encryptCaption_;
    QString decryptCaption_;

    Wizard* wizard_ = nullptr;
    bool keyGeneratorShown_ = false;
    // Set while the page fills in a key from elsewhere.
    bool fillingKey_ = false;
};

}  // namespace tarvoss
