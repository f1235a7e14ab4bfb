#pragma once
// The two 48 × 48 images at the top right of the Parameters page that show
// whether the protection is on, drawn by the program itself.

#include <QPixmap>

namespace tarvoss {

inline constexpr int kProtectionImageSize = 48;

// A green shield with a tick when `enabled`, a grey one with a red cross otherwise.
QPixmap DrawProtectionImage(bool enabled);

}  // namespace tarvoss
