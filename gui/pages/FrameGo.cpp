#include "pages/FrameGo.h"

#include "pages/PageGeometry.h"

namespace tarvoss {

TframGo::TframGo(QWidget* parent) : QFrame(parent) {
    setObjectName("framGo");
    setFrameShape(QFrame::NoFrame);
    setGeometry(0, 0, kPageWidth, kPageHeight);
}

// The page has no controls yet: these operations do nothing until it has them.
void TframGo::ArrangePage() {}
void TframGo::shpGoMouseDown(Qt::MouseButton, Qt::KeyboardModifiers, QPoint) {}
void TframGo::shpGoMouseUp(Qt::MouseButton, Qt::KeyboardModifiers, QPoint) {}

}  // namespace tarvoss
