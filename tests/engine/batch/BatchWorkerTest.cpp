// The row loop of a run: start and end steps, stops, abandoned runs, disk
// roots and rows that change during the run.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <string>
#include <vector>

#include "BatchTestSupport.h"
#include "batch/DiskRoots.h"
#include "batch/ListedPath.h"
#include "platform/FileSystem.h"

namespace tarvoss::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

std::string EncryptLine(const std::string& path) { return Line("Encrypting", path); }

TEST(BatchWorker, AllFilesRunOnItsThreadReportsInOrderAndRoundTrips) {
    TempDir dir;
    const std::string a = Content("alpha", 100), b = Content("beta", 33);
    MakeFile(dir / "a.txt", a);
    MakeFile(dir / "b.bin", b);
    FakeRunHost host;
    host.rows = {FakeRunHost::FileRow(dir.folder(), "a.txt"), FakeRunHost::FileRow(dir.folder(), "b.bin")};

    RunState state;
    std::atomic<bool> called{false};
    RunResult result{RunOutcome::Abandoned, 9};
    // The worker waits at its first file until the run's start was looked at.
    std::promise<void> looked;
    std::shared_future<void> lookedAt = looked.get_future().share();
    host.onCurrentFile = [lookedAt](const std::string&) { lookedAt.wait(); };
    ASSERT_TRUE(StartWorker(state, host, host.Inputs(Direction::Encrypt), [&](const RunResult& r) {
        result = r;
        called = true;
    }));
    EXPECT_TRUE(state.RunUnfinished);
    looked.set_value();
    state.WorkerHandle.join();

    ASSERT_TRUE(called);
    EXPECT_EQ(result.outcome, RunOutcome::Completed);
    EXPECT_EQ(result.failedItems, 0u);
    EXPECT_FALSE(state.RunUnfinished);
    EXPECT_THAT(host.Events(), ElementsAre("settings", "busy", "clear log", "stop shown", "range: 2", "file: a.txt",
                                           "log: " + EncryptLine(dir / "a.txt"), "append: OK", "step", "file: b.bin",
                                           "log: " + EncryptLine(dir / "b.bin"), "append: OK", "step",
                                           "log: ", "log: Encrypting is finished", "ready", "stop hidden", "file: -"));
    EXPECT_EQ(ReadFile(dir / "a.txt").size(), 1u + 112u);
    EXPECT_EQ(ReadFile(dir / "b.bin").size(), 1u + 48u);

    FakeRunHost back;
    back.rows = host.rows;
    EXPECT_EQ(RunBatch(back, Direction::Decrypt).outcome, RunOutcome::Completed);
    EXPECT_EQ(back.Log().back(), "Decrypting is finished");
    EXPECT_EQ(ReadFile(dir / "a.txt"), a);
    EXPECT_EQ(ReadFile(dir / "b.bin"), b);
}

TEST(BatchWorker, EncryptingRunFinishesWithTheActionSelectedAtItsEnd) {
    FakeRunHost host;
    host.action = Direction::Decrypt;  // the user picked decryption while the run went on
    EXPECT_EQ(RunBatch(host, Direction::Encrypt).outcome, RunOutcome::Completed);
    EXPECT_THAT(host.Log(), ElementsAre("", "Decrypting is finished"));
}

TEST(BatchWorker, StopInsideAWalkFinishesTheFileInWorkThenUnwinds) {
    TempDir dir;
    const std::string big = Content("big", 1 << 20), later = Content("later"), last = Content("last");
    MakeFile(dir / "tree/d1/big.bin", big);
    MakeFile(dir / "tree/d1/d2/later.txt", later);
    MakeFile(dir / "tree/z.txt", last);
    FakeRunHost host;
    host.rows = {FakeRunHost::FolderRow(dir.folder(), "tree"), FakeRunHost::FileRow(dir.folder(), "none")};

    RunState state;
    state.RunUnfinished = true;
    host.onCurrentFile = [&](const std::string& name) {
        if (name == "big.bin") state.StopRequested = true;  // pressed while big.bin is in work
    };
    const RunResult result = RunWorker(host, state, host.Inputs(Direction::Encrypt));

    EXPECT_EQ(result.outcome, RunOutcome::Stopped);
    EXPECT_FALSE(state.StopRequested);
    EXPECT_TRUE(state.RunUnfinished);  // the close query keeps asking after a stop
    const std::vector<std::string> events = host.Events();
    ASSERT_GE(events.size(), 3u);
    EXPECT_THAT(
        std::vector<std::string>(events.end() - 3, events.end()),
        ElementsAre("status: Encrypting was terminated by user", "log: Encrypting was terminated by user", "ready"));
    EXPECT_THAT(host.Log(),
                ElementsAre(EncryptLine(dir / "tree/d1/big.bin") + "OK", "Encrypting was terminated by user"));

    // The file in work was finished completely; nothing after it was touched.
    const std::string plain = dir / "big.plain";
    FileProgress progress{0};
    ASSERT_TRUE(DecryptFileToCopy(progress, dir / "tree/d1/big.bin", plain, KeyOf(host), 4, nullptr));
    EXPECT_EQ(ReadFile(plain), big);
    EXPECT_EQ(ReadFile(dir / "tree/d1/d2/later.txt"), later);
    EXPECT_EQ(ReadFile(dir / "tree/z.txt"), last);
}

TEST(BatchWorker, StopBetweenRowsUsesTheDirectionsText) {
    TempDir dir;
    MakeFile(dir / "one", Content("one"));
    MakeFile(dir / "two", Content("two"));
    FakeRunHost host;
    host.rows = {FakeRunHost::FileRow(dir.folder(), "one"), FakeRunHost::FileRow(dir.folder(), "two")};
    RunState state;
    host.onStep = [&] { state.StopRequested = true; };

    EXPECT_EQ(RunWorker(host, state, host.Inputs(Direction::Decrypt)).outcome, RunOutcome::Stopped);
    EXPECT_EQ(host.Log().size(), 3u);  // "one" with its detail line, then the stop
    EXPECT_EQ(host.Log().back(), "Decrypting was terminated by user");
    EXPECT_EQ(ReadFile(dir / "two"), Content("two"));
}

TEST(BatchWorker, TargetFolderThatCannotBeMadeAbandonsTheRun) {
    TempDir dir;
    MakeFile(dir / "src/first.txt", Content("first"));
    MakeFile(dir / "src/data/x.txt", Content("x"));
    MakeFile(dir / "src/last.txt", Content("last"));
    MakeFile(dir / "out/data", "a file where the folder should go");
    FakeRunHost host;
    host.mode = ProcessingMode::Copy;
    host.destination = dir / "out";  // no final "/": the run adds it
    host.rows = {FakeRunHost::FileRow(dir / "src/", "first.txt"), FakeRunHost::FolderRow(dir / "src/", "data"),
                 FakeRunHost::FileRow(dir / "src/", "last.txt")};
    RunState state;
    state.RunUnfinished = true;

    EXPECT_EQ(RunWorker(host, state, host.Inputs(Direction::Encrypt)).outcome, RunOutcome::Abandoned);

    const std::vector<std::string> events = host.Events();
    EXPECT_EQ(events.back(), "box Error: Cannot create the folder \"" + DisplayPath(dir / "out/data") +
                                 "\". Please, restart the application and try again.");
    // The page stays as it was: busy button, Stop visible, run unfinished.
    EXPECT_EQ(std::count(events.begin(), events.end(), "ready"), 0);
    EXPECT_EQ(std::count(events.begin(), events.end(), "stop hidden"), 0);
    EXPECT_TRUE(state.RunUnfinished);
    EXPECT_TRUE(fs::exists(dir / "out/first.txt"));
    EXPECT_FALSE(fs::exists(dir / "out/last.txt"));
}

TEST(BatchWorker, DiskRootNamesAndCut) {
    struct Case {
        std::string root, cut, folder;
    };
    for (const Case& c : {Case{"/", "", "[ Disk root ]"}, Case{"/media/usb/", "/media/usb", "[ Disk usb ]"},
                          Case{"/mnt/my disk/", "/mnt/my disk", "[ Disk my disk ]"}}) {
        EXPECT_EQ(DriveCut(c.root), c.cut) << c.root;
        EXPECT_EQ(DiskFolderName(c.root), c.folder) << c.root;
    }
}

#ifdef _WIN32
// A drive root is named by its letter; a volume mounted in a folder by the
// folder, as on Linux. A listed drive, typed either way, is one disk root.
TEST(BatchWorker, DriveRootsOfWindows) {
    struct Case {
        std::string root, cut, folder;
    };
    for (const Case& c : {Case{"C:/", "C:", "[ Disk C ]"}, Case{"D:/mnt/usb/", "D:/mnt/usb", "[ Disk usb ]"}}) {
        EXPECT_EQ(DriveCut(c.root), c.cut) << c.root;
        EXPECT_EQ(DiskFolderName(c.root), c.folder) << c.root;
    }
    const DeviceOf sameDevice = [](const std::string&, std::uint64_t& device) {
        device = 1;
        return true;
    };
    for (const char* typed : {"C:\\", "C:/", "c:\\Data\\..", "C:"}) {
        const std::string normal = NormalisePath(typed);
        EXPECT_EQ(KindOfPath(normal, sameDevice), RowKind::DiskRoot) << typed;
        EXPECT_EQ(normal.substr(1), ":/") << typed;
    }
    // A path rooted on no drive is on the current folder's drive, named at
    // once: the current folder may move to another drive before the run.
    const std::string drive = GetCurrentDirectory().substr(0, 2);
    ASSERT_EQ(drive[1], ':');
    EXPECT_EQ(NormalisePath("\\data\\a.txt"), drive + "/data/a.txt");
    // The current drive's root is a disk root on the system itself, a folder
    // on it is not.
    EXPECT_EQ(KindOfPath(NormalisePath(drive + "\\")), RowKind::DiskRoot);
    TempDir dir;
    EXPECT_EQ(KindOfPath(NormalisePath(dir.path().string())), RowKind::Folder);
}
#endif

TEST(BatchWorker, DiskRootRowsGoToTheirOwnDiskFolders) {
    TempDir dir;
    MakeFile(dir / "usb/a.txt", Content("usb"));
    MakeFile(dir / "cam/sub/b.txt", Content("cam"));
    fs::create_directory(dir / "out");
    FakeRunHost host;
    host.mode = ProcessingMode::Copy;
    host.destination = dir / "out/";
    // The one with a final "/" as a root may come.
    host.rows = {FakeRunHost::DiskRootRow(dir / "usb"), FakeRunHost::DiskRootRow(dir / "cam/")};

    EXPECT_EQ(RunBatch(host, Direction::Encrypt).outcome, RunOutcome::Completed);
    EXPECT_TRUE(fs::is_regular_file(dir / "out/[ Disk usb ]/a.txt"));
    EXPECT_TRUE(fs::is_regular_file(dir / "out/[ Disk cam ]/sub/b.txt"));
    EXPECT_EQ(host.Log().front(), EncryptLine(dir / "usb/a.txt") + "OK");
}

TEST(BatchWorker, RowsRemovedDuringTheRunEndTheLoopEarlier) {
    TempDir dir;
    FakeRunHost host;
    for (const char* name : {"a", "b", "c", "d"}) {
        MakeFile(dir / name, Content(name));
        host.rows.push_back(FakeRunHost::FileRow(dir.folder(), name));
    }
    bool removed = false;
    host.onStep = [&] {
        if (removed) return;
        removed = true;
        host.rows.erase(host.rows.begin());  // "b" moves up past the index
        host.rows.pop_back();                // "d" goes away
    };

    EXPECT_EQ(RunBatch(host, Direction::Encrypt).outcome, RunOutcome::Completed);
    const std::vector<std::string> events = host.Events();
    EXPECT_EQ(std::count(events.begin(), events.end(), "range: 4"), 1);
    EXPECT_EQ(std::count(events.begin(), events.end(), "step"), 2);
    EXPECT_THAT(host.Log(), ElementsAre(EncryptLine(dir / "a") + "OK", EncryptLine(dir / "c") + "OK", "",
                                        "Encrypting is finished"));
    EXPECT_EQ(ReadFile(dir / "b"), Content("b"));
}

}  // namespace
}  // namespace tarvoss::testing
