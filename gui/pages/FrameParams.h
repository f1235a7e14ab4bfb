#pragma once
// The "Parameters" page: the action, the algorithm and the key.

#include <QFrame>

namespace tarvoss {

class TframParams : public QFrame {
    Q_OBJECT
public:
    explicit TframParams(QWidget* parent = nullptr);

    // Selects entry `index` of the action list (0 Encryption, 1 Decryption).
    virtual void SelectAction(int index);
    // The reaction to a click on the action list: the Go! page's action
    // button takes the caption of the selected action.
    virtual void lstActionClick();
    // Sizes and places the page's buttons and applies the hidden-key setting.
    virtual void ArrangePage();
    // Sets up the key fields for the selected key type and length (empties the key).
    virtual void ApplyKeyFormat();
};

}  // namespace tarvoss
