#include "cipher/PendingCopies.h"

#include "cipher/CopyDestination.h"
#include "platform/LastError.h"
#include "platform/ProcessLimits.h"

#include <algorithm>
#include <atomic>
#include <map>
#include <memory>
#include <new>
#include <system_error>
#include <utility>

namespace tarvoss {

namespace {

// A flush per 256 files or 64 MiB: each flush costs about a millisecond
// whatever it writes, and each waiting copy holds a descriptor and its bytes
// in the page cache.
constexpr std::size_t kGroupFiles = 256;
constexpr std::uint64_t kGroupBytes = std::uint64_t{64} << 20;

// A group takes at most an eighth of the descriptors the process may open:
// two groups may be open at once (one being named in the background), and the
// walk's folders and the transform's own files need the rest.
std::size_t GroupFilesAllowed() {
    static const std::size_t allowed = [] {
        const std::optional<std::size_t> limit = OpenFileLimit();
        if (!limit) return kGroupFiles;
        return std::clamp<std::size_t>(*limit / 8, 1, kGroupFiles);
    }();
    return allowed;
}

std::atomic<std::size_t> groupFilesSet{0};

}  // namespace

PendingCopies::~PendingCopies() {
    try {
        NameAll();
    } catch (const std::bad_alloc&) {
        // Out of memory even for the list of failures: copies not yet named
        // vanish with their handles, and their sources are all still there.
    }
}

void PendingCopies::Add(FileRecord file, std::shared_ptr<const FolderHandle> folder, std::string name,
                        std::uint64_t length, std::string label) {
    bytes_ += length;
    waiting_.push_back({std::move(file), std::move(folder), std::move(name), std::move(label)});
}

void SetCopyGroupFiles(std::size_t files) { groupFilesSet.store(files); }

bool PendingCopies::Full() const {
    const std::size_t set = groupFilesSet.load();
    return waiting_.size() >= (set != 0 ? set : GroupFilesAllowed()) || bytes_ >= kGroupBytes;
}

std::vector<PendingCopies::Failure> PendingCopies::Collect() {
    return inWork_.valid() ? inWork_.get() : std::vector<Failure>{};
}

std::vector<PendingCopies::Failure> PendingCopies::NameInBackground() {
    std::vector<Failure> failures = Collect();
    if (waiting_.empty()) return failures;
    auto group = std::make_shared<Group>(std::move(waiting_));
    waiting_.clear();
    bytes_ = 0;
    try {
        inWork_ = std::async(std::launch::async, [group] { return FlushAndName(*group); });
    } catch (const std::system_error&) {
        // No thread to spare: the group is named here and now.
        std::vector<Failure> more = FlushAndName(*group);
        failures.insert(failures.end(), more.begin(), more.end());
    }
    return failures;
}

std::vector<PendingCopies::Failure> PendingCopies::NameAll() {
    std::vector<Failure> failures = Collect();
    std::vector<Failure> more = FlushAndName(waiting_);
    failures.insert(failures.end(), more.begin(), more.end());
    waiting_.clear();
    bytes_ = 0;
    return failures;
}

std::vector<PendingCopies::Failure> PendingCopies::FlushAndName(Group& group) {
    std::vector<Failure> failures;
    if (group.empty()) return failures;
    // One flush per file system; a copy whose flush failed is not named. A
    // copy lies on the file system of its folder, which is asked once.
    std::map<std::uint64_t, int> flushed;  // device → 0 or the flush's error
    const FolderHandle* lastFolder = nullptr;
    std::uint64_t device = 0;
    bool deviceKnown = false;
    for (Waiting& copy : group) {
        int error = 0;
        if (copy.folder.get() != lastFolder) {
            lastFolder = copy.folder.get();
            deviceKnown = lastFolder->Device(device);
        }
        if (!deviceKnown) {
            error = GetLastError();
        } else if (const auto known = flushed.find(device); known != flushed.end()) {
            error = known->second;
        } else {
            error = copy.file.SyncFileSystem() ? 0 : GetLastError();
            flushed.emplace(device, error);
        }
        if (error == 0 && NameFinishedCopy(copy.file, *copy.folder, copy.name)) continue;
        failures.push_back({copy.label, error != 0 ? error : GetLastError()});
    }
    group.clear();  // closes what is still open: unnamed copies vanish
    return failures;
}

}  // namespace tarvoss
