#pragma once
// A small btrfs file system in an image file, mounted from a loop device on a
// fresh folder, with the system's temporary folder pointed into it for the
// life of the object: temporary folders made meanwhile (and the state folder
// a test puts in one) are on it, so files and their journals can share
// blocks. Making and mounting it needs root, a loop device and mkfs.btrfs;
// where any is missing, mounted() is false and whyNot() says which.

#include <fcntl.h>
#include <linux/fiemap.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "support/ScopedEnvironment.h"
#include "support/TempDir.h"

namespace tarvoss::testing {

class BtrfsImage {
public:
    BtrfsImage() {
        if (::geteuid() != 0) {
            whyNot_ = "mounting a btrfs image needs root";
            return;
        }
        if (!std::filesystem::exists("/dev/loop-control")) {
            whyNot_ = "no loop devices here";
            return;
        }
        const std::string image = dir_ / "btrfs.img";
        point_ = dir_ / "mnt";
        std::filesystem::create_directory(point_);
        if (std::system(
                ("truncate -s 256M '" + image + "' && mkfs.btrfs -q '" + image + "' >/dev/null 2>&1").c_str()) != 0) {
            whyNot_ = "mkfs.btrfs is missing or failed";
            return;
        }
        if (std::system(("mount -o loop '" + image + "' '" + point_ + "' >/dev/null 2>&1").c_str()) != 0) {
            whyNot_ = "the btrfs image could not be mounted from a loop device";
            return;
        }
        mounted_ = true;
        temp_ = std::make_unique<ScopedEnvironment>("TMPDIR", point_);
    }
    ~BtrfsImage() {
        temp_.reset();
        if (mounted_) ::umount2(point_.c_str(), MNT_DETACH);
    }
    BtrfsImage(const BtrfsImage&) = delete;
    BtrfsImage& operator=(const BtrfsImage&) = delete;

    bool mounted() const { return mounted_; }
    const std::string& whyNot() const { return whyNot_; }

private:
    TempDir dir_;
    std::string point_;
    bool mounted_ = false;
    std::string whyNot_;
    std::unique_ptr<ScopedEnvironment> temp_;
};

// How many bytes of the file at `path` lie in blocks it shares with another
// file (FIEMAP); -1 when that cannot be asked.
inline std::int64_t SharedBytesOf(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0) return -1;
    constexpr std::uint32_t kExtents = 512;
    std::vector<std::uint8_t> buffer(sizeof(fiemap) + kExtents * sizeof(fiemap_extent));
    auto* map = reinterpret_cast<fiemap*>(buffer.data());
    map->fm_length = FIEMAP_MAX_OFFSET;
    map->fm_flags = FIEMAP_FLAG_SYNC;
    map->fm_extent_count = kExtents;
    const bool asked = ::ioctl(fd, FS_IOC_FIEMAP, map) == 0;
    ::close(fd);
    if (!asked) return -1;
    std::int64_t shared = 0;
    for (std::uint32_t i = 0; i < map->fm_mapped_extents; ++i)
        if (map->fm_extents[i].fe_flags & FIEMAP_EXTENT_SHARED)
            shared += static_cast<std::int64_t>(map->fm_extents[i].fe_length);
    return shared;
}

}  // namespace tarvoss::testing
