#include "pages/FrameFiles.h"

#include "pages/PageGeometry.h"

namespace tarvoss {

TframFiles::TframFiles(QWidget* parent) : QFrame(parent) {
    setObjectName("framFiles");
    setFrameShape(QFrame::NoFrame);
    setGeometry(0, 0, kPageWidth, kPageHeight);
}

// The page has no list yet: these operations do nothing until it has one.
void TframFiles::AddFiles() {}
void TframFiles::AddFolder() {}
void TframFiles::RemoveSelected() {}
void TframFiles::AddPath(const std::string&) {}
void TframFiles::ArrangePage() {}

}  // namespace tarvoss
