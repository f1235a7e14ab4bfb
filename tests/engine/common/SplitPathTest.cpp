#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "common/ProgramFolder.h"
#include "common/SplitPath.h"
#include "platform/FileSystem.h"
#include "support/TempDir.h"

namespace tarvoss {
namespace {

TEST(SplitPath, SplitsAtTheLastSlash) {
    struct Case {
        const char* path;
        bool split;
        const char* folder;  // expected outputs; "unchanged" keeps the sentinels
        const char* name;
    };
    const Case cases[] = {
        {"/", true, "/", "[ Disk root ]"},
        {"/data/a.txt", true, "/data/", "a.txt"},
        {"/data/", true, "/data/", "[ Disk root ]"},
        {"/media/usb/", true, "/media/usb/", "[ Disk root ]"},
        {"a/b", true, "a/", "b"},  // a slash at index 1 counts here
        {"/a", true, "/", "a"},
        {"ab", false, "unchanged", "unchanged"},
        {"", false, "unchanged", "unchanged"},
    };
    for (const Case& c : cases) {
        std::string folder = "unchanged";
        std::string name = "unchanged";
        EXPECT_EQ(SplitPath(c.path, folder, name), c.split) << c.path;
        EXPECT_EQ(folder, c.folder) << c.path;
        EXPECT_EQ(name, c.name) << c.path;
    }
}

TEST(FolderOfPath, WithAndWithoutTheFinalSlash) {
    struct Case {
        const char* path;
        const char* folder;  // FolderOfPath
        const char* parent;  // ParentFolder
    };
    const Case cases[] = {
        {"/data/a.txt", "/data/", "/data"},
        {"/data/sub/", "/data/sub/", "/data/sub"},
        {"/a", "/", "/"},
        {"/", "/", "/"},
        {"a/b", "a/", "a"},
        {"ab", "", ""},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FolderOfPath(c.path), c.folder) << c.path;
        EXPECT_EQ(ParentFolder(c.path), c.parent) << c.path;
    }
}

TEST(FindProgramFiles, BesideTheProgramFirstThenTheInstalledFolder) {
    testing::TempDir root;
    const std::string bin = root / "bin/";
    const std::string share = root / "share/tarvoss/";
    struct Case {
        const char* name;
        std::vector<std::string> made;  // folders made below `root`
        std::string found;
    };
    const Case cases[] = {
        {"build: beside the program", {"bin/Languages"}, bin},
        {"installed: in the shared folder", {"bin", "share/tarvoss/Languages"}, share},
        {"both: the build's wins", {"bin/Languages", "share/tarvoss/Languages"}, bin},
        {"neither: the program's folder", {"bin", "share/tarvoss"}, bin},
    };
    for (const Case& c : cases) {
        std::filesystem::remove_all(root / "bin");
        std::filesystem::remove_all(root / "share");
        for (const std::string& folder : c.made) std::filesystem::create_directories(root / folder);
        EXPECT_EQ(FindProgramFiles(bin, {"", "../share/tarvoss/"}, "Languages"), c.found) << c.name;
    }
    // Without the final "/" the program's folder is the same folder.
    EXPECT_EQ(FindProgramFiles(root / "bin", {"", "../share/tarvoss/"}, "Languages"), bin);
}

}  // namespace
}  // namespace tarvoss
