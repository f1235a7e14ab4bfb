// A power cut is harder than a kill: what was written but not yet flushed may
// be lost, in any part and any order. The file-changing steps of small
// in-place runs are recorded; for every point of a run, each state the disk
// may hold after a cut there is rebuilt (what was flushed, plus any part of
// what was not; a journal's name only once its folder was flushed; a journal
// in the making under its creation name) and finished as `recover` would;
// blocks shared from the journal count as bytes written. Each must end as the uninterrupted result, or
// as the original where the run had changed nothing.

#include "cipher/FileTransforms.h"
#include "cipher/InPlaceJournal.h"
#include "cipher/InPlaceOutcome.h"
#include "cipher/InPlaceTransform.h"

#include "LayoutReference.h"
#include "platform/FileSteps.h"
#include "platform/FileSystem.h"
#include "support/BtrfsImage.h"
#include "support/StateHome.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <mutex>
#include <vector>

namespace tarvoss {
namespace {

using testing::ReadFile;
using testing::StateHome;
using testing::TempDir;
using testing::WriteFile;

const CipherKey& kKey = test::kSampleKey;

// One step that changes what is on disk.
struct Change {
    // Create: the journal is begun under its creation name; Name: it takes its own.
    enum Kind { Write, Cut, Grow, Flush, Create, Name, Remove, FlushFolder } kind;
    int file = -1;             // 0 the transformed file, 1 its journal (under either name)
    std::uint64_t offset = 0;  // Write: where; Cut, Grow: the length
    std::string bytes = {};
};

std::string PathOfHandle(int handle) {
    std::error_code error;
    return std::filesystem::read_symlink("/proc/self/fd/" + std::to_string(handle), error).string();
}

void Apply(const Change& change, std::string& content) {
    switch (change.kind) {
    case Change::Write:
        if (content.size() < change.offset + change.bytes.size())
            content.resize(change.offset + change.bytes.size(), '\0');
        content.replace(change.offset, change.bytes.size(), change.bytes);
        break;
    case Change::Cut: content.resize(change.offset, '\0'); break;
    case Change::Grow:
        if (content.size() < change.offset) content.resize(change.offset, '\0');
        break;
    default: break;
    }
}

// `Place` puts the test's files where they go before anything is made.
template <typename Place>
class PowerCutOn : public ::testing::Test {
protected:
    void SetUp() override {
        if (!place.Ready()) GTEST_SKIP() << place.WhyNot();
        SetInPlaceWindowBytes(Place::kWindowBytes);
        std::filesystem::create_directories(home.JournalFolder());
    }
    void TearDown() override {
        SetFileStepHook({});
        SetInPlaceWindowBytes(std::size_t{16} << 20);
    }

    // Runs the transform once and records its changes to the file and its journal.
    void Record(Direction direction) {
        FileIdentity identity;
        ASSERT_TRUE(GetFileIdentity(file, identity));
        journal = JournalPathFor(identity);
        creation = JournalCreationPath(journal);
        const std::string filePath = std::filesystem::canonical(file).string();
        std::mutex mutex;
        SetFileStepHook([&](const FileStepEvent& event) {
            std::lock_guard lock(mutex);
            const auto which = [&]() {
                const std::string path = event.path != nullptr ? *event.path : PathOfHandle(event.handle);
                return path == filePath ? 0 : path == journal || path == creation ? 1 : -1;
            };
            switch (event.step) {
            case FileStep::Open:
                if (event.path != nullptr && *event.path == creation && !Exists(creation))
                    changes.push_back({Change::Create, 1});
                break;
            case FileStep::Rename:
                if (event.target != nullptr && *event.target == journal) changes.push_back({Change::Name, 1});
                break;
            case FileStep::Clone:
                // Shared blocks are the journal's bytes there, as written.
                ++clones;
                if (which() >= 0) {
                    std::string bytes(event.length, '\0');
                    EXPECT_EQ(::pread(static_cast<int>(event.source), bytes.data(), bytes.size(),
                                      static_cast<off_t>(event.sourceOffset)),
                              static_cast<ssize_t>(bytes.size()));
                    changes.push_back({Change::Write, which(), event.offset, bytes});
                }
                break;
            case FileStep::Write:
                if (which() >= 0)
                    changes.push_back({Change::Write, which(), event.offset,
                                       std::string(static_cast<const char*>(event.data), event.length)});
                break;
            case FileStep::Truncate:
                if (which() >= 0) changes.push_back({Change::Cut, which(), event.offset});
                break;
            case FileStep::Allocate:
                if (which() >= 0) changes.push_back({Change::Grow, which(), event.offset});
                break;
            case FileStep::Sync:
                if (which() >= 0) changes.push_back({Change::Flush, which()});
                break;
            case FileStep::Remove:
                if (*event.path == journal) changes.push_back({Change::Remove, 1});
                break;
            case FileStep::SyncFolder: changes.push_back({Change::FlushFolder}); break;
            default: break;
            }
            return 0;
        });
        const auto transform = direction == Direction::Encrypt ? EncryptFileInPlace : DecryptFileInPlace;
        ASSERT_TRUE(transform(progress, file, kKey, 4, nullptr));
        SetFileStepHook({});
    }

    static bool Exists(const std::string& path) { return ::access(path.c_str(), F_OK) == 0; }

    // Every disk state a cut before change `cut` may leave; `check` gets each
    // once it is in place.
    template <typename Check>
    void ForEveryStateAt(std::size_t cut, const std::string& original, Check check) {
        // Per file: the changes up to its last flush are on disk; those after may be, or not.
        std::string durable[2] = {original, {}};
        std::vector<std::pair<int, const Change*>> unsure;
        for (int f = 0; f < 2; ++f) {
            std::size_t lastFlush = 0;
            for (std::size_t i = 0; i < cut; ++i)
                if (changes[i].kind == Change::Flush && changes[i].file == f) lastFlush = i + 1;
            for (std::size_t i = 0; i < cut; ++i) {
                if (changes[i].file != f) continue;
                if (i < lastFlush)
                    Apply(changes[i], durable[f]);
                else if (changes[i].kind != Change::Flush)
                    unsure.emplace_back(f, &changes[i]);
            }
        }
        // The journal's name: taken or removed, and whether its folder was
        // flushed since; before it has its name, it is there in the making.
        bool created = false, removed = false, nameSure = true, inTheMaking = false;
        for (std::size_t i = 0; i < cut; ++i) {
            const Change& c = changes[i];
            if (c.kind == Change::Create) inTheMaking = true;
            if (c.kind == Change::Name || c.kind == Change::Remove) {
                created = c.kind == Change::Name;
                removed = c.kind == Change::Remove;
                inTheMaking = false;
                nameSure = false;
            } else if (c.kind == Change::FlushFolder) {
                nameSure = true;
            }
        }
        std::vector<bool> journalThere;
        const bool named = created && !removed;
        journalThere.push_back(named);
        if (!nameSure && (created || removed)) journalThere.push_back(!named);

        ASSERT_LE(unsure.size(), 8u);
        for (std::uint32_t subset = 0; subset < (1u << unsure.size()); ++subset) {
            for (const bool there : journalThere) {
                std::string content[2] = {durable[0], durable[1]};
                for (std::size_t u = 0; u < unsure.size(); ++u)
                    if (subset & (1u << u)) Apply(*unsure[u].second, content[unsure[u].first]);
                // Rewritten in place: the file keeps its inode, which names its journal.
                { std::ofstream(file, std::ios::binary | std::ios::trunc) << content[0]; }
                std::filesystem::remove(journal);
                std::filesystem::remove(creation);
                if (there) std::ofstream(journal, std::ios::binary) << content[1];
                if (inTheMaking) std::ofstream(creation, std::ios::binary) << content[1];
                SCOPED_TRACE(::testing::Message()
                             << "cut before change " << cut << " of " << changes.size() << ", unflushed changes kept "
                             << subset << " of " << unsure.size() << ", journal " << (there ? "there" : "gone")
                             << (inTheMaking ? " and in the making" : ""));
                check();
            }
        }
    }

    void CheckEveryCut(Direction direction, const std::string& plain) {
        const std::string encrypted = test::ReferenceEncrypt(plain, kKey);
        const std::string original = direction == Direction::Encrypt ? plain : encrypted;
        const std::string expected = direction == Direction::Encrypt ? encrypted : plain;
        WriteFile(file, original);
        Record(direction);
        ASSERT_TRUE(ReadFile(file) == expected);
        for (std::size_t cut = 0; cut <= changes.size(); ++cut) {
            ForEveryStateAt(cut, original, [&] {
                bool wasPending = false;
                const InPlaceResult finished = FinishPendingInPlace(progress, file, kKey, wasPending);
                ASSERT_TRUE(finished) << InPlaceFailureText(finished.Error());
                const std::string now = ReadFile(file);
                EXPECT_TRUE(now == expected || (!wasPending && now == original))
                    << "pending " << wasPending << ", " << now.size() << " bytes";
                EXPECT_FALSE(Exists(journal));
                EXPECT_FALSE(Exists(creation));
            });
        }
    }

    Place place;
    StateHome home;
    TempDir dir;
    std::string file = dir / "file";
    std::string journal, creation;
    FileProgress progress{0};
    std::vector<Change> changes;
    int clones = 0;  // steps that shared blocks instead of writing
};

// The system's temporary folder, with windows of two blocks.
struct TemporaryFolder {
    static constexpr std::size_t kWindowBytes = 32;
    static constexpr std::size_t kFileBytes = 75;
    bool Ready() const { return true; }
    std::string WhyNot() const { return {}; }
};
using PowerCut = PowerCutOn<TemporaryFolder>;

// A btrfs image, where whole pages of a window are shared with its record
// instead of written: windows of two pages.
struct SharingFileSystem {
    static constexpr std::size_t kWindowBytes = 8 << 10;
    static constexpr std::size_t kFileBytes = 2 * kWindowBytes + 1000;
    bool Ready() const { return image.mounted(); }
    std::string WhyNot() const { return "no btrfs image to share blocks on: " + image.whyNot(); }
    testing::BtrfsImage image;
};
using PowerCutSharingBlocks = PowerCutOn<SharingFileSystem>;

TEST_F(PowerCut, EncryptionOfSeveralWindowsIsFinishedFromAnyCut) {
    CheckEveryCut(Direction::Encrypt, test::RandomBytes(TemporaryFolder::kFileBytes, 11));
}

TEST_F(PowerCut, DecryptionOfSeveralWindowsIsFinishedFromAnyCut) {
    std::string plain = test::RandomBytes(TemporaryFolder::kFileBytes, 12);
    plain[0] = '\0';
    CheckEveryCut(Direction::Decrypt, plain);
}

TEST_F(PowerCutSharingBlocks, EncryptionIsFinishedFromAnyCut) {
    CheckEveryCut(Direction::Encrypt, test::RandomBytes(SharingFileSystem::kFileBytes, 13));
    EXPECT_GT(clones, 0);
}

TEST_F(PowerCutSharingBlocks, DecryptionIsFinishedFromAnyCut) {
    std::string plain = test::RandomBytes(SharingFileSystem::kFileBytes, 14);
    plain[0] = '\0';
    CheckEveryCut(Direction::Decrypt, plain);
    EXPECT_GT(clones, 0);
}

}  // namespace
}  // namespace tarvoss
