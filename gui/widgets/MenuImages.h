#pragma once
// The images of the main menu and of the toolbar buttons, drawn by the program
// itself so that they look the same on every desktop.

#include <QIcon>
#include <QPixmap>

namespace tarvoss {

// The entries of the main menu's image list.
enum class MenuImage {
    AddFiles = 0,
    AddFolder = 1,
    Remove = 2,
    Encrypt = 3,
    Decrypt = 4,
    Parameters = 5,
    Files = 6,
    Go = 7,
    Settings = 8,
    KeyGenerator = 9,
    Contents = 10,
    OnTheWeb = 11,
    About = 12,
};

// A 16 × 16 menu image.
QIcon MainMenuImage(MenuImage image);
// A square image of `size` pixels with the same drawing.
QPixmap DrawMenuImage(MenuImage image, int size);

}  // namespace tarvoss
