// In-place transforms on a file system that shares blocks (btrfs, mounted
// from an image): a window's whole pages go from its journal record into the
// file without being written again. The bytes must be those of any other
// file system, blocks must really be shared, and a run killed at any step,
// a sharing step included, must be finished as everywhere else.

#include "cipher/FileTransforms.h"
#include "cipher/InPlaceOutcome.h"
#include "cipher/InPlaceTransform.h"

#include "InPlaceTestSupport.h"
#include "LayoutReference.h"
#include "platform/FileSteps.h"
#include "support/BtrfsImage.h"
#include "support/DyingChild.h"
#include "support/StateHome.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <memory>

namespace tarvoss {
namespace {

using test::Exists;
using test::JournalOf;
using test::Transform;
using testing::ReadFile;
using testing::WriteFile;

const CipherKey& kKey = test::kSampleKey;

class SharedBlocks : public ::testing::Test {
protected:
    void SetUp() override {
        if (!image.mounted()) GTEST_SKIP() << "no btrfs image to share blocks on: " << image.whyNot();
        home = std::make_unique<testing::StateHome>();
        dir = std::make_unique<testing::TempDir>();
        file = *dir / "file";
    }
    void TearDown() override {
        SetFileStepHook({});
        SetInPlaceWindowBytes(std::size_t{16} << 20);
    }

    // Transforms the file, counting the sharing steps and, just before the
    // journal goes, the bytes the file shares with it.
    void TransformWatchingSharing(Direction direction, int& clones, std::int64_t& sharedBytes) {
        const std::string journal = JournalOf(file);
        clones = 0;
        sharedBytes = 0;
        SetFileStepHook([&](const FileStepEvent& event) {
            if (event.step == FileStep::Clone) ++clones;
            if (event.step == FileStep::Remove && *event.path == journal) sharedBytes = testing::SharedBytesOf(file);
            return 0;
        });
        {
            const InPlaceResult done = Transform(direction, progress, file);
            ASSERT_TRUE(done) << InPlaceFailureText(done.Error());
        }
        SetFileStepHook({});
    }

    // Members are made in order: the image first, so that the state folder
    // and the test's folder are on it.
    testing::BtrfsImage image;
    std::unique_ptr<testing::StateHome> home;
    std::unique_ptr<testing::TempDir> dir;
    std::string file;
    FileProgress progress{0};
};

TEST_F(SharedBlocks, RoundTripSharesTheJournalsBlocksAndGivesTheSameBytes) {
    SetInPlaceWindowBytes(64 << 10);
    // Whole windows, and a length that ends in the middle of a page.
    for (const std::size_t length : {std::size_t{3} << 16, std::size_t{300001}}) {
        SCOPED_TRACE(::testing::Message() << length << " bytes");
        const std::string plain = test::RandomBytes(length, static_cast<std::uint32_t>(length));
        WriteFile(file, plain);
        int clones = 0;
        std::int64_t shared = 0;
        TransformWatchingSharing(Direction::Encrypt, clones, shared);
        EXPECT_TRUE(ReadFile(file) == test::ReferenceEncrypt(plain, kKey));
        EXPECT_GT(clones, 0);
        // The last windows' pages are still the journal's blocks.
        EXPECT_GE(shared, 64 << 10);
        TransformWatchingSharing(Direction::Decrypt, clones, shared);
        EXPECT_TRUE(ReadFile(file) == plain);
        EXPECT_GT(clones, 0);
        EXPECT_GE(shared, 64 << 10);
        EXPECT_FALSE(Exists(JournalOf(file)));
    }
}

TEST_F(SharedBlocks, RefusedSharingIsTriedOnceAndTheBytesAreWrittenInstead) {
    SetInPlaceWindowBytes(64 << 10);
    const std::string plain = test::RandomBytes(300001, 9);
    WriteFile(file, plain);
    for (const int refusal : {EOPNOTSUPP, EIO}) {
        SCOPED_TRACE(refusal);
        int clones = 0;
        SetFileStepHook(
            [&](const FileStepEvent& event) { return event.step == FileStep::Clone && ++clones ? refusal : 0; });
        {
            const InPlaceResult done = Transform(Direction::Encrypt, progress, file);
            ASSERT_TRUE(done) << InPlaceFailureText(done.Error());
        }
        EXPECT_EQ(clones, 1);
        EXPECT_TRUE(ReadFile(file) == test::ReferenceEncrypt(plain, kKey));
        {
            const InPlaceResult done = Transform(Direction::Decrypt, progress, file);
            ASSERT_TRUE(done) << InPlaceFailureText(done.Error());
        }
        EXPECT_EQ(clones, 2);
        EXPECT_TRUE(ReadFile(file) == plain);
        SetFileStepHook({});
    }
}

TEST_F(SharedBlocks, DeathAtEveryStepIsFinishedByRecoverOrByRunningAgain) {
    // Three windows of two pages, and a last one cut short.
    SetInPlaceWindowBytes(8 << 10);
    const std::string plain = test::RandomBytes(3 * (8 << 10) + 1000, 5);
    const std::string encrypted = test::ReferenceEncrypt(plain, kKey);
    for (const Direction direction : {Direction::Encrypt, Direction::Decrypt}) {
        const std::string& original = direction == Direction::Encrypt ? plain : encrypted;
        const std::string& expected = direction == Direction::Encrypt ? encrypted : plain;
        WriteFile(file, original);
        std::atomic<int> steps{0}, clones{0};
        SetFileStepHook([&](const FileStepEvent& event) {
            if (event.step == FileStep::Clone) ++clones;
            return ++steps, 0;
        });
        ASSERT_TRUE(Transform(direction, progress, file));
        SetFileStepHook({});
        ASSERT_GT(clones.load(), 0) << "the run shared no blocks: the deaths below would prove nothing new";
        for (int step = 1; step <= steps.load(); ++step) {
            SCOPED_TRACE(::testing::Message() << (direction == Direction::Encrypt ? "encrypt" : "decrypt")
                                              << ", death before step " << step);
            WriteFile(file, original);
            ASSERT_TRUE(testing::RunDyingAtStep(step, [&] { Transform(direction, progress, file); }));
            // Finished by `recover` or by running again, in turn; without a
            // journal the file is untouched or done.
            const bool pending = Exists(JournalOf(file));
            if (pending && step % 2 == 0) {
                bool wasPending = false;
                {
                    const InPlaceResult done = FinishPendingInPlace(progress, file, kKey, wasPending);
                    ASSERT_TRUE(done) << InPlaceFailureText(done.Error());
                }
            } else if (pending || ReadFile(file) == original) {
                {
                    const InPlaceResult done = Transform(direction, progress, file);
                    ASSERT_TRUE(done) << InPlaceFailureText(done.Error());
                }
            }
            EXPECT_TRUE(ReadFile(file) == expected);
            EXPECT_FALSE(Exists(JournalOf(file)));
        }
    }
}

}  // namespace
}  // namespace tarvoss
