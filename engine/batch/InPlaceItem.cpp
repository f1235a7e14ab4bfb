#include "batch/InPlaceItem.h"

#include "batch/RunState.h"
#include "platform/FileSystem.h"
#include "platform/LastError.h"

namespace tarvoss {
namespace {

// The transforms work on blocks of four 32-bit words.
constexpr std::int32_t kBlockWords = 4;

}  // namespace

bool TransformItemInPlace(BatchRun& run, Direction direction, const std::string& path, std::string& detail) {
    FileIdentity identity;
    if (GetFileIdentity(path, identity) && !run.inPlaceFiles.insert({identity.device, identity.inode}).second) {
        detail = run.texts.reachedAgain;
        return false;
    }
    const auto transform = direction == Direction::Encrypt ? EncryptFileInPlace : DecryptFileInPlace;
    const InPlaceResult done = transform(run.state.filePercent, path, run.key, kBlockWords, nullptr);
    if (done) return true;
    detail = InPlaceFailureText(done.Error(), run.texts);
    return false;
}

}  // namespace tarvoss
