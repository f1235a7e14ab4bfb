#include "pages/FrameParams.h"

#include "pages/PageGeometry.h"

namespace tarvoss {

TframParams::TframParams(QWidget* parent) : QFrame(parent) {
    setObjectName("framParams");
    setFrameShape(QFrame::NoFrame);
    setGeometry(0, 0, kPageWidth, kPageHeight);
}

// The page has no controls yet: these operations do nothing until it has them.
void TframParams::SelectAction(int) {}
void TframParams::lstActionClick() {}
void TframParams::ArrangePage() {}
void TframParams::ApplyKeyFormat() {}

}  // namespace tarvoss
