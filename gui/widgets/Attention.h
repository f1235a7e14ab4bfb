#pragma once
// Marking an input control that the user must look at: cream background and
// the focus. Showing a page clears the mark again (white background).

class QWidget;

namespace tarvoss {

void MarkForAttention(QWidget* control);
void ClearAttention(QWidget* control);

}  // namespace tarvoss
