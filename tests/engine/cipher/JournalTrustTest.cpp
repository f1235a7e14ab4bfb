// A recovery journal is applied only when it is whole and its file proves to
// be in a state it describes. Whatever the damage to the journal or the change
// to the file, a finish that says success leaves the file exactly as the
// finished result, and one that fails leaves the file (and the journal) as it
// found them.

#include "cipher/InPlaceJournal.h"
#include "cipher/InPlaceOutcome.h"
#include "cipher/InPlaceTransform.h"
#include "cipher/PendingJournals.h"

#include "InPlaceTestSupport.h"
#include "LayoutReference.h"
#include "platform/FileRecord.h"
#include "platform/FileSteps.h"
#include "platform/FileSystem.h"
#include "support/DyingChild.h"
#include "support/StateHome.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace tarvoss {
namespace {

namespace fs = std::filesystem;
using test::Exists;
using test::JournalOf;
using test::Transform;
using testing::ReadFile;
using testing::StateHome;
using testing::TempDir;
using testing::WriteFile;

const CipherKey& kKey = test::kSampleKey;
// Two blocks per window: a file of 200 bytes crosses seven windows.
constexpr std::size_t kTinyWindow = 32;
constexpr std::uint64_t kPage = 4096;

class JournalTrust : public ::testing::Test {
public:
    void SetUp() override { SetInPlaceWindowBytes(kTinyWindow); }
    void TearDown() override {
        SetFileStepHook({});
        SetInPlaceWindowBytes(std::size_t{16} << 20);
    }

    // A transform of `direction` killed at `fraction` of its steps.
    void Interrupt(Direction d, double fraction) {
        direction = d;
        std::error_code ignored;
        fs::remove_all(home.JournalFolder(), ignored);
        original = d == Direction::Encrypt ? plain : encrypted;
        expected = d == Direction::Encrypt ? encrypted : plain;
        WriteFile(file, original);
        std::atomic<int> steps{0};
        SetFileStepHook([&](const FileStepEvent&) { return ++steps, 0; });
        ASSERT_TRUE(Transform(d, progress, file));
        SetFileStepHook({});
        WriteFile(file, original);
        ASSERT_TRUE(testing::RunDyingAtStep(static_cast<int>(steps * fraction), [&] { Transform(d, progress, file); }));
        journal = JournalOf(file);
        ASSERT_TRUE(Exists(journal));
        halfway = ReadFile(file);
        kept = ReadFile(journal);
        ASSERT_NE(halfway, original);
    }

    // Finishes by `recover` or by running the transform again.
    InPlaceResult Finish(bool byRecover) {
        bool wasPending = false;
        return byRecover ? FinishPendingInPlace(progress, file, kKey, wasPending)
                         : Transform(direction, progress, file);
    }

    // A failed finish left the file and the journal as it found them.
    void ExpectLeftAlone(const InPlaceResult& finished, const std::string& fileBefore, const std::string& journalBefore,
                         InPlaceOutcome outcome) {
        ASSERT_FALSE(finished);
        EXPECT_EQ(finished.Error().outcome, outcome);
        EXPECT_TRUE(ReadFile(file) == fileBefore);
        EXPECT_TRUE(ReadFile(journal) == journalBefore);
    }

    StateHome home;
    TempDir dir;
    std::string file = dir / "file";
    FileProgress progress{0};
    std::string plain = test::RandomBytes(200, 5);
    std::string encrypted = test::ReferenceEncrypt(plain, kKey);
    Direction direction = Direction::Encrypt;
    std::string original, expected, halfway, journal, kept;
};

// Deletes the file and makes new ones until one gets its inode back; false
// where the file system does not hand it out again soon.
bool MakeAnewOnTheSameInode(const std::string& file, const TempDir& dir, const std::string& content) {
    FileIdentity old;
    if (!GetFileIdentity(file, old)) return false;
    fs::remove(file);
    for (int attempt = 0; attempt < 64; ++attempt) {
        const std::string other = dir / ("other" + std::to_string(attempt));
        WriteFile(other, content);
        FileIdentity now;
        if (GetFileIdentity(other, now) && now == old) {
            fs::rename(other, file);
            return true;
        }
    }
    return false;
}

TEST_F(JournalTrust, FileChangedSinceTheInterruptionIsLeftAloneUntilItsJournalIsDropped) {
    struct Change {
        const char* name;
        std::function<bool(JournalTrust&)> apply;  // false: cannot be arranged here
    };
    const Change changes[] = {
        {"put back from a backup", [](JournalTrust& t) { return WriteFile(t.file, t.plain), true; }},
        {"rewritten at the same length",
         [](JournalTrust& t) { return WriteFile(t.file, test::RandomBytes(t.halfway.size(), 99)), true; }},
        {"one byte of the finished part changed",
         [](JournalTrust& t) {
             std::string changed = t.halfway;
             changed[5] ^= 1;
             return WriteFile(t.file, changed), true;
         }},
        {"one byte of the window in work changed",
         [](JournalTrust& t) {
             std::string changed = t.halfway;
             changed[changed.size() / 2] ^= 1;
             return WriteFile(t.file, changed), true;
         }},
        {"the same bytes made anew on the freed inode",
         [](JournalTrust& t) { return MakeAnewOnTheSameInode(t.file, t.dir, t.halfway); }},
    };
    for (const Change& change : changes) {
        for (const bool byRecover : {true, false}) {
            SCOPED_TRACE(::testing::Message() << change.name << (byRecover ? ", by recover" : ", by a run"));
            Interrupt(Direction::Encrypt, 0.6);
            if (!change.apply(*this)) {
                std::printf("not arranged here: %s\n", change.name);
                fs::remove(journal);
                continue;
            }
            const std::string changed = ReadFile(file);
            ExpectLeftAlone(Finish(byRecover), changed, kept, InPlaceOutcome::FileChanged);
            // Dropped by the user who has dealt with the file: the next run
            // takes the file as it is.
            ASSERT_TRUE(DiscardJournal(journal));
            EXPECT_TRUE(Transform(Direction::Encrypt, progress, file));
            EXPECT_TRUE(ReadFile(file) == test::ReferenceEncrypt(changed, kKey));
        }
    }
}

// Flips, cuts and replacements of the journal, each on a fresh copy of it.
struct Damage {
    std::string name;
    std::function<void(const std::string& journal)> apply;
    bool surelyDamaged;  // false: a torn record that a crash may leave too
};

void Flip(const std::string& path, std::uint64_t at) {
    std::fstream io(path, std::ios::binary | std::ios::in | std::ios::out);
    io.seekg(static_cast<std::streamoff>(at));
    const char byte = static_cast<char>(io.get() ^ 0x10);
    io.seekp(static_cast<std::streamoff>(at));
    io.put(byte);
}

std::vector<Damage> DamagesOf(const std::string& kept, std::uint64_t headerLength) {
    const std::uint64_t size = kept.size(), slot = (size - kPage) / kJournalSlots;
    std::vector<Damage> damages;
    for (std::uint64_t at = 0; at < headerLength; ++at)
        damages.push_back({"header byte " + std::to_string(at), [at](auto& j) { Flip(j, at); }, true});
    for (int s = 0; s < kJournalSlots; ++s) {
        const std::uint64_t head = kPage + s * slot;
        for (std::uint64_t at = head; at < head + kRecordHeadBytes; ++at)
            damages.push_back({"record head byte " + std::to_string(at), [at](auto& j) { Flip(j, at); }, true});
        for (const std::uint64_t at : {head + kPage, head + kPage + 17, head + kPage + 48})
            damages.push_back({"record data byte " + std::to_string(at), [at](auto& j) { Flip(j, at); }, false});
        for (const std::uint64_t cut : {head, head + 1, head + kRecordHeadBytes, head + kPage, head + kPage + 20})
            damages.push_back({"cut at " + std::to_string(cut), [cut](auto& j) { fs::resize_file(j, cut); }, true});
    }
    for (const std::uint64_t cut : {std::uint64_t{0}, std::uint64_t{1}, headerLength - 1, size - 1})
        damages.push_back({"cut at " + std::to_string(cut), [cut](auto& j) { fs::resize_file(j, cut); }, true});
    damages.push_back({"one byte more", [size](auto& j) { fs::resize_file(j, size + 1); }, true});
    damages.push_back({"zeroed", [kept](auto& j) { WriteFile(j, std::string(kept.size(), '\0')); }, true});
    damages.push_back({"a link to a copy in its place",
                       [](auto& j) {
                           fs::rename(j, j + ".copy");
                           fs::create_symlink(j + ".copy", j);
                       },
                       true});
    damages.push_back({"a second name", [](auto& j) { fs::create_hard_link(j, j + ".other"); }, true});
    return damages;
}

TEST_F(JournalTrust, DamagedJournalIsKeptAndItsFileLeftAlone) {
    for (const Direction d : {Direction::Encrypt, Direction::Decrypt}) {
        SCOPED_TRACE(d == Direction::Encrypt ? "encryption" : "decryption");
        Interrupt(d, 0.6);
        InPlaceJournal opened;
        ASSERT_TRUE(opened.Open(journal, FileAccess::Read));
        const std::uint64_t headerLength = EncodeJournalHeader(opened.Header()).size();
        opened.Close();
        int finished = 0;
        for (const Damage& damage : DamagesOf(kept, headerLength)) {
            SCOPED_TRACE(damage.name);
            for (const std::string& extra : {journal + ".copy", journal + ".other"}) fs::remove(extra);
            fs::remove(journal);
            WriteFile(journal, kept);
            WriteFile(file, halfway);
            damage.apply(journal);
            const std::string damaged = ReadFile(journal);
            if (damage.surelyDamaged) {
                const std::vector<PendingJournal> listed = ListPendingJournals();
                ASSERT_FALSE(listed.empty());
                EXPECT_EQ(listed.front().state, JournalState::Damaged);
            }
            const InPlaceResult done = Finish(finished++ % 2 == 0);
            if (done) {
                EXPECT_FALSE(damage.surelyDamaged);
                EXPECT_TRUE(ReadFile(file) == expected);
                EXPECT_FALSE(Exists(journal));
            } else {
                ExpectLeftAlone(done, halfway, damaged,
                                damage.surelyDamaged ? InPlaceOutcome::JournalDamaged : done.Error().outcome);
            }
        }
    }
}

TEST_F(JournalTrust, BytesAppendedDuringTheRunAreKeptWithTheJournal) {
    for (const Direction d : {Direction::Encrypt, Direction::Decrypt}) {
        SCOPED_TRACE(d == Direction::Encrypt ? "encryption" : "decryption");
        direction = d;
        WriteFile(file, d == Direction::Encrypt ? plain : encrypted);
        std::atomic<int> writes{0};
        SetFileStepHook([&](const FileStepEvent& event) {
            if (event.step == FileStep::Write && ++writes == 8)
                std::ofstream(file, std::ios::binary | std::ios::app) << "appended";
            return 0;
        });
        const InPlaceResult done = Transform(d, progress, file);
        SetFileStepHook({});
        ASSERT_FALSE(done);
        EXPECT_EQ(done.Error().outcome, InPlaceOutcome::LengthChanged);
        const std::string now = ReadFile(file);
        EXPECT_EQ(now.size(), encrypted.size() + 8);
        EXPECT_EQ(now.substr(encrypted.size()), "appended");
        journal = JournalOf(file);
        ASSERT_TRUE(Exists(journal));
        // Nor is the journal applied to the longer file afterwards.
        const std::string appendedRun = ReadFile(journal);
        ExpectLeftAlone(Finish(true), now, appendedRun, InPlaceOutcome::FileChanged);
        ASSERT_TRUE(DiscardJournal(journal));
    }
}

TEST_F(JournalTrust, CreationCutShortIsRemovedAndNeverListed) {
    WriteFile(file, plain);
    const std::string creation = JournalCreationPath(JournalOf(file));
    fs::create_directories(home.JournalFolder());
    WriteFile(creation, "");
    {
        // One that a run is making at this moment is left out altogether.
        FileRecord held;
        held.access = FileAccess::Read;
        ASSERT_TRUE(held.Open(creation) && held.TryLockExclusive());
        EXPECT_TRUE(ListPendingJournals().empty());
    }
    const std::vector<PendingJournal> listed = ListPendingJournals();
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed.front().state, JournalState::NeverStarted);
    EXPECT_EQ(PendingJournalsNotice(SortInterruptedRuns(listed)), "");
    EXPECT_TRUE(Transform(Direction::Encrypt, progress, file));
    EXPECT_TRUE(ReadFile(file) == encrypted);
    EXPECT_FALSE(Exists(creation));
    EXPECT_TRUE(ListPendingJournals().empty());
}

}  // namespace
}  // namespace tarvoss
