#pragma once
// The path of a disk-root row: "/", a drive root "C:/", or a mount point such
// as "/media/usb" (with or without its final "/"). These give the path the
// folder walk takes and the name of the folder its copies go to.

#include <string>

namespace tarvoss {

// The root without its final "/": "/media/usb/" gives "/media/usb", "/" gives
// "", "C:/" gives "C:".
std::string DriveCut(const std::string& root);

// "[ Disk " + the root's last component + " ]": "/media/usb/" gives
// "[ Disk usb ]", "/" gives "[ Disk root ]"; a drive root "C:/" gives
// "[ Disk C ]".
std::string DiskFolderName(const std::string& root);

}  // namespace tarvoss
