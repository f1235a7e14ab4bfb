#pragma once
// The key generator: a modal dialog that makes random keys for the
// Parameters page.

#include <QDialog>

namespace tarvoss {

class TfrmKeyGen : public QDialog {
    Q_OBJECT
public:
    explicit TfrmKeyGen(QWidget* parent = nullptr);

    // Places and sizes the dialog's buttons.
    virtual void ArrangeButtons();
};

}  // namespace tarvoss
