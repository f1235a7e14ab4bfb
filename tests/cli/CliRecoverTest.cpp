// tarvoss-cli killed in the middle of an in-place file (kill -9), finished by
// "recover" or by the same command run again; a second run on the file in
// work; copies never half-finished under their own name, and temporary
// copies that a killed run left behind.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/file.h>

#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "CliFiles.h"
#include "CliProcess.h"
#include "support/StateHome.h"

namespace tarvoss::testing {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

const std::string kKey = "1-2-3-4-5";

bool HasJournal(const StateHome& home) {
    std::error_code error;
    return fs::exists(home.JournalFolder(), error) && !fs::is_empty(home.JournalFolder(), error);
}

// Encrypted exactly once: decrypting it in place gives the large file back.
bool DecryptsBackToLarge(const std::string& path) {
    return RunCli({"decrypt", "--in-place", "--key", kKey, path}).status == 0 && IsLarge(path);
}

// Starts an in-place encryption of `path` and holds it (SIGSTOP) once its
// file has begun to change at `at` while its journal is there. Each look
// stops the run, so looks are a few milliseconds apart: the state sought
// lasts at least one window, and a run stopped most of the time would not
// reach it in a slow (sanitizer) build.
bool StartAndHoldInTheMiddle(CliProcess& cli, const StateHome& home, const std::string& path, std::size_t at = 0) {
    const std::string original = Bytes(kPiece, static_cast<unsigned>(at / kPiece)).substr(at % kPiece, 16);
    return WaitUntil(
        [&] {
            cli.Signal(SIGSTOP);
            std::string head(16, '\0');
            std::ifstream in(path, std::ios::binary);
            in.seekg(static_cast<std::streamoff>(at));
            in.read(head.data(), 16);
            if (head != original && HasJournal(home)) return true;
            cli.Signal(SIGCONT);
            return false;
        },
        std::chrono::minutes(5), std::chrono::milliseconds(5));
}

TEST(CliRecover, KilledInPlaceRunIsFinishedByRecoverOrByTheSameCommand) {
    StateHome home;
    TempDir dir;
    for (const bool byRecover : {true, false}) {
        SCOPED_TRACE(byRecover ? "recover" : "the same command again");
        const std::string large = dir / (byRecover ? "by-recover" : "by-rerun");
        MakeLarge(large);
        CliProcess cli({"encrypt", "--in-place", "--quiet", "--key", kKey, large});
        ASSERT_TRUE(StartAndHoldInTheMiddle(cli, home, large));
        cli.Signal(SIGKILL);
        cli.Wait();

        const CliResult list = RunCli({"recover", "--list"});
        EXPECT_EQ(list.status, 0);
        EXPECT_THAT(list.out, HasSubstr("encryption"));
        EXPECT_THAT(list.out, HasSubstr("\"" + large + "\""));
        const CliResult wrongKey = RunCli({"recover", "--key", "9-9-9-9-9"});
        EXPECT_EQ(wrongKey.status, 1);
        EXPECT_THAT(wrongKey.out, HasSubstr("under another key"));

        const CliResult finish =
            byRecover ? RunCli({"recover", "--key", kKey}) : RunCli({"encrypt", "--in-place", "--key", kKey, large});
        EXPECT_EQ(finish.status, 0) << finish.out << finish.err;
        EXPECT_FALSE(HasJournal(home));
        EXPECT_THAT(RunCli({"recover", "--list"}).out, HasSubstr("No in-place transform is waiting"));
        EXPECT_TRUE(DecryptsBackToLarge(large));
    }
}

bool SameBytes(const std::string& a, const std::string& b) {
    std::ifstream first(a, std::ios::binary), second(b, std::ios::binary);
    std::string x(kPiece, '\0'), y(kPiece, '\0');
    for (;;) {
        first.read(x.data(), kPiece);
        second.read(y.data(), kPiece);
        if (first.gcount() != second.gcount() || x.compare(0, first.gcount(), y, 0, second.gcount()) != 0) return false;
        if (first.gcount() == 0) return true;
    }
}

TEST(CliRecover, CopyOfAFileWithAnInterruptedRunIsRefusedUntilRecovered) {
    StateHome home;
    TempDir dir;
    const std::string large = dir / "large";
    MakeLarge(large);
    CliProcess cli({"encrypt", "--in-place", "--quiet", "--key", kKey, large});
    ASSERT_TRUE(StartAndHoldInTheMiddle(cli, home, large));
    cli.Signal(SIGKILL);
    cli.Wait();
    fs::copy_file(large, dir / "as-left");
    fs::create_directory(dir / "out");

    for (const bool deleteSources : {false, true}) {
        SCOPED_TRACE(deleteSources ? "with deletion" : "without deletion");
        std::vector<std::string> arguments{"encrypt", "--to", dir / "out", "--key", kKey, large};
        if (deleteSources) arguments.insert(arguments.begin() + 3, "--delete-sources");
        const CliResult run = RunCli(arguments);
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.out, "- Encrypting file \"" + large +
                               "\"... Error:\nAn in-place run on this file was interrupted: the file may be partly "
                               "transformed, so it was not copied and stays as it is. To finish it, run "
                               "\"tarvoss-cli recover\" with the same key.\n\nEncrypting is finished\n");
        EXPECT_TRUE(fs::is_empty(dir / "out"));
        EXPECT_TRUE(SameBytes(large, dir / "as-left"));
        EXPECT_TRUE(HasJournal(home));
    }
    EXPECT_EQ(RunCli({"recover", "--key", kKey}).status, 0);
    EXPECT_TRUE(DecryptsBackToLarge(large));
}

// An in-place encryption of `path` killed past its middle, with a finished
// part before the windows in work.
void KillPastTheMiddle(const StateHome& home, const std::string& path) {
    CliProcess cli({"encrypt", "--in-place", "--quiet", "--key", kKey, path});
    ASSERT_TRUE(StartAndHoldInTheMiddle(cli, home, path, kLargeSize * 3 / 4));
    cli.Signal(SIGKILL);
    cli.Wait();
}

TEST(CliRecover, FileChangedSinceTheInterruptionIsLeftAloneUntilItsJournalIsDiscarded) {
    StateHome home;
    TempDir dir;
    const std::string large = dir / "large";
    MakeLarge(large);
    KillPastTheMiddle(home, large);
    // Put back from a backup: the same file, its original bytes.
    MakeLarge(large);
    for (const auto& command : {std::vector<std::string>{"encrypt", "--in-place", "--key", kKey, large},
                                std::vector<std::string>{"recover", "--key", kKey}}) {
        const CliResult refused = RunCli(command);
        EXPECT_EQ(refused.status, 1);
        EXPECT_THAT(refused.out, HasSubstr("The file changed since its in-place run was interrupted"));
        EXPECT_TRUE(IsLarge(large));
        EXPECT_TRUE(HasJournal(home));
    }
    const CliResult discard = RunCli({"recover", "--discard", large});
    EXPECT_EQ(discard.status, 0) << discard.out << discard.err;
    EXPECT_THAT(discard.out, HasSubstr("OK"));
    EXPECT_FALSE(HasJournal(home));
    EXPECT_TRUE(IsLarge(large));
    EXPECT_EQ(RunCli({"encrypt", "--in-place", "--key", kKey, large}).status, 0);
    EXPECT_TRUE(DecryptsBackToLarge(large));
}

TEST(CliRecover, DamagedJournalIsNamedAndKeptWithItsFileUntouched) {
    StateHome home;
    TempDir dir;
    const std::string large = dir / "large";
    MakeLarge(large);
    KillPastTheMiddle(home, large);
    const std::string halfway = ReadFile(large);
    std::string journal;
    for (const auto& entry : fs::directory_iterator(home.JournalFolder())) journal = entry.path().string();
    WriteFile(journal, std::string(fs::file_size(journal), '\0'));

    EXPECT_THAT(RunCli({"recover", "--list"}).out, HasSubstr("damaged journal"));
    const CliResult recover = RunCli({"recover", "--key", kKey});
    EXPECT_EQ(recover.status, 1);
    EXPECT_THAT(recover.out, HasSubstr("The recovery journal of the file is damaged"));
    EXPECT_EQ(RunCli({"encrypt", "--in-place", "--key", kKey, large}).status, 1);
    EXPECT_TRUE(ReadFile(large) == halfway);
    EXPECT_TRUE(fs::exists(journal));

    EXPECT_EQ(RunCli({"recover", "--discard", large}).status, 0);
    EXPECT_THAT(RunCli({"recover", "--list"}).out, HasSubstr("No in-place transform is waiting"));
    EXPECT_THAT(RunCli({"recover", "--discard", large}).out, HasSubstr("no journal"));
}

TEST(CliRecover, SecondRunOnTheFileInWorkIsRefused) {
    StateHome home;
    TempDir dir;
    const std::string large = dir / "large";
    MakeLarge(large);
    CliProcess first({"encrypt", "--in-place", "--quiet", "--key", kKey, large});
    ASSERT_TRUE(StartAndHoldInTheMiddle(first, home, large));

    const CliResult second = RunCli({"encrypt", "--in-place", "--key", kKey, large});
    EXPECT_EQ(second.status, 1);
    EXPECT_THAT(second.out, HasSubstr("being transformed by another run"));
    first.Signal(SIGCONT);
    EXPECT_EQ(first.Wait().status, 0);
    EXPECT_TRUE(DecryptsBackToLarge(large));
}

TEST(CliRecover, FileSizeLimitIsAFailureWithAMessageNotADeath) {
    StateHome home;
    TempDir dir;
    const std::string file = dir / "file", plain = Bytes(100000, 7);
    Make(file, plain);
    // The shell leaves SIGXFSZ as it is: tarvoss-cli itself must ignore it.
    const CliResult run = RunCli(
        {"-c", "ulimit -f 64 && exec \"$0\" \"$@\"", TARVOSS_CLI_PATH, "encrypt", "--in-place", "--key", kKey, file},
        "", 0, CliProcess::kSameUser, "/bin/sh");
    EXPECT_EQ(run.status, 1);
    EXPECT_THAT(run.out, HasSubstr("File too large"));
    EXPECT_EQ(ReadFile(file), plain);
    EXPECT_FALSE(HasJournal(home));
}

TEST(CliRecover, KilledCopyLeavesNoFileUnderItsNameAndRunsClearWhatKilledRunsLeft) {
    StateHome home;
    TempDir dir;
    const std::string large = dir / "large";
    MakeLarge(large);
    fs::create_directory(dir / "out");
    Make(dir / "out/old", "an older copy");
    // A new copy and one that replaces an older file, each killed halfway.
    for (const char* name : {"large", "old"}) {
        const std::string source = dir / name;
        if (source != large) fs::copy_file(large, source);
        CliProcess cli({"encrypt", "--to", dir / "out", "--quiet", "--key", kKey, source});
        ASSERT_TRUE(WaitUntil([&] { return cli.HasFileOpenIn(dir / "out/"); }));
        cli.Signal(SIGKILL);
        cli.Wait();
    }
    EXPECT_FALSE(fs::exists(dir / "out/large"));
    EXPECT_EQ(ReadFile(dir / "out/old"), "an older copy");
    // Left behind at most: the temporary copy that was to replace the older one.
    std::string leftover;
    for (const auto& entry : fs::directory_iterator(dir / "out"))
        if (entry.path().filename() != "old") leftover = entry.path().string();
    if (leftover.empty()) {
        leftover = dir / "out/.tarvoss-0123456789abcdef.tmp";
        Make(leftover, "left by a killed run");
    }
    EXPECT_THAT(leftover, HasSubstr("/.tarvoss-"));

    // One that another run holds is not a leftover.
    const std::string held = dir / "out/.tarvoss-00000000000000ab.tmp";
    Make(held, "in work");
    const int holder = ::open(held.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(::flock(holder, LOCK_EX), 0);
    EXPECT_EQ(RunCli({"encrypt", "--to", dir / "out", "--key", kKey, large}).status, 0);
    EXPECT_FALSE(fs::exists(leftover));
    EXPECT_TRUE(fs::exists(held));
    ::close(holder);

    // "recover" clears the folders of the files it is given.
    EXPECT_EQ(RunCli({"recover", "--key", kKey, dir / "out/large"}).status, 0);
    EXPECT_FALSE(fs::exists(held));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / "out"), {}), 2);
}

}  // namespace
}  // namespace tarvoss::testing
