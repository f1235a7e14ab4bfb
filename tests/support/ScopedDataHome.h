#pragma once
// Points XDG_DATA_HOME (where the home trash lies) at a fresh folder for the
// life of the object, so that runs which trash their sources never reach the
// real user's trash. The folder lies beside the test's files, on the same
// file system, so the home trash is the one that takes them.

#include <filesystem>

#include "support/ScopedEnvironment.h"

namespace tarvoss::testing {

class ScopedDataHome {
public:
    explicit ScopedDataHome(const std::filesystem::path& folder)
        : path_(Made(folder)), variable_("XDG_DATA_HOME", path_.string()) {}

    std::filesystem::path TrashFiles() const { return path_ / "Trash/files"; }
    std::filesystem::path TrashInfo() const { return path_ / "Trash/info"; }

private:
    static std::filesystem::path Made(const std::filesystem::path& folder) {
        std::filesystem::create_directories(folder);
        return folder;
    }

    std::filesystem::path path_;
    ScopedEnvironment variable_;
};

}  // namespace tarvoss::testing
