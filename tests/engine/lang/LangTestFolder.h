#pragma once
// A temporary folder (see support/TempDir.h) for language-file tests: files
// written with chosen permission bits, and the folder as the current
// directory while a test runs, the way the program's folder is.

#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "support/TempDir.h"

namespace tarvoss::test {

class LangTestFolder : public testing::TempDir {
public:
    ~LangTestFolder() {
        if (!previous_.empty()) std::filesystem::current_path(previous_);
    }

    // `relative` below the folder, e.g. "Languages/German.lng".
    std::string Path(const std::string& relative = {}) const { return (path() / relative).string(); }

    // Writes `content` as is; `mode` sets the permission bits (0444: read-only).
    std::string Write(const std::string& relative, const std::string& content, mode_t mode = 0644) const {
        const std::string file = Path(relative);
        std::filesystem::create_directories(std::filesystem::path(file).parent_path());
        testing::WriteFile(file, content);
        ::chmod(file.c_str(), mode);
        return file;
    }

    // Makes the folder the current directory until the folder goes away.
    void MakeCurrent() {
        if (previous_.empty()) previous_ = std::filesystem::current_path();
        std::filesystem::current_path(path());
    }

private:
    std::filesystem::path previous_;
};

}  // namespace tarvoss::test
