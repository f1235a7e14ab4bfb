#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "common/ProgramFolder.h"
#include "common/SplitPath.h"
#include "platform/FileSystem.h"
#include "platform/PathText.h"
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

TEST(LexicallyNormal, WorksOutDotsAndFoldsSlashes) {
    const struct {
        const char* path;
        const char* normal;
    } cases[] = {
        {"/data//photos/./x/../", "/data/photos"},
        {"/a/../..", "/"},  // nothing is above a root
        {"/", "/"},
        {"a/./b/../c", "a/c"},
        {"../a/..", ".."},                   // a relative path keeps what climbs above its start
        {"/caf\xE9 /x. ", "/caf\xE9 /x. "},  // names are kept byte for byte, blanks and dots too
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(LexicallyNormal(c.path), c.normal) << c.path;
}

TEST(DisplayPath, WindowsShowsBackslashesAndPosixThePathAsItIs) {
    const struct {
        const char* path;
        const char* windows;
    } cases[] = {
        {"C:/data/a.txt", "C:\\data\\a.txt"},
        {"C:/", "C:\\"},
        {"//server/share/", "\\\\server\\share\\"},
        {"//server/share/x/y.txt", "\\\\server\\share\\x\\y.txt"},
        {"D:/out/[ Disk C ]/", "D:\\out\\[ Disk C ]\\"},
        {"/data/caf\xC3\xA9", "\\data\\caf\xC3\xA9"},  // names are kept byte for byte
        {"a.txt", "a.txt"},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(BackslashedPath(c.path), c.windows) << c.path;
#ifdef _WIN32
        EXPECT_EQ(DisplayPath(c.path), c.windows) << c.path;
#else
        EXPECT_EQ(DisplayPath(c.path), c.path) << c.path;
#endif
    }
}

#ifdef _WIN32
// Drive roots and shares: the roots of Windows, which end no path climbing.
TEST(LexicallyNormal, WindowsRoots) {
    const struct {
        const char* path;
        std::size_t root;
        const char* normal;
        const char* parent;
    } cases[] = {
        {"C:/", 3, "C:/", "C:/"},
        {"C:/a", 3, "C:/a", "C:/"},
        {"c:/a/../..", 3, "c:/", "c:/a/.."},
        {"//server/share/x/y", 15, "//server/share/x/y", "//server/share/x"},
        {"//server/share/x", 15, "//server/share/x", "//server/share/"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PathRootLength(c.path), c.root) << c.path;
        EXPECT_EQ(LexicallyNormal(c.path), c.normal) << c.path;
        EXPECT_EQ(ParentFolder(c.path), c.parent) << c.path;
    }
    EXPECT_EQ(EnginePathOf("C:\\data\\a.txt"), "C:/data/a.txt");
    EXPECT_TRUE(IsRootPath("D:/"));
    EXPECT_FALSE(IsRootPath("D:/x"));
}
#endif

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
