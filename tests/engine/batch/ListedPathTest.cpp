// What a listed path stands for (file, folder or disk root) and the row it
// makes, as the window and tarvoss-cli both decide it.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <optional>
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
    const std::map<std::string, std::optional<RowKind>> cases = {
        {dir / "plain", RowKind::Folder}, {dir / "mounted", RowKind::DiskRoot},
        {dir / "file", RowKind::File},    {dir / "missing", std::nullopt},
        {"/", RowKind::DiskRoot},         {"", std::nullopt},
    };
    for (const auto& [path, kind] : cases) EXPECT_EQ(KindOfPath(NormalisePath(path), fake), kind) << path;
    EXPECT_EQ(KindOfPath(NormalisePath(dir / "plain/"), fake), RowKind::Folder);
    // A device that cannot be read makes no disk root.
    const DeviceOf failing = [](const std::string&, std::uint64_t&) { return false; };
    EXPECT_EQ(KindOfPath(dir / "mounted", failing), RowKind::Folder);
}

TEST(ListedPath, RealMountPointIsADiskRoot) {
    TempDir dir;
    ScratchMount stick(dir);
    if (!stick.mounted()) GTEST_SKIP() << "mounting a tmpfs needs root";
    std::filesystem::create_directory(stick.point() + "/inside");
    EXPECT_EQ(KindOfPath(NormalisePath(stick.point() + "/")), RowKind::DiskRoot);
    EXPECT_EQ(KindOfPath(stick.point() + "/inside"), RowKind::Folder);
    EXPECT_EQ(KindOfPath(dir.path().string()), RowKind::Folder);
}

}  // namespace
}  // namespace tarvoss::testing
