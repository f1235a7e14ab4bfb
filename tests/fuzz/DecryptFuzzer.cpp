// Decrypts arbitrary bytes as a file, into a copy and in place. The first 16
// bytes of the input are the key words (so that the layout check passes for
// some inputs and the whole decryption runs), the rest is the file.
//
// Besides crashes and sanitizer reports it checks what the transforms
// promise: a refused file is left as it was, a decrypted copy passes the copy
// check, and the in-place result equals the copy.

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "FuzzScratch.h"
#include "cipher/FileTransforms.h"

namespace {

constexpr std::int32_t kBlockWords = 4;

[[noreturn]] void Fault(const char* what) {
    std::fprintf(stderr, "decrypt fuzzer: %s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const tarvoss::fuzz::FuzzScratch scratch;
    using namespace tarvoss;
    std::array<std::uint32_t, CipherKey::kWords> words{};
    const std::size_t keyBytes = size < sizeof words ? size : sizeof words;
    std::memcpy(words.data(), data, keyBytes);
    CipherKey key(words[0], words[1], words[2], words[3]);
    const std::uint8_t* file = data + keyBytes;
    const std::size_t fileSize = size - keyBytes;
    const std::string original(reinterpret_cast<const char*>(file), fileSize);

    scratch.Write("encrypted", file, fileSize);
    std::remove(scratch.File("copy").c_str());
    FileProgress progress{0};
    const bool copied =
        DecryptFileToCopy(progress, scratch.File("encrypted"), scratch.File("copy"), key, kBlockWords, nullptr);
    if (scratch.Read("encrypted") != original) Fault("the copy transform changed its source");
    if (copied && !ConfirmCopy(Direction::Decrypt, scratch.File("encrypted"), scratch.File("copy"), key, kBlockWords))
        Fault("a decrypted copy fails its own check");

    const bool inPlace =
        static_cast<bool>(DecryptFileInPlace(progress, scratch.File("encrypted"), key, kBlockWords, nullptr));
    if (inPlace != copied) Fault("in place and copy disagree on the file");
    if (!inPlace && scratch.Read("encrypted") != original) Fault("a refused file was changed");
    if (inPlace && scratch.Read("encrypted") != scratch.Read("copy")) Fault("in place and copy give different bytes");
    return 0;
}
