// tarvoss-cli on real trees: round trips, failures, walks with links and
// special files, a full disk with deletion on, and Ctrl+C.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "CliFiles.h"
#include "CliProcess.h"
#include "support/ScratchMount.h"

namespace tarvoss::testing {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::Not;

const std::string kTextKey = "sixteen char key";

std::string Line(const char* verb, const std::string& path, const std::string& end = "OK") {
    return std::string("- ") + verb + " file \"" + path + "\"... " + end + "\n";
}

TEST(CliRun, UnreadableSubFolderIsAFailedItem) {
    TempDir dir;
    Make(dir / "tree/ok.txt", "plain");
    Make(dir / "tree/locked/secret.txt", "secret");
    // Root reads any folder: the run is made as an ordinary user then, who
    // may pass the scratch folder and write the file that is meant to work.
    const bool root = ::geteuid() == 0;
    const uid_t user = root ? 65534 : CliProcess::kSameUser;
    if (root) {
        fs::permissions(dir.path(), fs::perms::all);
        fs::permissions(dir / "tree", fs::perms::all);
        fs::permissions(dir / "tree/ok.txt", fs::perms::all);
    }
    fs::permissions(dir / "tree/locked", fs::perms::none);

    const CliResult run = RunCli({"encrypt", "--in-place", "--key", "1-2-3-4-5", dir / "tree"}, "", 0, user);
    fs::permissions(dir / "tree/locked", fs::perms::owner_all);
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_THAT(run.out, HasSubstr(Line("Encrypting", dir / "tree/locked/", "Error:") + "Permission denied\n"));
    EXPECT_THAT(run.out, HasSubstr(Line("Encrypting", dir / "tree/ok.txt")));
    EXPECT_EQ(ReadFile(dir / "tree/locked/secret.txt"), "secret");
}

TEST(CliRun, NamesWithLineBreaksStayOnOneLine) {
    TempDir dir;
    Make(dir / "tree/evil\nname", "x");
    Make(dir / "tree/\x1b]0;title\x07", "y");
    const CliResult run = RunCli({"encrypt", "--in-place", "--key", "1-2-3-4-5", dir / "tree"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, Line("Encrypting", dir / "tree/\\x1B]0;title\\x07") +
                           Line("Encrypting", dir / "tree/evil\\nname") + "\nEncrypting is finished\n");
    const CliResult missing = RunCli({"encrypt", "--in-place", "--key", "1-2-3-4-5", dir / "gone\nfile"});
    EXPECT_THAT(missing.err, HasSubstr("gone\\nfile"));
}

TEST(CliRun, InPlaceAndCopyGiveTheSameBytesAndDecryptBack) {
    TempDir dir;
    const std::vector<std::pair<std::string, std::size_t>> files = {
        {"tree/f0", 0},  {"tree/f1", 1}, {"tree/sub/f15", 15}, {"tree/sub/f16", 16}, {"tree/sub/deep/f17", 17},
        {"single", 1000}};
    for (const auto& [name, size] : files) {
        Make(dir / ("a/" + name), Bytes(size, static_cast<unsigned>(size)));
        Make(dir / ("b/" + name), Bytes(size, static_cast<unsigned>(size)));
    }
    fs::create_directory(dir / "out");

    const CliResult inPlace =
        RunCli({"encrypt", "--in-place", "--key-type", "text", "--key-stdin", dir / "a/tree", dir / "a/single"},
               kTextKey + "\n");
    EXPECT_EQ(inPlace.status, 0) << inPlace.err;
    const std::string a = dir / "a/";
    EXPECT_EQ(inPlace.out, Line("Encrypting", a + "tree/f0") + Line("Encrypting", a + "tree/f1") +
                               Line("Encrypting", a + "tree/sub/deep/f17") + Line("Encrypting", a + "tree/sub/f15") +
                               Line("Encrypting", a + "tree/sub/f16") + Line("Encrypting", a + "single") +
                               "\nEncrypting is finished\n");

    const CliResult copy = RunCli(
        {"encrypt", "--to", dir / "out", "--key-type", "text", "--key", kTextKey, dir / "b/tree", dir / "b/single"});
    EXPECT_EQ(copy.status, 0) << copy.err;
    for (const auto& [name, size] : files) {
        EXPECT_EQ(ReadFile(dir / ("out/" + name)), ReadFile(dir / ("a/" + name))) << name;
        EXPECT_EQ(ReadFile(dir / ("a/" + name)).size(), 1 + (size + 15) / 16 * 16) << name;
    }

    const CliResult back =
        RunCli({"decrypt", "--in-place", "--key-type", "text", "--key", kTextKey, dir / "a/tree", dir / "a/single"});
    EXPECT_EQ(back.status, 0) << back.err;
    EXPECT_THAT(back.out, HasSubstr("\nDecrypting is finished\n"));
    for (const auto& [name, size] : files)
        EXPECT_EQ(ReadFile(dir / ("a/" + name)), Bytes(size, static_cast<unsigned>(size))) << name;
}

TEST(CliRun, NumericalKeyGroupsReachTheKeyAsTheWindowGivesThem) {
    TempDir dir;
    Make(dir / "f", Bytes(100, 7));
    auto encryptWith = [&](const std::string& length, const std::string& key) {
        const std::string out = dir / ("out-" + length + "-" + key);
        fs::create_directory(out);
        EXPECT_EQ(RunCli({"encrypt", "--to", out, "--key-length", length, "--key", key, dir / "f"}).status, 0);
        return ReadFile(out + "/f");
    };
    // The fifth group of a 96-bit key does not enter the key; a 64-bit key
    // with the same four groups is the same key; a 128-bit key is another.
    const std::string reference = encryptWith("96", "1-22-333-4444-5");
    EXPECT_EQ(encryptWith("96", "1-22-333-4444-999999"), reference);
    EXPECT_EQ(encryptWith("64", "1-22-333-4444"), reference);
    EXPECT_NE(encryptWith("128", "1-22-333-4444-5"), reference);
    EXPECT_NE(encryptWith("64", "1-22-333-4445"), reference);
}

TEST(CliRun, FailedItemsGiveStatusOneAndQuietKeepsOnlyTheirLines) {
    TempDir dir;
    Make(dir / "good", "good bytes");
    Make(dir / "plain", "never encrypted");
    ASSERT_EQ(RunCli({"encrypt", "--in-place", "--key", "1-2-3-4-5", dir / "good"}).status, 0);

    const CliResult loud = RunCli({"decrypt", "--in-place", "--key", "1-2-3-4-5", dir / "good", dir / "plain"});
    EXPECT_EQ(loud.status, 1);
    EXPECT_EQ(loud.out, Line("Decrypting", dir / "good") + Line("Decrypting", dir / "plain", "Error:") +
                            "Read error. Maybe the file was never encrypted.\n\nDecrypting is finished\n");
    EXPECT_EQ(ReadFile(dir / "good"), "good bytes");
    EXPECT_EQ(ReadFile(dir / "plain"), "never encrypted");

    const CliResult quiet = RunCli({"decrypt", "--quiet", "--in-place", "--key", "1-2-3-4-5", dir / "plain"});
    EXPECT_EQ(quiet.status, 1);
    EXPECT_EQ(quiet.out, "");
    EXPECT_EQ(quiet.err,
              Line("Decrypting", dir / "plain", "Error:") + "Read error. Maybe the file was never encrypted.\n");
}

TEST(CliRun, MountPointsAreDisksAndTrailingSlashesAreNot) {
    TempDir dir;
    Make(dir / "docs/a", "a");
    fs::create_directory(dir / "out");
    ASSERT_EQ(RunCli({"encrypt", "--to", dir / "out", "--key", "1-2-3-4-5", dir / "docs/"}).status, 0);
    EXPECT_TRUE(fs::exists(dir / "out/docs/a"));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / "out"), fs::directory_iterator()), 1);

    ScratchMount stick(dir);
    if (!stick.mounted()) GTEST_SKIP() << "mounting a tmpfs needs root";
    Make(stick.point() + "/b", "b");
    fs::create_directory(dir / "out2");
    const CliResult run = RunCli({"encrypt", "--to", dir / "out2", "--key", "1-2-3-4-5", stick.point()});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(fs::exists(dir / "out2/[ Disk stick ]/b"));
}

TEST(CliRun, FileTooLargeForTheLayoutIsRefusedWithItsReason) {
    constexpr std::uint64_t k4GiB = std::uint64_t{1} << 32;
    const struct {
        const char* action;
        const char* verb;
        std::uint64_t size;
    } cases[] = {
        {"encrypt", "Encrypting", k4GiB},
        {"encrypt", "Encrypting", k4GiB - 15},  // its encrypted form would reach 4 GiB
        {"decrypt", "Decrypting", k4GiB + 17},
    };
    for (const auto& c : cases) {
        TempDir dir;
        const std::string big = dir / "big";
        Make(big, "");
        fs::resize_file(big, c.size);  // sparse: takes no room
        const CliResult run = RunCli({c.action, "--in-place", "--key", "1-2-3-4-5", big});
        EXPECT_EQ(run.status, 1) << c.size;
        EXPECT_THAT(run.out, HasSubstr(Line(c.verb, big, "Error:") +
                                       "The file is too large for the encrypted layout: the file and its "
                                       "encrypted form must both stay below 4 GB (4294967296 bytes).\n"))
            << c.size;
        EXPECT_EQ(fs::file_size(big), c.size);
    }
}

TEST(CliRun, WalkLeavesLinksFifosAndItsOwnCopiesAlone) {
    TempDir dir;
    const std::string outside = Bytes(300, 1);
    Make(dir / "outside/file", outside);
    Make(dir / "tree/real", Bytes(40, 2));
    fs::create_symlink(dir / "outside/file", dir / "tree/to-file");
    fs::create_directory_symlink(dir / "outside", dir / "tree/to-folder");
    fs::create_symlink(dir / "tree/loop", dir / "tree/loop");
    ASSERT_EQ(::mkfifo((dir / "tree/fifo").c_str(), 0644), 0);
    fs::create_directory(dir / "tree/out");  // the destination lies inside the walked folder

    const CliResult run =
        RunCli({"encrypt", "--to", dir / "tree/out", "--delete-sources", "--key", "1-2-3-4-5", dir / "tree"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, Line("Encrypting", dir / "tree/real") + Line("Deleting", dir / "tree/real") +
                           "\nEncrypting is finished\n");
    EXPECT_TRUE(fs::is_regular_file(dir / "tree/out/tree/real"));
    EXPECT_FALSE(fs::exists(dir / "tree/real"));
    EXPECT_EQ(ReadFile(dir / "outside/file"), outside);
    EXPECT_TRUE(fs::is_fifo(dir / "tree/fifo"));
    EXPECT_TRUE(fs::is_symlink(dir / "tree/to-file"));
}

TEST(CliRun, FullDiskWithDeletionOnLosesNoSource) {
    TempDir dir;
    const std::string small = Bytes(1000, 3), medium = Bytes(20000, 4), large = Bytes(300000, 5);
    Make(dir / "tree/a-small", small);
    Make(dir / "tree/b-large", large);
    Make(dir / "tree/c-medium", medium);
    fs::create_directory(dir / "out");

    // No file may grow beyond 100000 bytes, as on a disk that is full.
    const CliResult run =
        RunCli({"encrypt", "--to", dir / "out", "--delete-sources", "--key", "1-2-3-4-5", dir / "tree"}, "", 100000);
    EXPECT_EQ(run.status, 1);
    EXPECT_THAT(run.out, HasSubstr(Line("Encrypting", dir / "tree/b-large", "Error:") + "File too large\n"));
    EXPECT_EQ(ReadFile(dir / "tree/b-large"), large);
    EXPECT_FALSE(fs::exists(dir / "tree/a-small"));
    EXPECT_FALSE(fs::exists(dir / "tree/c-medium"));
    std::vector<std::string> copies;
    for (const auto& entry : fs::directory_iterator(dir / "out/tree")) copies.push_back(entry.path().filename());
    EXPECT_THAT(copies, ::testing::UnorderedElementsAre("a-small", "c-medium"));

    ASSERT_EQ(RunCli({"decrypt", "--in-place", "--key", "1-2-3-4-5", dir / "out/tree"}).status, 0);
    EXPECT_EQ(ReadFile(dir / "out/tree/a-small"), small);
    EXPECT_EQ(ReadFile(dir / "out/tree/c-medium"), medium);
}

// Fills the file system of `folder` until nothing more fits.
void FillUp(const std::string& folder) {
    std::ofstream filler(folder + "/filler", std::ios::binary);
    const std::string block(4096, 'x');
    while (filler.write(block.data(), static_cast<std::streamsize>(block.size())) && filler.flush()) {}
}

TEST(CliRun, FullDiskAndFileSizeLimitAreNamedInPlaceAndInCopies) {
    const struct {
        bool inPlace;
        bool fullDisk;  // otherwise a file size limit (ulimit -f)
        const char* reason;
    } cases[] = {
        // In place the journal meets the limit first; it says so with the reason.
        {true, false, "File too large"},
        {false, false, "File too large"},
        {true, true, "No space left on device"},
        {false, true, "No space left on device"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.inPlace ? "in place, " : "copy, ") + c.reason);
        TempDir dir;
        ScratchMount stick(dir);
        if (c.fullDisk && !stick.mounted()) GTEST_SKIP() << "mounting a tmpfs needs root";
        const std::string bytes = Bytes(8192, 7);  // its encrypted form needs one page more
        const std::string file = (c.inPlace && c.fullDisk ? stick.point() : dir.path().string()) + "/f";
        Make(file, bytes);
        const std::string out = c.fullDisk ? stick.point() : dir / "out";
        fs::create_directories(out);
        if (c.fullDisk) FillUp(stick.point());

        std::vector<std::string> arguments{"encrypt", "--in-place", "--key", "1-2-3-4-5", file};
        if (!c.inPlace) arguments[1] = "--to=" + out;
        const CliResult run = RunCli(arguments, "", c.fullDisk ? 0 : 8192);
        EXPECT_EQ(run.status, 1);
        EXPECT_THAT(run.out, HasSubstr(Line("Encrypting", file, "Error:")));
        EXPECT_THAT(run.out, HasSubstr(c.reason));
        EXPECT_THAT(run.out, Not(HasSubstr("System error has occurred.")));
        EXPECT_EQ(ReadFile(file), bytes);
        if (!c.inPlace) {
            EXPECT_FALSE(fs::exists(out + "/f"));
        }
    }
}

TEST(CliRun, DecryptedSourceStaysWhereNoTrashCanTakeIt) {
    TempDir dir;
    ScratchMount stick(dir);
    if (!stick.mounted()) GTEST_SKIP() << "mounting a tmpfs needs root";
    // An ordinary user's folder on a file system whose top folder is not
    // theirs to write: no trash can be made there.
    const uid_t user = 65534;
    fs::permissions(dir.path(), fs::perms::all);
    fs::permissions(stick.point(), fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec);
    const std::string folder = stick.point() + "/mine";
    fs::create_directory(folder);
    fs::create_directory(dir / "out");
    const std::string plain = Bytes(1000, 8);
    Make(dir / "plain", plain);
    ASSERT_EQ(RunCli({"encrypt", "--to", folder, "--key", "1-2-3-4-5", dir / "plain"}).status, 0);
    for (const std::string& path : {folder, folder + "/plain", dir / "out"})
        ASSERT_EQ(::chown(path.c_str(), user, user), 0);
    const std::string source = folder + "/plain";
    const std::string encrypted = ReadFile(source);

    const CliResult run =
        RunCli({"decrypt", "--to", dir / "out", "--delete-sources", "--key", "1-2-3-4-5", source}, "", 0, user);
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_EQ(run.out, Line("Decrypting", source) + Line("Deleting", source, "Error:") +
                           "No trash can take this file on its file system, so it was kept: a decrypted source is "
                           "never deleted for good.\n\nDecrypting is finished\n");
    EXPECT_EQ(ReadFile(source), encrypted);
    EXPECT_EQ(ReadFile(dir / "out/plain"), plain);
}

TEST(CliRun, RunningProcessHidesItsKey) {
    TempDir dir;
    const std::string large = dir / "large";
    MakeLarge(large);
    fs::create_directory(dir / "out");
    // Run as an ordinary user where possible: its /proc entries stop being
    // that user's once it has made itself non-dumpable (they go to root, or
    // to the overflow user inside a user namespace), which shows from outside.
    const bool root = ::geteuid() == 0;
    if (root) {
        fs::permissions(dir.path(), fs::perms::all);
        fs::permissions(dir / "out", fs::perms::all);
        fs::permissions(large, fs::perms::all);
    }
    const uid_t user = root ? 4242 : CliProcess::kSameUser;
    CliProcess cli({"encrypt", "--to", dir / "out", "--key", "31415926-2-3-4-5", large}, "", 0, user);
    // While the run goes on, its arguments no longer show the key, and (seen
    // from root) its /proc entries have changed hands: it cannot be dumped.
    const std::string proc = "/proc/" + std::to_string(cli.Pid());
    std::string commandLine;
    const auto keyHidden = [&] {
        commandLine = ReadFile(proc + "/cmdline");
        struct stat info {};
        const bool undumpable = !root || (::stat((proc + "/status").c_str(), &info) == 0 && info.st_uid != user);
        return commandLine.find("--key") != std::string::npos && commandLine.find("31415926") == std::string::npos &&
               undumpable;
    };
    EXPECT_TRUE(WaitUntil(keyHidden)) << commandLine;
    const CliResult run = cli.Wait();
    EXPECT_EQ(run.status, 0) << run.err;
}

TEST(CliRun, CtrlCInPlaceFinishesTheFileInWorkThenStops) {
    TempDir dir;
    const std::string large = dir / "large", next = dir / "next";
    MakeLarge(large);
    Make(next, "the next file");

    CliProcess cli({"encrypt", "--in-place", "--key", "1-2-3-4-5", large, next});
    // Encryption reserves the grown length first: the file in work has begun.
    ASSERT_TRUE(WaitUntil([&] { return fs::file_size(large) != kLargeSize; }));
    cli.Signal(SIGINT);
    const CliResult run = cli.Wait();

    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, Line("Encrypting", large) + "Encrypting was terminated by user\n");
    EXPECT_EQ(ReadFile(next), "the next file");
    ASSERT_EQ(RunCli({"decrypt", "--in-place", "--key", "1-2-3-4-5", large}).status, 0);
    EXPECT_TRUE(IsLarge(large));
}

TEST(CliRun, SecondCtrlCAbandonsTheCopyInWork) {
    TempDir dir;
    const std::string large = dir / "large", next = dir / "next";
    MakeLarge(large);
    Make(next, "the next file");
    fs::create_directory(dir / "out");

    CliProcess cli({"encrypt", "--to", dir / "out", "--delete-sources", "--key", "1-2-3-4-5", large, next});
    ASSERT_TRUE(WaitUntil([&] { return cli.HasFileOpenIn(dir / "out/"); }));  // the copy has begun
    cli.Signal(SIGINT);
    ASSERT_TRUE(WaitUntil([&] { return cli.ErrSoFar().find("again") != std::string::npos; }));
    cli.Signal(SIGINT);
    const CliResult run = cli.Wait();

    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out,
              Line("Encrypting", large, "Error:") + "Operation canceled\n" + "Encrypting was terminated by user\n");
    EXPECT_TRUE(fs::is_empty(dir / "out"));
    EXPECT_TRUE(IsLarge(large));
    EXPECT_EQ(ReadFile(next), "the next file");
}

}  // namespace
}  // namespace tarvoss::testing
