#pragma once
// A fresh folder under the system's temporary folder for one test, removed
// with everything in it afterwards; optionally the current directory while
// the test runs.

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace tarvoss::test {

class LangTestFolder {
public:
    LangTestFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tarvoss-lang-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    ~LangTestFolder() {
        if (!previous_.empty()) std::filesystem::current_path(previous_);
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    LangTestFolder(const LangTestFolder&) = delete;
    LangTestFolder& operator=(const LangTestFolder&) = delete;

    // `relative` below the folder, e.g. "Languages/German.lng".
    std::string Path(const std::string& relative = {}) const { return (path_ / relative).string(); }

    // Writes `content` as is; `mode` sets the permission bits (0444: read-only).
    std::string Write(const std::string& relative, const std::string& content, mode_t mode = 0644) const {
        const std::filesystem::path file = path_ / relative;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << content;
        ::chmod(file.c_str(), mode);
        return file.string();
    }

    // Makes the folder the current directory until the test ends.
    void MakeCurrent() {
        if (previous_.empty()) previous_ = std::filesystem::current_path();
        std::filesystem::current_path(path_);
    }

private:
    std::filesystem::path path_;
    std::filesystem::path previous_;
};

}  // namespace tarvoss::test
