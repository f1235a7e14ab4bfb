// What a listed path stands for (file, folder or disk root) and the row it
// makes, as the window and tarvoss-cli both decide it.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "batch/ListedPath.h"
#include "platform/FileSystem.h"
#include "support/ScratchMount.h"
#include "support/TempDir.h"

namespace tarvoss::testing {
namespace {

TEST(ListedPath, NormalisedFormOfPaths) {
    const std::string current = GetCurrentDirectory();
    const struct {
        std::string given;
        std::string normal;
    } cases[] = {
        {"/data/photos/", "/data/photos"},  // a trailing slash makes no disk root
        {"/data//photos/./x/../", "/data/photos"}, {"/", "/"}, {"//", "/"}, {"///etc", "/etc"},
        {"/caf\xE9.txt", "/caf\xE9.txt"},  // bytes that are not UTF-8 stay as they are
        {"rel/dir/", current + "/rel/dir"},        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(NormalisePath(c.given), c.normal) << c.given;
}

TEST(ListedPath, KindsWithFakeDeviceNumbers) {
    TempDir dir;
    std::filesystem::create_directory(dir / "plain");
    std::filesystem::create_directory(dir / "mounted");
    WriteFile(dir / "file", "x");
    // Everything lies on device 1 except the folder "mounted".
    const DeviceOf fake = [&](const std::string& path, std::uint64_t& device) {
        device = path == dir / "mounted" ? 7 : 1;
        return true;
    };
    const std::map<std::string, PathKind> cases = {
        {dir / "plain", PathKind::Folder}, {dir / "mounted", PathKind::DiskRoot},
        {dir / "file", PathKind::File},    {dir / "missing", PathKind::Missing},
        {"/", PathKind::DiskRoot},         {"", PathKind::Missing},
    };
    for (const auto& [path, kind] : cases) EXPECT_EQ(KindOfPath(NormalisePath(path), fake), kind) << path;
    EXPECT_EQ(KindOfPath(NormalisePath(dir / "plain/"), fake), PathKind::Folder);
    // A device that cannot be read makes no disk root.
    const DeviceOf failing = [](const std::string&, std::uint64_t&) { return false; };
    EXPECT_EQ(KindOfPath(dir / "mounted", failing), PathKind::Folder);
}

TEST(ListedPath, RowOfEachKind) {
    const struct {
        std::string path;
        PathKind kind;
        RunRow row;
    } cases[] = {
        {"/data/a.txt", PathKind::File, {"a.txt", "/data/", 0, 0}},
        {"/data/photos", PathKind::Folder, {"photos", "/data/", 2, 0}},
        {"/media/usb", PathKind::DiskRoot, {"[ Disk root ]", "/media/usb/", 2, 1}},
        {"/", PathKind::DiskRoot, {"[ Disk root ]", "/", 2, 1}},
    };
    for (const auto& c : cases) {
        const RunRow row = RowOfPath(c.path, c.kind);
        EXPECT_EQ(row.name, c.row.name) << c.path;
        EXPECT_EQ(row.folder, c.row.folder) << c.path;
        EXPECT_EQ(row.icon, c.row.icon) << c.path;
        EXPECT_EQ(row.diskRoot, c.row.diskRoot) << c.path;
    }
}

TEST(ListedPath, RealMountPointIsADiskRoot) {
    TempDir dir;
    ScratchMount stick(dir);
    if (!stick.mounted()) GTEST_SKIP() << "mounting a tmpfs needs root";
    std::filesystem::create_directory(stick.point() + "/inside");
    EXPECT_EQ(KindOfPath(NormalisePath(stick.point() + "/")), PathKind::DiskRoot);
    EXPECT_EQ(KindOfPath(stick.point() + "/inside"), PathKind::Folder);
    EXPECT_EQ(KindOfPath(dir.path().string()), PathKind::Folder);
}

}  // namespace
}  // namespace tarvoss::testing
