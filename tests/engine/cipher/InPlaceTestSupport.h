#pragma once
// What the in-place recovery tests share: a transform by direction, the
// journal of a file, and whether a path exists.

#include "cipher/FileTransforms.h"
#include "cipher/InPlaceJournal.h"

#include "LayoutReference.h"
#include "platform/FileSystem.h"

#include <unistd.h>

#include <string>

namespace tarvoss::test {

inline InPlaceResult Transform(Direction direction, FileProgress& progress, const std::string& path,
                               const CipherKey& key = kSampleKey) {
    const auto transform = direction == Direction::Encrypt ? EncryptFileInPlace : DecryptFileInPlace;
    return transform(progress, path, key, 4, nullptr);
}

inline std::string JournalOf(const std::string& path) {
    FileIdentity identity;
    return GetFileIdentity(path, identity) ? JournalPathFor(identity) : std::string();
}

inline bool Exists(const std::string& path) { return !path.empty() && ::access(path.c_str(), F_OK) == 0; }

}  // namespace tarvoss::test
