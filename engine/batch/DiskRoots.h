#pragma once
// A disk root in the list is a folder path ending in "/": "/" itself or a
// mount point such as "/media/usb/". These give the path the folder walk takes
// and the name of the folder its copies go to.

#include <string>

namespace tarvoss {

// The root without its final "/": "/media/usb/" gives "/media/usb", "/" gives "".
std::string DriveCut(const std::string& root);

// "[ Disk " + the root's last component + " ]": "/media/usb/" gives
// "[ Disk usb ]", "/" gives "[ Disk root ]"; a drive root "C:/" gives
// "[ Disk C ]".
std::string DiskFolderName(const std::string& root);

}  // namespace tarvoss
