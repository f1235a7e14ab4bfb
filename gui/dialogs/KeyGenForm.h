#pragma once
// The key generator: a modal dialog that makes random keys in the form the
// Parameters page takes and, on request, puts one in the run's choices. It is made once
// and only hidden when closed, so its choices and fields stay as they were
// until it is shown again. Window thread only.

#include <QDialog>

#include "common/ErrorReport.h"

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;

namespace tarvoss {

class FlatButton;
class KeyContainer;
class MessageBoxes;
class Wizard;

class TfrmKeyGen : public QDialog {
    Q_OBJECT
public:
    // The dialog's size before the buttons are arranged.
    static constexpr int kWidth = 420;
    static constexpr int kHeight = 158;

    // A key that cannot be made is reported in `boxes` (not owned).
    explicit TfrmKeyGen(MessageBoxes& boxes, QWidget* parent = nullptr);

    // The window whose choices take the keys of this dialog (not owned);
    // none: the dialog stands alone and sets no key.
    void SetWizard(Wizard* wizard) { wizard_ = wizard; }

    // Places and sizes the three buttons for the current language's button
    // width; their height is always 24.
    virtual void ArrangeButtons();
    // Sets up the key fields for the selected key type and length; empties the key.
    void ApplyKeyFormat();

    // A change of key type or key length: applies the key format.
    void cboKeyTypeChange();
    void cboKeyLengthChange();
    // "Generate key": a new random key in the fields in use.
    void shpGenMouseUp();
    // "Set key": the choices take this dialog's key type and length and the
    // texts of its fields as they are, the Parameters page is shown and the
    // dialog closes.
    void shpSetKeyMouseUp();
    // "Close": closes the dialog; nothing is copied.
    void shpCloseMouseUp();

    QComboBox* KeyTypeCombo() const { return cboKeyType; }
    QComboBox* KeyLengthCombo() const { return cboKeyLength; }
    QLineEdit* KeyPart(int part) const;  // 1 to 5

private:
    void CreateControls();
    void AddLanguageTexts();
    // Takes the labels and list entries it shares with the Parameters page
    // as they are in the current language, and selects the first entry of
    // both lists.
    void TakeOverParamsTexts();

    QLabel* lblKeyType = nullptr;
    QLabel* lblKeyLength = nullptr;
    QLabel* lblKey = nullptr;
    QComboBox* cboKeyType = nullptr;
    QComboBox* cboKeyLength = nullptr;
    KeyContainer* panKeyContainer = nullptr;
    QFrame* bevSep = nullptr;
    FlatButton* shpGen = nullptr;
    FlatButton* shpSetKey = nullptr;
    FlatButton* shpClose = nullptr;

    Wizard* wizard_ = nullptr;
    ErrorReport report_;
};

}  // namespace tarvoss
