// Reads arbitrary bytes as a language file: every entry listed, a few lookups
// of the names it holds and of names it does not. Besides crashes and
// sanitizer reports it checks the reader's promise that no value is longer
// than the limit.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "FuzzScratch.h"
#include "lang/ProfileReader.h"

namespace {

std::size_t CodePoints(const std::string& text) {
    std::size_t count = 0;
    for (const char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
    return count;
}

void CheckLimit(const std::string& value) {
    if (CodePoints(value) > tarvoss::kProfileValueLimit) {
        std::fprintf(stderr, "language file fuzzer: a value beyond the limit\n");
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const tarvoss::fuzz::FuzzScratch scratch;
    using namespace tarvoss;
    scratch.Write("Language.lng", data, size);
    const std::string path = scratch.File("Language.lng");

    std::vector<ProfileEntry> entries;
    if (!ListProfileEntries(path, entries)) std::abort();  // a regular file always opens
    std::size_t looked = 0;
    for (const ProfileEntry& entry : entries) {
        CheckLimit(entry.value);
        if (looked++ < 8) CheckLimit(ReadProfileString(path, entry.section, entry.key, "default"));
    }
    CheckLimit(ReadProfileString(path, "frameGo", "Log.EncryptingFile", std::string(300, 'd')));
    return 0;
}
