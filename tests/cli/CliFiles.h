#pragma once
// Files of known content for the command-line tests.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "support/TempDir.h"

namespace tarvoss::testing {

// Bytes that differ with the seed.
inline std::string Bytes(std::size_t length, unsigned seed) {
    std::string bytes(length, '\0');
    std::uint32_t x = 2463534242u + seed;
    for (char& c : bytes) {
        x ^= x << 13, x ^= x >> 17, x ^= x << 5;
        c = static_cast<char>(x);
    }
    return bytes;
}

inline void Make(const std::filesystem::path& path, const std::string& bytes) {
    std::filesystem::create_directories(path.parent_path());
    WriteFile(path.string(), bytes);
}

// A file large enough that transforming it takes a while in this build
// (sanitized builds are many times slower), of known content, written and
// checked a piece at a time.
constexpr std::size_t kPiece = 1 << 20;
constexpr std::size_t kLargeSize = TARVOSS_LARGE_FILE_MIB * kPiece + 5;

inline void MakeLarge(const std::string& path) {
    std::ofstream out(path, std::ios::binary);
    for (std::size_t done = 0; done < kLargeSize; done += kPiece) {
        const std::string piece = Bytes(std::min(kPiece, kLargeSize - done), static_cast<unsigned>(done / kPiece));
        out.write(piece.data(), static_cast<std::streamsize>(piece.size()));
    }
}

inline bool IsLarge(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string piece(kPiece, '\0');
    std::size_t done = 0;
    for (; in.read(piece.data(), kPiece) || in.gcount() > 0; done += static_cast<std::size_t>(in.gcount())) {
        piece.resize(static_cast<std::size_t>(in.gcount()));
        if (piece != Bytes(piece.size(), static_cast<unsigned>(done / kPiece))) return false;
        piece.resize(kPiece);
    }
    return done == kLargeSize;
}

}  // namespace tarvoss::testing
