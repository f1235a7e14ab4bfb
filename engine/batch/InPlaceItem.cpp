#include "batch/InPlaceItem.h"

#include "cipher/InPlaceOutcome.h"
#include "platform/FileSystem.h"

namespace tarvoss {
namespace {

// The transforms work on blocks of four 32-bit words.
constexpr std::int32_t kBlockWords = 4;

constexpr std::string_view kReachedAgain =
    "The file was already transformed in this run (it was reached again through another row, folder or link). "
    "It was not transformed twice.";

}  // namespace

bool TransformItemInPlace(BatchRun& run, Direction direction, const std::string& path, std::string& detail) {
    FileIdentity identity;
    if (GetFileIdentity(path, identity) && !run.inPlaceFiles.insert({identity.device, identity.inode}).second) {
        detail = kReachedAgain;
        return false;
    }
    const auto transform = direction == Direction::Encrypt ? EncryptFileInPlace : DecryptFileInPlace;
    if (transform(run.cipher, path, run.cipher.key, kBlockWords, false)) return true;
    detail = InPlaceFailureText(LastInPlaceReport());
    return false;
}

}  // namespace tarvoss
