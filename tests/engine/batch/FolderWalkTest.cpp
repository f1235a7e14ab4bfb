// Folder walks: the mirrored copy tree, deletion of sources and emptied
// folders, failures that keep their folders, and what a walk must not enter.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <string>
#include <vector>

#include "BatchTestSupport.h"
#include "support/ScopedDataHome.h"

namespace tarvoss::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

TEST(FolderWalk, CopyTreeWithDeletionMirrorsItAndEmptiesTheSource) {
    TempDir dir;
    const std::string a = Content("a"), b = Content("b", 16), c = Content("c", 5000);
    MakeFile(dir / "src/tree/a.txt", a);
    MakeFile(dir / "src/tree/sub/b.txt", b);
    MakeFile(dir / "src/tree/sub/deeper/c.txt", c);
    fs::create_directories(dir / "src/tree/empty");
    fs::permissions(dir / "src/tree/sub/deeper/c.txt", fs::perms::owner_read | fs::perms::group_read);
    fs::create_directory(dir / "out");
    FakeRunHost host;
    host.mode = ProcessingMode::Copy;
    host.deleteSources = true;
    host.destination = dir / "out";
    host.rows = {FakeRunHost::FolderRow(dir / "src/", "tree")};

    const RunResult result = RunBatch(host, Direction::Encrypt);
    EXPECT_EQ(result.outcome, RunOutcome::Completed);
    EXPECT_EQ(result.failedItems, 0u);
    // Depth first, in name order, each file with its deletion line.
    const std::string src = dir / "src/tree/";
    EXPECT_THAT(host.Log(),
                ElementsAre(Line("Encrypting", src + "a.txt") + "OK", Line("Deleting", src + "a.txt") + "OK",
                            Line("Encrypting", src + "sub/b.txt") + "OK", Line("Deleting", src + "sub/b.txt") + "OK",
                            Line("Encrypting", src + "sub/deeper/c.txt") + "OK",
                            Line("Deleting", src + "sub/deeper/c.txt") + "OK", "", "Encrypting is finished"));
    EXPECT_FALSE(fs::exists(dir / "src/tree"));
    EXPECT_TRUE(fs::is_directory(dir / "out/tree/empty"));
    EXPECT_EQ(fs::status(dir / "out/tree/sub/deeper/c.txt").permissions(),
              fs::perms::owner_read | fs::perms::group_read);

    // The copies decrypt, into a second tree, to the original bytes.
    fs::create_directory(dir / "back");
    FakeRunHost back;
    back.mode = ProcessingMode::Copy;
    back.destination = dir / "back/";
    back.rows = {FakeRunHost::FolderRow(dir / "out/", "tree")};
    EXPECT_EQ(RunBatch(back, Direction::Decrypt).failedItems, 0u);
    EXPECT_EQ(ReadFile(dir / "back/tree/a.txt"), a);
    EXPECT_EQ(ReadFile(dir / "back/tree/sub/b.txt"), b);
    EXPECT_EQ(ReadFile(dir / "back/tree/sub/deeper/c.txt"), c);
    EXPECT_TRUE(fs::is_directory(dir / "back/tree/empty"));
}

TEST(FolderWalk, FailedFileKeepsItsFolderAndEveryFolderAbove) {
    TempDir dir;
    MakeFile(dir / "tree/ok.txt", Content("ok"));
    MakeFile(dir / "tree/x/fine.txt", Content("fine"));
    FakeRunHost encrypt;
    encrypt.rows = {FakeRunHost::FolderRow(dir.folder(), "tree")};
    ASSERT_EQ(RunBatch(encrypt, Direction::Encrypt).failedItems, 0u);
    MakeFile(dir / "tree/x/y/plain.txt", "never encrypted");
    fs::create_directory(dir / "out");
    const ScopedDataHome dataHome(dir / "data");

    FakeRunHost host;
    host.mode = ProcessingMode::Copy;
    host.deleteSources = true;
    host.showErrors = true;
    host.destination = dir / "out";
    host.rows = encrypt.rows;
    const RunResult result = RunBatch(host, Direction::Decrypt);

    EXPECT_EQ(result.failedItems, 1u);
    const std::string plain = dir / "tree/x/y/plain.txt";
    const std::vector<std::string> log = host.Log();
    const auto failed = std::find(log.begin(), log.end(), Line("Decrypting", plain) + "Error:");
    ASSERT_NE(failed, log.end());
    EXPECT_EQ(*(failed + 1), "Read error. Maybe the file was never encrypted.");
    EXPECT_THAT(host.Events(), ::testing::Contains("box Error: An error has occurred while decrypting file  \"" +
                                                   plain + "\":\r\nRead error. Maybe the file was never encrypted."));
    EXPECT_EQ(ReadFile(plain), "never encrypted");
    EXPECT_FALSE(fs::exists(dir / "tree/ok.txt"));
    EXPECT_FALSE(fs::exists(dir / "tree/x/fine.txt"));
    EXPECT_EQ(ReadFile(dir / "out/tree/x/fine.txt"), Content("fine"));
    // The decrypted sources went to the trash, not away.
    EXPECT_TRUE(fs::is_regular_file(dataHome.TrashFiles() / "ok.txt"));
    EXPECT_TRUE(fs::is_regular_file(dataHome.TrashFiles() / "fine.txt"));
}

TEST(FolderWalk, NeverEntersTheFoldersHoldingItsCopies) {
    // The destination inside the walked folder, and equal to it.
    for (const std::string destination : {"tree/out", "tree"}) {
        TempDir dir;
        MakeFile(dir / "tree/a.txt", Content("a"));
        fs::create_directories(dir / destination);
        FakeRunHost host;
        host.mode = ProcessingMode::Copy;
        host.deleteSources = true;
        host.destination = dir / destination;
        host.rows = {FakeRunHost::FolderRow(dir.folder(), "tree")};

        const RunResult result = RunBatch(host, Direction::Encrypt);
        EXPECT_EQ(result.outcome, RunOutcome::Completed) << destination;
        EXPECT_EQ(result.failedItems, 0u) << destination;
        EXPECT_EQ(host.Log().size(), 4u) << destination;  // a.txt and its deletion, once each
        EXPECT_TRUE(fs::is_regular_file(fs::path(dir / destination) / "tree/a.txt")) << destination;
        EXPECT_TRUE(fs::is_directory(dir / "tree")) << destination;  // it still holds the copies
    }
}

#ifndef _WIN32
// Windows keeps no FIFOs among files, and its links need privileges.
TEST(FolderWalk, LinksAndSpecialFilesAreNeitherFollowedNorOpened) {
    TempDir dir;
    const std::string outsideText = Content("outside");
    MakeFile(dir / "outside/file.txt", outsideText);
    MakeFile(dir / "tree/real.txt", Content("real"));
    fs::create_symlink(dir / "outside/file.txt", dir / "tree/link-to-file");
    fs::create_directory_symlink(dir / "outside", dir / "tree/link-to-folder");
    fs::create_symlink(dir / "tree/loop", dir / "tree/loop");
    fs::create_directory_symlink(dir / "tree", dir / "tree/self");
    ASSERT_EQ(::mkfifo((dir / "tree/fifo").c_str(), 0644), 0);
    FakeRunHost host;
    host.rows = {FakeRunHost::FolderRow(dir.folder(), "tree")};

    const RunResult result = RunBatch(host, Direction::Encrypt);
    EXPECT_EQ(result.outcome, RunOutcome::Completed);
    EXPECT_THAT(host.Log(),
                ElementsAre(Line("Encrypting", dir / "tree/real.txt") + "OK", "", "Encrypting is finished"));
    EXPECT_EQ(ReadFile(dir / "outside/file.txt"), outsideText);
    EXPECT_TRUE(fs::is_fifo(dir / "tree/fifo"));
}
#endif

TEST(FolderWalk, FolderThatCannotBeOpenedIsAFailedItem) {
    TempDir dir;
    FakeRunHost host;
    host.showErrors = true;
    host.rows = {FakeRunHost::FolderRow(dir.folder(), "gone")};
    const RunResult result = RunBatch(host, Direction::Encrypt);
    EXPECT_EQ(result.outcome, RunOutcome::Completed);
    EXPECT_EQ(result.failedItems, 1u);
    const std::string folder = dir / "gone/";
    EXPECT_THAT(host.Log(), ElementsAre(Line("Encrypting", folder) + "Error:", "No such file or directory", "",
                                        "Encrypting is finished"));
    EXPECT_THAT(host.Events(), ::testing::Contains("box Error: An error has occurred while encrypting file  \"" +
                                                   folder + "\":\r\nNo such file or directory\r\n"));
}

}  // namespace
}  // namespace tarvoss::testing
