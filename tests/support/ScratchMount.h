#pragma once
// A small tmpfs mounted on a fresh folder, for tests that need a real mount
// point. Mounting needs root (or the right to mount); where it is not
// allowed, mounted() is false and the test says so and skips that case.

#include <sys/mount.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "support/TempDir.h"

namespace tarvoss::testing {

class ScratchMount {
public:
    explicit ScratchMount(const TempDir& dir, const std::string& name = "stick") : point_(dir / name) {
        std::filesystem::create_directory(point_);
        mounted_ = ::geteuid() == 0 && ::mount("tarvoss-test", point_.c_str(), "tmpfs", 0, "size=4m") == 0;
    }
    ~ScratchMount() {
        if (mounted_) ::umount2(point_.c_str(), MNT_DETACH);
    }
    ScratchMount(const ScratchMount&) = delete;
    ScratchMount& operator=(const ScratchMount&) = delete;

    bool mounted() const { return mounted_; }
    // The mount point, without a final "/".
    const std::string& point() const { return point_; }

private:
    std::string point_;
    bool mounted_ = false;
};

}  // namespace tarvoss::testing
