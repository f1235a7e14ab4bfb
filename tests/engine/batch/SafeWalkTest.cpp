// Walks that cannot be led out of their tree: folders and files swapped for
// links (or for other files) between the listing and the opening, or just
// before a source is removed, and where removed decrypted sources end up.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/mount.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "BatchTestSupport.h"
#include "batch/FolderWalk.h"
#include "support/ScopedDataHome.h"

namespace tarvoss::testing {
namespace {

using ::testing::Contains;
using ::testing::IsEmpty;

// Files outside the walked tree that a followed link would reach.
struct Outside {
    explicit Outside(const TempDir& dir) : victim(dir / "outside/victim.txt"), deep(dir / "outside/inner/deep.txt") {
        MakeFile(victim, victimText);
        MakeFile(deep, deepText);
    }
    void ExpectUntouched() const {
        EXPECT_EQ(ReadFile(victim), victimText);
        EXPECT_EQ(ReadFile(deep), deepText);
    }
    std::string victim, deep;
    std::string victimText = Content("victim", 64), deepText = Content("deep", 37);
};

// Clears the walk's hook however the test ends.
struct ListedHook {
    explicit ListedHook(std::function<void(const std::string&)> hook) { SetWalkListedHook(std::move(hook)); }
    ~ListedHook() { SetWalkListedHook(nullptr); }
};

TEST(SafeWalk, EntriesSwappedAfterTheListingAreNeverFollowed) {
    struct Case {
        const char* name;
        ProcessingMode mode;
        bool deleteSources;
    };
    for (const Case& c : {Case{"in place", ProcessingMode::InPlace, false}, Case{"copy", ProcessingMode::Copy, false},
                          Case{"copy, deleting", ProcessingMode::Copy, true}}) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const Outside outside(dir);
        MakeFile(dir / "tree/a.txt", Content("a"));
        MakeFile(dir / "tree/b.txt", Content("b"));
        MakeFile(dir / "tree/sub/c.txt", Content("c"));
        MakeFile(dir / "tree/mirrored/d.txt", Content("d"));
        MakeFile(dir / "tree/y.txt", Content("y"));
        MakeFile(dir / "tree/z.txt", Content("z"));
        fs::create_directories(dir / "aside");
        fs::create_directories(dir / "out");
        FakeRunHost host;
        host.mode = c.mode;
        host.deleteSources = c.deleteSources;
        host.destination = dir / "out";
        host.rows = {FakeRunHost::FolderRow(dir.folder(), "tree")};

        // Once the tree's top is listed: its sub-folder becomes a link to the
        // outside folder, a.txt a link to an outside file, b.txt a second name
        // (hard link) of that file. The originals are kept aside. In the
        // destination, a link to the outside folder takes the place where
        // the mirror of mirrored/ is about to be made.
        const ListedHook hook([&](const std::string& folder) {
            if (folder != dir / "tree/") return;
            if (c.mode == ProcessingMode::Copy) {
                fs::create_directory_symlink(dir / "outside", dir / "out/tree/mirrored");
                // An old "copy" of y.txt that is a link to a read-only outside
                // file: it is not made writable, so this copy is refused.
                fs::create_symlink(outside.deep, dir / "out/tree/y.txt");
                fs::permissions(outside.deep, fs::perms::owner_read);
            }
            for (const char* name : {"sub", "a.txt", "b.txt"})
                fs::rename(dir.path() / "tree" / name, dir.path() / "aside" / name);
            fs::create_directory_symlink(dir / "outside", dir / "tree/sub");
            fs::create_symlink(outside.victim, dir / "tree/a.txt");
            fs::create_hard_link(outside.victim, dir / "tree/b.txt");
        });
        const RunResult result = RunBatch(host, Direction::Encrypt);

        EXPECT_EQ(result.outcome, RunOutcome::Completed);
        const bool copy = c.mode == ProcessingMode::Copy;
        EXPECT_EQ(result.failedItems, copy ? 5u : 3u);
        outside.ExpectUntouched();
        EXPECT_FALSE(fs::exists(dir / "outside/d.txt"));
        EXPECT_EQ(ReadFile(dir / "tree/mirrored/d.txt") == Content("d"), copy);
        if (copy) {
            EXPECT_THAT(host.Log(), Contains(Line("Encrypting", dir / "tree/mirrored/") + "Error:"));
        }
        EXPECT_TRUE(fs::is_symlink(dir / "tree/a.txt"));
        EXPECT_TRUE(fs::is_symlink(dir / "tree/sub"));
        EXPECT_EQ(fs::hard_link_count(outside.victim), 2u);
        for (const char* name : {"a.txt", "b.txt", "sub/"})
            EXPECT_THAT(host.Log(), Contains(Line("Encrypting", (dir.path() / "tree" / name).string()) + "Error:"))
                << name;
        EXPECT_THAT(host.Log(), Contains(Line("Encrypting", dir / "tree/z.txt") + "OK"));
        EXPECT_EQ(ReadFile(dir / "aside/a.txt"), Content("a"));
        EXPECT_EQ(ReadFile(dir / "aside/sub/c.txt"), Content("c"));
        if (copy) {
            EXPECT_FALSE(fs::exists(dir / "out/tree/a.txt"));
            EXPECT_FALSE(fs::exists(dir / "out/tree/b.txt"));
            EXPECT_FALSE(fs::exists(dir / "out/tree/sub"));
            EXPECT_THAT(host.Log(), Contains(Line("Encrypting", dir / "tree/y.txt") + "Error:"));
            EXPECT_TRUE(fs::is_symlink(dir / "out/tree/y.txt"));
            EXPECT_EQ(fs::status(outside.deep).permissions(), fs::perms::owner_read);
            EXPECT_EQ(ReadFile(dir / "tree/y.txt"), Content("y"));
            EXPECT_EQ(fs::exists(dir / "tree/z.txt"), !c.deleteSources);
        }
    }
}

TEST(SafeWalk, FolderSwappedOnceOpenedIsWalkedWhereItReallyIs) {
    TempDir dir;
    const Outside outside(dir);
    MakeFile(dir / "tree/sub/c.txt", Content("c"));
    fs::create_directories(dir / "aside");
    FakeRunHost host;
    host.rows = {FakeRunHost::FolderRow(dir.folder(), "tree")};
    // The walk holds sub/ open when it lists it; moving it away and putting a
    // link in its place changes nothing for the walk.
    const ListedHook hook([&](const std::string& folder) {
        if (folder != dir / "tree/sub/") return;
        fs::rename(dir / "tree/sub", dir / "aside/sub");
        fs::create_directory_symlink(dir / "outside", dir / "tree/sub");
    });
    EXPECT_EQ(RunBatch(host, Direction::Encrypt).failedItems, 0u);
    outside.ExpectUntouched();
    // c.txt was encrypted where it now lies: it decrypts back to its bytes.
    const std::string plain = dir / "plain";
    FileProgress progress{0};
    ASSERT_TRUE(DecryptFileToCopy(progress, dir / "aside/sub/c.txt", plain, KeyOf(host), 4, nullptr));
    EXPECT_EQ(ReadFile(plain), Content("c"));
}

TEST(SafeWalk, SourceSwappedBeforeItsRemovalStays) {
    // The source becomes a link to an outside file, or a second name of one,
    // between its copy's check and its removal.
    for (const bool hardLink : {false, true}) {
        SCOPED_TRACE(hardLink ? "hard link" : "symbolic link");
        TempDir dir;
        const Outside outside(dir);
        MakeFile(dir / "tree/a.txt", Content("a"));
        fs::create_directories(dir / "out");
        FakeRunHost host;
        host.mode = ProcessingMode::Copy;
        host.deleteSources = true;
        host.destination = dir / "out";
        host.rows = {FakeRunHost::FolderRow(dir.folder(), "tree")};
        host.onLogLine = [&](const std::string& line) {
            if (line.rfind("- Deleting", 0) != 0) return;
            fs::remove(dir / "tree/a.txt");
            if (hardLink)
                fs::create_hard_link(outside.victim, dir / "tree/a.txt");
            else
                fs::create_symlink(outside.victim, dir / "tree/a.txt");
        };
        EXPECT_EQ(RunBatch(host, Direction::Encrypt).failedItems, 1u);
        EXPECT_THAT(host.Log(), Contains(Line("Deleting", dir / "tree/a.txt") + "Error:"));
        outside.ExpectUntouched();
        EXPECT_TRUE(fs::exists(fs::symlink_status(dir / "tree/a.txt")));
        EXPECT_TRUE(fs::is_regular_file(dir / "out/tree/a.txt"));
    }
}

TEST(SafeWalk, DecryptedSourcesGoToTheTrashAndPlainSourcesAway) {
    TempDir dir;
    const ScopedDataHome dataHome(dir / "data");
    // A name that needs escaping in the trash record, and a length of whole
    // blocks, which a wrong key decrypts without any complaint.
    const std::string name = "my file %1.bin";
    const std::string plain = Content("p", 32);
    MakeFile(dir.path() / "plain" / name, plain);
    fs::create_directories(dir / "encrypted");
    fs::create_directories(dir / "decrypted");

    FakeRunHost encrypt;
    encrypt.mode = ProcessingMode::Copy;
    encrypt.deleteSources = true;
    encrypt.destination = dir / "encrypted";
    encrypt.rows = {FakeRunHost::FileRow(dir / "plain/", name)};
    ASSERT_EQ(RunBatch(encrypt, Direction::Encrypt).failedItems, 0u);
    // The plain source is gone for good: not in the folder, not in the trash.
    EXPECT_FALSE(fs::exists(dir.path() / "plain" / name));
    EXPECT_FALSE(fs::exists(dataHome.TrashFiles()) && !fs::is_empty(dataHome.TrashFiles()));
    const std::string encrypted = ReadFile((dir.path() / "encrypted" / name).string());

    FakeRunHost decrypt;
    decrypt.mode = ProcessingMode::Copy;
    decrypt.deleteSources = true;
    decrypt.destination = dir / "decrypted";
    decrypt.key.parts[0] = "87654321";  // mistyped
    decrypt.rows = {FakeRunHost::FileRow(dir / "encrypted/", name)};
    ASSERT_EQ(RunBatch(decrypt, Direction::Decrypt).failedItems, 0u);
    EXPECT_NE(ReadFile((dir.path() / "decrypted" / name).string()), plain);

    // The only encrypted form is restorable from the trash.
    EXPECT_FALSE(fs::exists(dir.path() / "encrypted" / name));
    EXPECT_EQ(ReadFile((dataHome.TrashFiles() / name).string()), encrypted);
    const std::string info = ReadFile((dataHome.TrashInfo() / (name + ".trashinfo")).string());
    const std::string path = (dir.path() / "encrypted").string() + "/my%20file%20%251.bin";
    EXPECT_THAT(info, ::testing::StartsWith("[Trash Info]\nPath=" + path + "\nDeletionDate="));
    EXPECT_THAT(info,
                ::testing::MatchesRegex(".*\nDeletionDate=[0-9]{4}-[0-9]{2}-[0-9]{2}T[0-9]{2}:[0-9]{2}:[0-9]{2}\n"));

    // A second source of the same name does not replace the first in the trash.
    MakeFile(dir.path() / "encrypted" / name, encrypted);
    ASSERT_EQ(RunBatch(decrypt, Direction::Decrypt).failedItems, 0u);
    EXPECT_EQ(ReadFile((dataHome.TrashFiles() / (name + ".2")).string()), encrypted);
    EXPECT_TRUE(fs::is_regular_file(dataHome.TrashInfo() / (name + ".2.trashinfo")));
}

TEST(SafeWalk, SourceOnAnotherFileSystemGoesToThatFileSystemsTrash) {
    TempDir dir;
    const ScopedDataHome dataHome(dir / "data");
    fs::create_directories(dir / "mnt");
    if (::geteuid() != 0 || ::mount("tarvoss-test", (dir / "mnt").c_str(), "tmpfs", 0, "size=1m") != 0)
        GTEST_SKIP() << "needs root to mount a scratch file system";
    struct Unmount {
        std::string at;
        ~Unmount() { ::umount2(at.c_str(), MNT_DETACH); }
    } unmount{dir / "mnt"};
    MakeFile(dir / "plain/f.txt", Content("f"));
    fs::create_directories(dir / "mnt/enc");
    FakeRunHost encrypt;
    encrypt.mode = ProcessingMode::Copy;
    encrypt.destination = dir / "mnt/enc";
    encrypt.rows = {FakeRunHost::FileRow(dir / "plain/", "f.txt")};
    ASSERT_EQ(RunBatch(encrypt, Direction::Encrypt).failedItems, 0u);
    const std::string encrypted = ReadFile(dir / "mnt/enc/f.txt");

    FakeRunHost decrypt;
    decrypt.mode = ProcessingMode::Copy;
    decrypt.deleteSources = true;
    decrypt.destination = dir / "plain";
    decrypt.rows = {FakeRunHost::FolderRow(dir / "mnt/", "enc")};
    fs::remove(dir / "plain/f.txt");
    ASSERT_EQ(RunBatch(decrypt, Direction::Decrypt).failedItems, 0u);
    // The trash at the top of the mounted file system, its path recorded
    // relative to that top.
    const std::string uid = std::to_string(::geteuid());
    const std::string trash = dir / ("mnt/.Trash-" + uid);
    EXPECT_EQ(ReadFile(trash + "/files/f.txt"), encrypted);
    EXPECT_THAT(ReadFile(trash + "/info/f.txt.trashinfo"), ::testing::StartsWith("[Trash Info]\nPath=enc/f.txt\n"));
    EXPECT_EQ(fs::status(trash).permissions(), fs::perms::owner_all);
    EXPECT_FALSE(fs::exists(dir / "mnt/enc"));
    EXPECT_EQ(ReadFile(dir / "plain/enc/f.txt"), Content("f"));
    EXPECT_FALSE(fs::exists(dataHome.TrashFiles()));  // no home trash made for it

    // With a shared trash at the top (sticky, as administrators make it), the
    // user's folder inside it is used.
    fs::create_directories(dir / "mnt/.Trash");
    fs::permissions(dir / "mnt/.Trash", fs::perms::all | fs::perms::sticky_bit);
    fs::create_directories(dir / "mnt/again");
    WriteFile(dir / "mnt/again/f.txt", encrypted);
    decrypt.rows = {FakeRunHost::FolderRow(dir / "mnt/", "again")};
    fs::remove_all(dir / "plain/again");
    ASSERT_EQ(RunBatch(decrypt, Direction::Decrypt).failedItems, 0u);
    EXPECT_EQ(ReadFile(dir / ("mnt/.Trash/" + uid + "/files/f.txt")), encrypted);
    EXPECT_THAT(ReadFile(dir / ("mnt/.Trash/" + uid + "/info/f.txt.trashinfo")),
                ::testing::StartsWith("[Trash Info]\nPath=again/f.txt\n"));
}

}  // namespace
}  // namespace tarvoss::testing
