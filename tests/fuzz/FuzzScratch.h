#pragma once
// A scratch folder for one fuzzing process, in memory where the system has a
// memory-backed file system (/dev/shm), removed when the process ends. The
// run's state folder is pointed into it as well, so nothing a transform keeps
// for itself lands in the user's folders.

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace tarvoss::fuzz {

class FuzzScratch {
public:
    FuzzScratch() {
        const std::filesystem::path base = std::filesystem::is_directory("/dev/shm")
                                               ? std::filesystem::path("/dev/shm")
                                               : std::filesystem::temp_directory_path();
        path_ = base / ("tarvoss-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(path_);
        ::setenv("XDG_STATE_HOME", (path_ / "state").c_str(), 1);
        ::setenv("XDG_DATA_HOME", (path_ / "data").c_str(), 1);
    }
    ~FuzzScratch() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }

    std::string File(const std::string& name) const { return (path_ / name).string(); }

    void Write(const std::string& name, const std::uint8_t* data, std::size_t size) const {
        std::ofstream out(File(name), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }

    std::string Read(const std::string& name) const {
        std::ifstream in(File(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

private:
    std::filesystem::path path_;
};

}  // namespace tarvoss::fuzz
