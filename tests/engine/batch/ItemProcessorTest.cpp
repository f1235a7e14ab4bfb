// One file of a run: failure reports, deletion of the source and the cases in
// which a source must stay.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "BatchTestSupport.h"

namespace tarvoss::testing {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::Not;

TEST(ItemProcessor, FailureIsLoggedAlwaysWithItsReasonAndBoxedOnlyWhenErrorsAreShown) {
    for (const bool showErrors : {true, false}) {
        TempDir dir;
        FakeRunHost host;
        host.showErrors = showErrors;
        host.rows = {FakeRunHost::FileRow(dir.folder(), "missing.txt")};

        EXPECT_EQ(RunBatch(host, Direction::Encrypt).failedItems, 1u);
        const std::string path = dir / "missing.txt";
        EXPECT_THAT(host.Log(), ElementsAre(Line("Encrypting", path) + "Error:", "No such file or directory", "",
                                            "Encrypting is finished"));
        const std::string box = "box Error: An error has occurred while encrypting file  \"" + path +
                                "\":\r\nNo such file or directory\r\n";
        if (showErrors)
            EXPECT_THAT(host.Events(), Contains(box));
        else
            EXPECT_THAT(host.Events(), Not(Contains(box)));
    }
}

TEST(ItemProcessor, FailedDeletionGivesTheSystemsDescription) {
    TempDir dir;
    MakeFile(dir / "src/f.txt", Content("f"));
    fs::create_directory(dir / "out");
    FakeRunHost host;
    host.mode = ProcessingMode::Copy;
    host.deleteSources = true;
    host.showErrors = true;
    host.destination = dir / "out/";
    host.rows = {FakeRunHost::FileRow(dir / "src/", "f.txt")};
    const std::string source = dir / "src/f.txt";
    // Just before the deletion, a folder that cannot be unlinked takes the file's place.
    host.onLogLine = [&](const std::string& line) {
        if (line.rfind("- Deleting", 0) != 0) return;
        fs::remove(source);
        MakeFile(fs::path(source) / "inner", "x");
    };

    EXPECT_EQ(RunBatch(host, Direction::Encrypt).failedItems, 1u);
    EXPECT_THAT(host.Log(), ElementsAre(Line("Encrypting", source) + "OK", Line("Deleting", source) + "Error:",
                                        "Is a directory", "", "Encrypting is finished"));
    EXPECT_THAT(host.Events(),
                Contains("box Error: Cannot delete source file \"" + source + "\":\r\nIs a directory\r\n"));
    EXPECT_TRUE(fs::is_regular_file(dir / "out/f.txt"));
}

TEST(ItemProcessor, InPlaceRunNeverDeletesWhateverTheOption) {
    TempDir dir;
    MakeFile(dir / "f.txt", Content("f"));
    FakeRunHost host;
    host.deleteSources = true;  // left over from copy mode
    host.rows = {FakeRunHost::FileRow(dir.folder(), "f.txt")};

    EXPECT_EQ(RunBatch(host, Direction::Encrypt).failedItems, 0u);
    EXPECT_THAT(host.Log(), ElementsAre(Line("Encrypting", dir / "f.txt") + "OK", "", "Encrypting is finished"));
    EXPECT_TRUE(fs::exists(dir / "f.txt"));
}

TEST(ItemProcessor, FileReachedThreeTimesInOneRunIsTransformedOnce) {
    TempDir dir;
    const std::string plain = Content("f");
    MakeFile(dir / "a/f.txt", plain);
    fs::create_symlink(dir / "a/f.txt", dir / "link");
    FakeRunHost host;
    // Its folder, itself, and a link to it.
    host.rows = {FakeRunHost::FolderRow(dir.folder(), "a"), FakeRunHost::FileRow(dir / "a/", "f.txt"),
                 FakeRunHost::FileRow(dir.folder(), "link")};

    EXPECT_EQ(RunBatch(host, Direction::Encrypt).failedItems, 2u);
    const std::string again =
        "The file was already transformed in this run (it was reached again through another row, folder or link). "
        "It was not transformed twice.";
    EXPECT_THAT(host.Log(),
                ElementsAre(Line("Encrypting", dir / "a/f.txt") + "OK", Line("Encrypting", dir / "a/f.txt") + "Error:",
                            again, Line("Encrypting", dir / "link") + "Error:", again, "", "Encrypting is finished"));
    const std::string copy = dir / "check";
    FileProgress progress{0};
    ASSERT_TRUE(DecryptFileToCopy(progress, dir / "a/f.txt", copy, KeyOf(host), 4, nullptr));
    EXPECT_EQ(ReadFile(copy), plain);
}

TEST(ItemProcessor, CopyWhoseSourceWasDeletedIsNeverOverwritten) {
    TempDir dir;
    const std::string first = Content("first"), second = Content("second");
    MakeFile(dir / "one/same.txt", first);
    MakeFile(dir / "two/same.txt", second);
    fs::create_directory(dir / "out");
    FakeRunHost host;
    host.mode = ProcessingMode::Copy;
    host.deleteSources = true;
    host.destination = dir / "out";
    host.rows = {FakeRunHost::FileRow(dir / "one/", "same.txt"), FakeRunHost::FileRow(dir / "two/", "same.txt")};

    EXPECT_EQ(RunBatch(host, Direction::Encrypt).failedItems, 1u);
    EXPECT_THAT(host.Log(), Contains(Line("Encrypting", dir / "two/same.txt") + "Error:"));
    EXPECT_FALSE(fs::exists(dir / "one/same.txt"));
    EXPECT_EQ(ReadFile(dir / "two/same.txt"), second);
    const std::string plain = dir / "check";
    FileProgress progress{0};
    ASSERT_TRUE(DecryptFileToCopy(progress, dir / "out/same.txt", plain, KeyOf(host), 4, nullptr));
    EXPECT_EQ(ReadFile(plain), first);
}

TEST(ItemProcessor, NameWithControlCharactersStaysOneLogLine) {
    TempDir dir;
    const std::string name = "two\nlines\tand \x1b[2J.txt";
    MakeFile(dir.path() / name, Content("n"));
    FakeRunHost host;
    host.rows = {FakeRunHost::FileRow(dir.folder(), name)};
    std::vector<std::string> shownNames;
    host.onCurrentFile = [&](const std::string& shown) { shownNames.push_back(shown); };

    EXPECT_EQ(RunBatch(host, Direction::Encrypt).failedItems, 0u);
    const std::string shown = "two\\nlines\\tand \\x1B[2J.txt";
    EXPECT_THAT(host.Log(), ElementsAre(Line("Encrypting", dir.folder() + shown) + "OK", "", "Encrypting is finished"));
    EXPECT_THAT(shownNames, Contains(shown));
    // The file itself kept its name and was transformed.
    EXPECT_NE(ReadFile((dir.path() / name).string()), Content("n"));
}

TEST(ItemProcessor, ReadOnlyOldCopyIsReplaced) {
    TempDir dir;
    MakeFile(dir / "src/f.txt", Content("f"));
    MakeFile(dir / "out/f.txt", "old copy");
    fs::permissions(dir / "out/f.txt", fs::perms::owner_read);
    FakeRunHost host;
    host.mode = ProcessingMode::Copy;
    host.destination = dir / "out/";
    host.rows = {FakeRunHost::FileRow(dir / "src/", "f.txt")};

    EXPECT_EQ(RunBatch(host, Direction::Encrypt).failedItems, 0u);
    const std::string plain = dir / "check";
    FileProgress progress{0};
    ASSERT_TRUE(DecryptFileToCopy(progress, dir / "out/f.txt", plain, KeyOf(host), 4, nullptr));
    EXPECT_EQ(ReadFile(plain), Content("f"));
}

}  // namespace
}  // namespace tarvoss::testing
