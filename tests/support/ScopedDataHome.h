#pragma once
// Points XDG_DATA_HOME (where the home trash lies) at a fresh folder for the
// life of the object, so that runs which trash their sources never reach the
// real user's trash. The folder lies beside the test's files, on the same
// file system, so the home trash is the one that takes them.

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

namespace tarvoss::testing {

class ScopedDataHome {
public:
    explicit ScopedDataHome(const std::filesystem::path& folder) : path_(folder) {
        std::filesystem::create_directories(path_);
        if (const char* old = std::getenv("XDG_DATA_HOME")) previous_ = old;
        ::setenv("XDG_DATA_HOME", path_.c_str(), 1);
    }
    ~ScopedDataHome() {
        if (previous_)
            ::setenv("XDG_DATA_HOME", previous_->c_str(), 1);
        else
            ::unsetenv("XDG_DATA_HOME");
    }
    ScopedDataHome(const ScopedDataHome&) = delete;
    ScopedDataHome& operator=(const ScopedDataHome&) = delete;

    std::filesystem::path TrashFiles() const { return path_ / "Trash/files"; }
    std::filesystem::path TrashInfo() const { return path_ / "Trash/info"; }

private:
    std::filesystem::path path_;
    std::optional<std::string> previous_;
};

}  // namespace tarvoss::testing
