#pragma once
// The few colours of the program's own controls.

#include <QColor>

namespace tarvoss {

// Face of a flat button at rest.
inline const QColor kButtonFace{174, 215, 255};
// Cream: face of a pressed flat button, and background of a control that needs
// the user's attention.
inline const QColor kCream{255, 251, 240};
// Face of an action button that is busy with a run.
inline const QColor kBusyFace{192, 192, 192};
// Faces of the page buttons of the main window's toolbar.
inline const QColor kToolbarFace{166, 202, 240};
inline const QColor kToolbarSelectedFace{255, 251, 240};

}  // namespace tarvoss
