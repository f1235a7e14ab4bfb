#pragma once
// Small helpers shared by the batch tests: trees of files in a temporary
// folder, and the key words a fake host's key gives.

#include <filesystem>
#include <string>

#include "batch/BatchWorker.h"
#include "batch/RunState.h"
#include "cipher/KeyMaterial.h"
#include "platform/PathText.h"
#include "support/FakeRunHost.h"
#include "support/TempDir.h"

namespace tarvoss::testing {

namespace fs = std::filesystem;

// The start of an item's log line: "- Encrypting file "PATH"... ", the path
// as the system shows it.
inline std::string Line(const char* verb, const std::string& path) {
    return std::string("- ") + verb + " file \"" + DisplayPath(path) + "\"... ";
}

// Content that differs per file and is not a whole number of blocks.
inline std::string Content(const std::string& seed, std::size_t length = 100) {
    std::string bytes;
    for (std::size_t i = 0; bytes.size() < length; ++i) bytes += seed + std::to_string(i);
    bytes.resize(length);
    return bytes;
}

inline void MakeFile(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    WriteFile(path.string(), bytes);
}

inline CipherKey KeyOf(const FakeRunHost& host) {
    CipherKey key{};
    AssembleKey(host.key, key);
    return key;
}

inline RunResult RunBatch(FakeRunHost& host, Direction direction) {
    RunState state;
    state.RunUnfinished = true;
    return RunWorker(host, state, host.Inputs(direction));
}

}  // namespace tarvoss::testing
