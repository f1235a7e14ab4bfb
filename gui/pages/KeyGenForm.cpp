#include "pages/KeyGenForm.h"

namespace tarvoss {

TfrmKeyGen::TfrmKeyGen(QWidget* parent) : QDialog(parent) {
    setObjectName("frmKeyGen");
    setWindowTitle("Key Generator");
}

// The dialog has no buttons yet.
void TfrmKeyGen::ArrangeButtons() {}

}  // namespace tarvoss
