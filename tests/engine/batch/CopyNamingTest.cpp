// New copies take their names only once their bytes are on the disk: named
// as groups after one flush of the file system, at once when their sources
// are to be deleted, and always before the run reports its end. A copy that
// cannot be named is reported as failed and leaves nothing behind; a run
// killed at any step leaves no partial copy under a copy's name.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "BatchTestSupport.h"
#include "cipher/PendingCopies.h"
#include "cipher/TemporaryCopies.h"
#include "platform/FileSteps.h"
#include "support/DyingChild.h"

namespace tarvoss::testing {
namespace {

using ::testing::Contains;
using ::testing::HasSubstr;

constexpr int kTreeFiles = 70;
constexpr std::size_t kGroupFiles = 64;  // so that the tree's copies make two groups

std::string PathOfHandle(int handle) {
    std::error_code error;
    return fs::read_symlink("/proc/self/fd/" + std::to_string(handle), error).string();
}

std::vector<std::string> NamesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file()) names.push_back(fs::relative(entry.path(), folder).string());
    return names;
}

// Watches the file steps of a run: a copy may take a name only when nothing
// written to it since its last flush (of the file, or of the whole file
// system) is still outstanding.
class NameOrderWatch {
public:
    NameOrderWatch() {
        SetFileStepHook([this](const FileStepEvent& event) {
            std::lock_guard lock(mutex_);
            Note(event);
            return 0;
        });
    }
    ~NameOrderWatch() { SetFileStepHook({}); }

    std::vector<std::string> Faults() const {
        std::lock_guard lock(mutex_);
        return faults_;
    }
    int FileSystemFlushes() const {
        std::lock_guard lock(mutex_);
        return fileSystemFlushes_;
    }

private:
    // Paths through "/proc/self/fd/N/" name the same file as its real path.
    static std::string Real(const std::string& path) {
        std::error_code error;
        return fs::path(path).is_absolute() ? fs::weakly_canonical(path, error).string() : path;
    }

    void Note(const FileStepEvent& event) {
        switch (event.step) {
        case FileStep::Write: unflushed_.insert(event.handle); break;
        case FileStep::Sync: unflushed_.erase(event.handle); break;
        case FileStep::SyncFileSystem:
            ++fileSystemFlushes_;
            unflushed_.clear();
            break;
        case FileStep::Close:
            // Closed with writes outstanding: a rename must not give it a name.
            if (unflushed_.erase(event.handle) > 0) closedUnflushed_.insert(Real(PathOfHandle(event.handle)));
            break;
        case FileStep::Rename:
            if (event.handle >= 0) {  // an unnamed file gets a name
                if (unflushed_.contains(event.handle)) faults_.push_back("named unflushed: " + *event.target);
                linked_.insert(*event.target);
            } else if (closedUnflushed_.contains(Real(*event.path)) ||
                       (!linked_.contains(*event.path) && !fs::path(*event.path).is_absolute())) {
                faults_.push_back("renamed unflushed: " + *event.path);
            }
            break;
        default: break;
        }
    }

    mutable std::mutex mutex_;
    std::set<int> unflushed_;
    std::set<std::string> closedUnflushed_, linked_;
    std::vector<std::string> faults_;
    int fileSystemFlushes_ = 0;
};

struct Tree {
    TempDir dir;
    std::map<std::string, std::string> files;  // name in "tree" → content
    FakeRunHost host;

    Tree() {
        for (int i = 0; i < kTreeFiles; ++i) {
            const std::string name = (i % 2 ? "sub/f" : "f") + std::to_string(i);
            files[name] = Content(name, 50 + static_cast<std::size_t>(i));
            MakeFile(dir / ("tree/" + name), files[name]);
        }
        fs::create_directory(dir / "out");
        host.rows = {FakeRunHost::FolderRow(dir.folder(), "tree")};
        host.mode = ProcessingMode::Copy;
        host.destination = dir / "out";
    }

    // The copies decrypt back to the files, each under its own name.
    void ExpectCopiesDecryptBack() {
        FakeRunHost back;
        back.rows = {FakeRunHost::FolderRow(dir / "out/", "tree")};
        back.mode = ProcessingMode::Copy;
        back.destination = dir / "back";
        fs::create_directory(dir / "back");
        ASSERT_EQ(RunBatch(back, Direction::Decrypt).failedItems, 0u);
        for (const auto& [name, content] : files) EXPECT_EQ(ReadFile(dir / ("back/tree/" + name)), content) << name;
        EXPECT_EQ(NamesIn(dir / "back").size(), files.size());
    }
};

class CopyNaming : public ::testing::Test {
protected:
    void SetUp() override { SetCopyGroupFiles(kGroupFiles); }
    void TearDown() override {
        SetCopyGroupFiles(0);
        SetFileStepHook({});
    }
};

TEST_F(CopyNaming, EveryCopyIsOnTheDiskBeforeItHasAName) {
    struct Case {
        const char* what;
        bool deleteSources;
        bool olderCopies;
    };
    for (const Case c : {Case{"new copies", false, false}, Case{"sources deleted", true, false},
                         Case{"older copies replaced", false, true}}) {
        SCOPED_TRACE(c.what);
        Tree tree;
        tree.host.deleteSources = c.deleteSources;
        if (c.olderCopies) {
            for (const auto& [name, content] : tree.files) MakeFile(tree.dir / ("out/tree/" + name), "older");
        }

        RunResult result{};
        int flushes = 0;
        {
            NameOrderWatch watch;
            result = RunBatch(tree.host, Direction::Encrypt);
            EXPECT_THAT(watch.Faults(), ::testing::IsEmpty());
            flushes = watch.FileSystemFlushes();
        }
        EXPECT_EQ(result.outcome, RunOutcome::Completed);
        EXPECT_EQ(result.failedItems, 0u);
        // New copies are flushed as groups, not one by one.
        if (!c.deleteSources && !c.olderCopies) {
            EXPECT_EQ(flushes, 2);
        }
        EXPECT_EQ(NamesIn(tree.dir / "out").size(), tree.files.size());
        tree.ExpectCopiesDecryptBack();
    }
}

TEST_F(CopyNaming, CopiesAreNamedBeforeAStoppedRunEnds) {
    Tree tree;
    RunState state;
    state.RunUnfinished = true;
    int seen = 0;
    tree.host.onCurrentFile = [&](const std::string&) {
        if (++seen == 5) state.StopRequested = true;
    };
    EXPECT_EQ(RunWorker(tree.host, state, tree.host.Inputs(Direction::Encrypt)).outcome, RunOutcome::Stopped);
    EXPECT_EQ(NamesIn(tree.dir / "out").size(), 5u);
    EXPECT_EQ(tree.host.Log().back(), "Encrypting was terminated by user");
}

TEST_F(CopyNaming, FailuresWhenCopiesAreNamed) {
    // A failing flush of the file system: no copy of the group gets a name,
    // and each is reported as failed with the system's reason.
    {
        Tree tree;
        SetFileStepHook([](const FileStepEvent& event) { return event.step == FileStep::SyncFileSystem ? EIO : 0; });
        const RunResult result = RunBatch(tree.host, Direction::Encrypt);
        SetFileStepHook({});
        EXPECT_EQ(result.failedItems, tree.files.size());
        EXPECT_THAT(NamesIn(tree.dir / "out"), ::testing::IsEmpty());
        const std::vector<std::string> log = tree.host.Log();
        EXPECT_THAT(log, Contains(Line("Encrypting", tree.dir / "tree/f0") + "OK"));
        EXPECT_THAT(log, Contains(Line("Encrypting", tree.dir / "tree/f0") + "Error:"));
        EXPECT_THAT(log, Contains(HasSubstr("Input/output error")));
        for (const auto& [name, content] : tree.files) EXPECT_EQ(ReadFile(tree.dir / ("tree/" + name)), content);
    }
    // A file that takes a copy's name before the copy is named is replaced
    // by the copy, as an older copy would be.
    {
        Tree tree;
        const std::string taken = tree.dir / "out/tree/f0";
        SetFileStepHook([&](const FileStepEvent& event) {
            if (event.step == FileStep::SyncFileSystem && !fs::exists(taken)) WriteFile(taken, "came meanwhile");
            return 0;
        });
        const RunResult result = RunBatch(tree.host, Direction::Encrypt);
        SetFileStepHook({});
        EXPECT_EQ(result.failedItems, 0u);
        tree.ExpectCopiesDecryptBack();
        EXPECT_EQ(NamesIn(tree.dir / "out").size(), tree.files.size());  // no temporary copy left
    }
}

// A run that dies at any step of the file layer leaves every copy under its
// name whole: missing, the older file it was to replace, or the finished copy.
TEST_F(CopyNaming, RunKilledAtAnyStepLeavesNoPartialCopyUnderItsName) {
    TempDir dir;
    for (const std::string name : {"a", "b", "old"}) MakeFile(dir / ("tree/" + name), Content(name, 3000));
    FakeRunHost host;
    host.rows = {FakeRunHost::FolderRow(dir.folder(), "tree")};
    host.mode = ProcessingMode::Copy;
    host.destination = dir / "done";
    fs::create_directory(dir / "done");
    ASSERT_EQ(RunBatch(host, Direction::Encrypt).failedItems, 0u);

    host.destination = dir / "out";
    bool finished = false;
    int dieAt = 0;
    while (!finished) {
        ++dieAt;
        SCOPED_TRACE(::testing::Message() << "died before step " << dieAt);
        fs::remove_all(dir / "out");
        MakeFile(dir / "out/tree/old", "older");
        ASSERT_TRUE(RunDyingAtStep(
            dieAt, [&] { RunBatch(host, Direction::Encrypt); }, &finished));

        for (const std::string& name : NamesIn(dir / "out/tree")) {
            if (IsTemporaryCopyName(name)) continue;  // cleared by the next run into the folder
            const std::string now = ReadFile(dir / ("out/tree/" + name));
            EXPECT_TRUE(now == ReadFile(dir / ("done/tree/" + name)) || (name == "old" && now == "older")) << name;
        }
    }
    EXPECT_EQ(NamesIn(dir / "out/tree").size(), 3u);
    EXPECT_GT(dieAt, 10);  // the run went through the file layer: each of its steps was a point of death
}

}  // namespace
}  // namespace tarvoss::testing
