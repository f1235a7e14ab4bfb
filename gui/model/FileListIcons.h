#pragma once
// The list's image list imgFilesList: 0 a document, 1 a document with a
// padlock, 2 a folder, each 16 × 16.

#include <QIcon>

namespace tarvoss {

// The image at `index`, drawn afresh; a null icon for an index outside the
// list. Needs the application object.
QIcon FileListIcon(int index);

}  // namespace tarvoss
