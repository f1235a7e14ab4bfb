#pragma once
// The Settings dialog. It also holds the program's switches: after
// LoadSettings its check boxes show the stored values, and the rest of the
// program reads the switches from them. Window thread only.

#include <QDialog>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;

namespace tarvoss {

class FlatButton;
class MessageBoxes;

class TfrmOptions : public QDialog {
    Q_OBJECT
public:
    // The dialog's messages are shown in `boxes` (not owned).
    explicit TfrmOptions(MessageBoxes& boxes, QWidget* parent = nullptr);

    // Makes the program's folder the current directory, lists the language
    // files with their display names after "English", selects the stored
    // language and sets the check boxes from the stored switches.
    virtual void LoadSettings();
    // The Close button's action: stores the choice and the switches, runs the
    // full load after a change of language, applies the hidden-key switch and
    // closes the dialog.
    void StoreSettings();

    bool ShowErrors() const;
    bool HideKey() const;
    bool ShowConfDialog() const;

    // The index of cboCurLang selected when the settings were last loaded.
    int LoadedLanguageIndex() const { return loadedLanguageIndex_; }

signals:
    // The language was changed: the main window runs its full load.
    void fullLoadRequested();
    // The key boxes take the hidden-key switch: "*" per character when on.
    void hideKeyStored(bool hide);

protected:
    void showEvent(QShowEvent* event) override;

private:
    MessageBoxes& boxes_;
    QLabel* Label1;
    QFrame* Bevel1;
    QLabel* lblCurLang;
    QComboBox* cboCurLang;
    QComboBox* cboLangFiles;
    QCheckBox* cbHideKey;
    QCheckBox* cbShowLog;
    QCheckBox* cbShowConfDialog;
    QCheckBox* cbShowErrs;
    QFrame* Bevel2;
    FlatButton* shpClose;

    int loadedLanguageIndex_ = 0;
};

}  // namespace tarvoss
