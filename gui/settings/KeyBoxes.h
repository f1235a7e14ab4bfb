#pragma once
// The hidden-key switch applied to the five key boxes (txtKeyPart1 to
// txtKeyPart5) of the Parameters page: an asterisk for each character when
// the key is hidden, the characters themselves otherwise.

class QWidget;

namespace tarvoss {

void ApplyHideKey(QWidget* paramsPage, bool hide);

}  // namespace tarvoss
