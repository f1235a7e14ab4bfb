#include "model/FileListIcons.h"

#include <QApplication>
#include <QPainter>
#include <QPixmap>
#include <QStyle>

#include "model/FileListRow.h"
#include "widgets/MenuImages.h"

namespace tarvoss {
namespace {

constexpr int kImageSize = 16;

QPixmap StandardImage(QStyle::StandardPixmap which) {
    return QApplication::style()->standardIcon(which).pixmap(kImageSize, kImageSize);
}

// The document with the menu's closed padlock over its lower right corner.
QPixmap LockedDocument() {
    QPixmap image = StandardImage(QStyle::SP_FileIcon);
    QPainter painter(&image);
    painter.drawPixmap(kImageSize / 2, kImageSize / 2, DrawMenuImage(MenuImage::Encrypt, kImageSize / 2));
    return image;
}

}  // namespace

QIcon FileListIcon(int index) {
    switch (index) {
    case kFileIcon: return QIcon(StandardImage(QStyle::SP_FileIcon));
    case kEncryptedFileIcon: return QIcon(LockedDocument());
    case kFolderIcon: return QIcon(StandardImage(QStyle::SP_DirIcon));
    default: return {};
    }
}

}  // namespace tarvoss
