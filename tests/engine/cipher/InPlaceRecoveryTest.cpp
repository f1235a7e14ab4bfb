// In-place transforms interrupted at every step, by the death of the process
// or by a failing system call, and finished afterwards by `recover` or by the
// same transform run again: the file must end as the uninterrupted result,
// or as the original where nothing had changed. Also: a wrong key at finish,
// a second run on a locked file, and what a journal may hold.

#include "cipher/FileTransforms.h"
#include "cipher/InPlaceJournal.h"
#include "cipher/InPlaceOutcome.h"
#include "cipher/InPlaceTransform.h"

#include "InPlaceTestSupport.h"
#include "LayoutReference.h"
#include "platform/FileRecord.h"
#include "platform/FileSteps.h"
#include "platform/FileSystem.h"
#include "platform/LastError.h"
#include "support/DyingChild.h"
#include "support/StateHome.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <filesystem>
#include <functional>

namespace tarvoss {
namespace {

using test::Exists;
using test::JournalOf;
using test::Transform;
using testing::ReadFile;
using testing::StateHome;
using testing::TempDir;
using testing::WriteFile;

const CipherKey& kKey = test::kSampleKey;
const CipherKey kOtherKey{1, 2, 3, 4};
// Two blocks per window: small files cross several windows.
constexpr std::size_t kTinyWindow = 32;

struct Case {
    Direction direction;
    std::size_t length;
    bool zeroFirst;  // the plain file starts with the byte 0
};

// Lengths around the block (16) and the window (32) boundaries.
const Case kCases[] = {
    {Direction::Encrypt, 0, false},  {Direction::Encrypt, 1, true},   {Direction::Encrypt, 15, false},
    {Direction::Encrypt, 16, true},  {Direction::Encrypt, 17, false}, {Direction::Encrypt, 32, true},
    {Direction::Encrypt, 33, false}, {Direction::Encrypt, 48, false}, {Direction::Encrypt, 65, true},
    {Direction::Decrypt, 0, false},  {Direction::Decrypt, 1, true},   {Direction::Decrypt, 16, true},
    {Direction::Decrypt, 17, false}, {Direction::Decrypt, 31, true},  {Direction::Decrypt, 32, false},
    {Direction::Decrypt, 33, true},  {Direction::Decrypt, 64, true},  {Direction::Decrypt, 65, false},
};

std::string Plain(const Case& c) {
    std::string plain = test::RandomBytes(c.length, static_cast<std::uint32_t>(c.length * 7 + 1));
    if (!plain.empty()) plain[0] = c.zeroFirst ? '\0' : '\x41';
    return plain;
}

std::string Reason(int code) {
    std::string text = DescribeError(code);
    return text.substr(0, text.find('\r'));
}

class InPlaceRecovery : public ::testing::Test {
public:
    void SetUp() override { SetInPlaceWindowBytes(kTinyWindow); }
    void TearDown() override {
        SetFileStepHook({});
        SetInPlaceWindowBytes(std::size_t{16} << 20);
    }

    // The steps of the file layer an uninterrupted transform of `original` takes.
    int CountSteps(Direction direction, const std::string& original) {
        WriteFile(file, original);
        std::atomic<int> steps{0};
        SetFileStepHook([&](const FileStepEvent&) { return ++steps, 0; });
        EXPECT_TRUE(Transform(direction, progress, file));
        SetFileStepHook({});
        return steps.load();
    }

    // Runs the transform in a child process that ends, without any clean-up,
    // just before step `dieAt` of the file layer.
    bool RunAndDieAt(Direction direction, int dieAt) {
        return testing::RunDyingAtStep(dieAt, [&] { Transform(direction, progress, file); });
    }

    // Finishes what an interrupted transform left, by `recover` or by
    // running the transform again, and checks the result.
    void FinishAndCheck(Direction direction, bool byRerun, const std::string& original, const std::string& expected) {
        const std::string journal = JournalOf(file);
        const bool pending = Exists(journal);
        if (!pending) {
            // Without a journal the file is untouched or completely done.
            const std::string now = ReadFile(file);
            ASSERT_TRUE(now == original || now == expected);
            if (now == expected) return;
        }
        if (byRerun) {
            const InPlaceResult done = Transform(direction, progress, file);
            ASSERT_TRUE(done) << InPlaceFailureText(done.Error());
            EXPECT_TRUE(ReadFile(file) == expected);
        } else {
            bool wasPending = false;
            const InPlaceResult finished = FinishPendingInPlace(progress, file, kKey, wasPending);
            ASSERT_TRUE(finished) << InPlaceFailureText(finished.Error());
            const std::string now = ReadFile(file);
            EXPECT_TRUE(now == expected || (!wasPending && now == original));
        }
        EXPECT_FALSE(Exists(journal));
    }

    StateHome home;
    TempDir dir;
    std::string file = dir / "file";
    FileProgress progress{0};
};

// One case at one step: the plain bytes, the file before and the result.
struct StepCase {
    const Case& c;
    int step;
    std::string plain, original, expected;
};

// Runs `check` for every step of every case, the file holding the case's
// original bytes each time.
template <typename Check>
void ForEveryStep(InPlaceRecovery& fixture, const char* what, Check check) {
    for (const Case& c : kCases) {
        const std::string plain = Plain(c);
        const std::string encrypted = test::ReferenceEncrypt(plain, kKey);
        StepCase at{c, 0, plain, c.direction == Direction::Encrypt ? plain : encrypted,
                    c.direction == Direction::Encrypt ? encrypted : plain};
        const int steps = fixture.CountSteps(c.direction, at.original);
        for (at.step = 1; at.step <= steps; ++at.step) {
            SCOPED_TRACE(::testing::Message() << (c.direction == Direction::Encrypt ? "encrypt " : "decrypt ")
                                              << c.length << " bytes, " << what << " step " << at.step);
            WriteFile(fixture.file, at.original);
            check(at);
        }
    }
}

TEST_F(InPlaceRecovery, DeathAtEveryStepIsFinishedByRecoverOrByRunningAgain) {
    ForEveryStep(*this, "death before", [&](const StepCase& at) {
        ASSERT_TRUE(RunAndDieAt(at.c.direction, at.step));
        // Encryption never puts a plain block into its journal.
        const std::string journal = JournalOf(file);
        if (at.c.direction == Direction::Encrypt && Exists(journal)) {
            const std::string kept = ReadFile(journal);
            for (std::size_t offset = 0; offset + 16 <= at.plain.size(); offset += 16)
                EXPECT_EQ(kept.find(at.plain.substr(offset, 16)), std::string::npos);
        }
        FinishAndCheck(at.c.direction, at.step % 2 == 0, at.original, at.expected);
    });
}

TEST_F(InPlaceRecovery, FailureAtEveryStepKeepsTheFileWholeOrItsJournal) {
    ForEveryStep(*this, "failure at", [&](const StepCase& at) {
        std::atomic<int> seen{0};
        SetFileStepHook([&](const FileStepEvent&) { return ++seen == at.step ? EIO : 0; });
        const InPlaceResult result = Transform(at.c.direction, progress, file);
        SetFileStepHook({});
        const bool done = static_cast<bool>(result);
        const InPlaceReport report = done ? InPlaceReport{} : result.Error();
        if (done || report.outcome == InPlaceOutcome::JournalNotRemoved) {
            // Finished: a journal left behind is never a partly transformed file.
            EXPECT_TRUE(ReadFile(file) == at.expected);
        } else if (report.outcome == InPlaceOutcome::Unfinished) {
            // A failure in the middle is never a success, and names the system's reason.
            EXPECT_EQ(report.code, EIO);
            EXPECT_NE(InPlaceFailureText(report).find(Reason(EIO)), std::string::npos);
        } else {
            // Refused before the first change: the file is as it was.
            EXPECT_TRUE(ReadFile(file) == at.original);
            EXPECT_FALSE(Exists(JournalOf(file)));
        }
        FinishAndCheck(at.c.direction, at.step % 2 == 1, at.original, at.expected);
    });
}

// A file of several windows, interrupted halfway through its encryption.
class InterruptedEncryption : public InPlaceRecovery {
protected:
    void SetUp() override {
        InPlaceRecovery::SetUp();
        WriteFile(file, plain);
        const int steps = CountSteps(Direction::Encrypt, plain);
        WriteFile(file, plain);
        ASSERT_TRUE(RunAndDieAt(Direction::Encrypt, steps / 2));
        journal = JournalOf(file);
        ASSERT_TRUE(Exists(journal));
        halfway = ReadFile(file);
        ASSERT_NE(halfway, plain);
    }

    std::string plain = test::RandomBytes(200, 5);
    std::string encrypted = test::ReferenceEncrypt(plain, kKey);
    std::string journal;
    std::string halfway;
};

TEST_F(InterruptedEncryption, WrongKeyChangesNothing) {
    const std::string kept = ReadFile(journal);
    bool wasPending = false;
    const InPlaceResult finished = FinishPendingInPlace(progress, file, kOtherKey, wasPending);
    ASSERT_FALSE(finished);
    EXPECT_EQ(finished.Error().outcome, InPlaceOutcome::WrongKey);
    const InPlaceResult rerun = Transform(Direction::Encrypt, progress, file, kOtherKey);
    ASSERT_FALSE(rerun);
    EXPECT_EQ(rerun.Error().outcome, InPlaceOutcome::WrongKey);
    EXPECT_TRUE(ReadFile(file) == halfway);
    EXPECT_TRUE(ReadFile(journal) == kept);

    EXPECT_TRUE(FinishPendingInPlace(progress, file, kKey, wasPending));
    EXPECT_TRUE(wasPending);
    EXPECT_TRUE(ReadFile(file) == encrypted);
}

TEST_F(InterruptedEncryption, RunOfTheOtherDirectionFinishesItAndFails) {
    const InPlaceResult done = Transform(Direction::Decrypt, progress, file);
    ASSERT_FALSE(done);
    EXPECT_EQ(done.Error().outcome, InPlaceOutcome::FinishedOtherWay);
    EXPECT_EQ(done.Error().pending, Direction::Encrypt);
    EXPECT_TRUE(ReadFile(file) == encrypted);
    EXPECT_FALSE(Exists(journal));
    // Only the next run decrypts it.
    EXPECT_TRUE(Transform(Direction::Decrypt, progress, file));
    EXPECT_TRUE(ReadFile(file) == plain);
}

TEST_F(InterruptedEncryption, FileChangedSinceIsRefusedUnchanged) {
    // Rewritten in place by something else: the same inode, another length.
    WriteFile(file, "changed");
    const InPlaceResult done = Transform(Direction::Encrypt, progress, file);
    ASSERT_FALSE(done);
    EXPECT_EQ(done.Error().outcome, InPlaceOutcome::FileChanged);
    EXPECT_EQ(ReadFile(file), "changed");
    EXPECT_TRUE(Exists(journal));
}

TEST_F(InPlaceRecovery, ReadOnlyFileGetsItsBitsBackWhenFinished) {
    const std::string plain = test::RandomBytes(200, 7);
    const auto writeReadOnly = [&] {
        ::chmod(file.c_str(), 0644);
        WriteFile(file, plain);
        ::chmod(file.c_str(), 0444);
    };
    writeReadOnly();
    const int steps = CountSteps(Direction::Encrypt, plain);
    writeReadOnly();
    ASSERT_TRUE(RunAndDieAt(Direction::Encrypt, steps / 2));
    // The run died with owner-write added; the journal knows the bits from before.
    bool wasPending = false;
    EXPECT_TRUE(FinishPendingInPlace(progress, file, kKey, wasPending));
    EXPECT_TRUE(wasPending);
    EXPECT_TRUE(ReadFile(file) == test::ReferenceEncrypt(plain, kKey));
    struct stat info {};
    ASSERT_EQ(::stat(file.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0444u);
}

TEST_F(InPlaceRecovery, SecondRunOnTheFileInWorkIsRefusedAndChangesNothing) {
    const std::string plain = test::RandomBytes(100, 9);
    WriteFile(file, plain);
    bool secondDone = true;
    InPlaceReport second;
    std::string seenBySecond;
    std::atomic<int> writes{0};
    SetFileStepHook([&](const FileStepEvent& event) {
        // Halfway through the first run, a second one starts on the same file.
        if (event.step == FileStep::Write && ++writes == 3) {
            seenBySecond = ReadFile(file);
            FileProgress otherProgress{0};
            const InPlaceResult result = Transform(Direction::Encrypt, otherProgress, file);
            secondDone = static_cast<bool>(result);
            if (!result) second = result.Error();
            EXPECT_TRUE(ReadFile(file) == seenBySecond);
        }
        return 0;
    });
    EXPECT_TRUE(Transform(Direction::Encrypt, progress, file));
    EXPECT_FALSE(secondDone);
    EXPECT_EQ(second.outcome, InPlaceOutcome::Locked);
    EXPECT_TRUE(ReadFile(file) == test::ReferenceEncrypt(plain, kKey));
}

TEST_F(InPlaceRecovery, JournalThatCannotBeMadeRefusesTheFileUnchanged) {
    // The state folder's place is taken by a file: no journal can be made.
    const std::string blocker = dir / "not-a-folder";
    WriteFile(blocker, "x");
    ::setenv("XDG_STATE_HOME", blocker.c_str(), 1);
    const std::string plain = test::RandomBytes(100, 3);
    WriteFile(file, plain);
    const InPlaceResult done = Transform(Direction::Encrypt, progress, file);
    ASSERT_FALSE(done);
    EXPECT_EQ(done.Error().outcome, InPlaceOutcome::JournalUnwritable);
    EXPECT_NE(InPlaceFailureText(done.Error()).find("left unchanged"), std::string::npos);
    EXPECT_TRUE(ReadFile(file) == plain);
}

}  // namespace
}  // namespace tarvoss
