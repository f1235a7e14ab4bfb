// Copies and deletions that would put a source at risk: a file whose in-place
// run was interrupted is neither copied nor deleted, a decrypted source that
// no trash can take stays, and a failed item names the system's reason.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "BatchTestSupport.h"
#include "cipher/InPlaceJournal.h"
#include "platform/FileSteps.h"
#include "support/ScopedDataHome.h"
#include "support/ScratchMount.h"
#include "support/StateHome.h"

namespace tarvoss::testing {
namespace {

using ::testing::ElementsAre;

const RunTexts kTexts;

// Puts something where the journal of `path` lies: any entry there, whole,
// damaged or a link, stands for an interrupted in-place run.
void LeaveJournalFor(const std::string& path, bool asLink) {
    FileIdentity identity;
    ASSERT_TRUE(GetFileIdentity(path, identity));
    const std::string journal = JournalPathFor(identity);
    fs::create_directories(fs::path(journal).parent_path());
    if (asLink)
        fs::create_symlink("/nowhere", journal);
    else
        WriteFile(journal, "not a whole journal");
}

TEST(SourceSafety, FileWithAnInterruptedInPlaceRunIsNeitherCopiedNorDeleted) {
    const struct {
        bool deleteSources;
        bool walked;  // reached through a folder row rather than as a file row
        bool journalIsLink;
    } cases[] = {{false, false, false}, {true, false, false}, {false, true, true}, {true, true, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "delete " << c.deleteSources << " walked " << c.walked);
        StateHome home;
        TempDir dir;
        MakeFile(dir / "src/half", Content("half"));
        MakeFile(dir / "src/whole", Content("whole"));
        fs::create_directory(dir / "out");
        LeaveJournalFor(dir / "src/half", c.journalIsLink);
        FakeRunHost host;
        host.mode = ProcessingMode::Copy;
        host.deleteSources = c.deleteSources;
        host.destination = dir / "out/";
        if (c.walked)
            host.rows = {FakeRunHost::FolderRow(dir.folder(), "src")};
        else
            host.rows = {FakeRunHost::FileRow(dir / "src/", "half"), FakeRunHost::FileRow(dir / "src/", "whole")};

        EXPECT_EQ(RunBatch(host, Direction::Encrypt).failedItems, 1u);
        const std::vector<std::string> log = host.Log();
        ASSERT_GE(log.size(), 2u);
        EXPECT_EQ(log[0], Line("Encrypting", dir / "src/half") + "Error:");
        EXPECT_EQ(log[1], kTexts.unfinishedInPlaceRun);
        EXPECT_EQ(ReadFile(dir / "src/half"), Content("half"));
        const fs::path copies = c.walked ? fs::path(dir / "out/src") : fs::path(dir / "out");
        EXPECT_FALSE(fs::exists(copies / "half"));
        // The check is per file: the other one goes on as usual.
        EXPECT_TRUE(fs::is_regular_file(copies / "whole"));
        EXPECT_EQ(fs::exists(dir / "src/whole"), !c.deleteSources);
    }
}

TEST(SourceSafety, DecryptedSourceThatNoTrashCanTakeStays) {
    TempDir dir;
    ScratchMount stick(dir);
    if (!stick.mounted()) GTEST_SKIP() << "mounting a tmpfs needs root";
    // The home trash lies on another file system; the stick's own trash
    // cannot be made: its name is taken by a file, or by a link.
    const ScopedDataHome dataHome(dir.path() / "data");
    const std::string trash = stick.point() + "/.Trash-" + std::to_string(::geteuid());
    for (const bool asLink : {false, true}) {
        SCOPED_TRACE(asLink ? "link" : "file");
        fs::remove_all(trash);
        if (asLink)
            fs::create_directory_symlink(dir.path(), trash);
        else
            WriteFile(trash, "");
        const std::string source = stick.point() + "/f.txt";
        MakeFile(dir / "plain", Content("f"));
        FakeRunHost host;
        FileProgress progress{0};
        ASSERT_TRUE(EncryptFileToCopy(progress, dir / "plain", source, KeyOf(host), 4, nullptr));
        const std::string encrypted = ReadFile(source);
        fs::remove_all(dir / "out");
        fs::create_directory(dir / "out");
        host.mode = ProcessingMode::Copy;
        host.deleteSources = true;
        host.destination = dir / "out/";
        host.rows = {FakeRunHost::FileRow(stick.point() + "/", "f.txt")};

        EXPECT_EQ(RunBatch(host, Direction::Decrypt).failedItems, 1u);
        EXPECT_THAT(host.Log(), ElementsAre(Line("Decrypting", source) + "OK", Line("Deleting", source) + "Error:",
                                            kTexts.noTrashForSource, "", "Decrypting is finished"));
        EXPECT_EQ(ReadFile(source), encrypted);
        EXPECT_EQ(ReadFile(dir / "out/f.txt"), Content("f"));
    }
}

// Fails the first step of `kind` that moves more than one block, so that the
// layout check of a decryption passes and the failure comes amid the pieces
// (which run on several threads).
class FailingStep {
public:
    FailingStep(FileStep kind, int code) {
        SetFileStepHook(
            [kind, code](const FileStepEvent& event) { return event.step == kind && event.length > 16 ? code : 0; });
    }
    ~FailingStep() { SetFileStepHook({}); }
    FailingStep(const FailingStep&) = delete;
    FailingStep& operator=(const FailingStep&) = delete;
};

TEST(SourceSafety, FailedCopyNamesTheSystemsReasonAndAFailedReadAsSuch) {
    const struct {
        Direction direction;
        FileStep step;
        int code;
        std::string detail;
    } cases[] = {
        // A read that fails is never taken for a file that was not encrypted.
        {Direction::Decrypt, FileStep::Read, EIO, "Read error: Input/output error"},
        {Direction::Encrypt, FileStep::Read, EIO, "Read error: Input/output error"},
        {Direction::Decrypt, FileStep::Write, ENOSPC, "No space left on device"},
        {Direction::Encrypt, FileStep::Write, EFBIG, "File too large"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.detail);
        TempDir dir;
        FakeRunHost host;
        const std::string plain = Content("p", 3 << 20);  // several pieces
        MakeFile(dir / "plain", plain);
        const std::string source = dir / "src";
        FileProgress progress{0};
        if (c.direction == Direction::Decrypt)
            ASSERT_TRUE(EncryptFileToCopy(progress, dir / "plain", source, KeyOf(host), 4, nullptr));
        else
            MakeFile(source, plain);
        const std::string before = ReadFile(source);
        fs::create_directory(dir / "out");
        host.mode = ProcessingMode::Copy;
        host.deleteSources = true;
        host.destination = dir / "out/";
        host.rows = {FakeRunHost::FileRow(dir.folder(), "src")};

        RunResult result;
        {
            const FailingStep failing(c.step, c.code);
            result = RunBatch(host, c.direction);
        }
        EXPECT_EQ(result.failedItems, 1u);
        const char* verb = c.direction == Direction::Encrypt ? "Encrypting" : "Decrypting";
        EXPECT_THAT(host.Log(),
                    ElementsAre(Line(verb, source) + "Error:", c.detail, "", std::string(verb) + " is finished"));
        EXPECT_EQ(ReadFile(source), before);
        EXPECT_TRUE(fs::is_empty(dir / "out"));
    }
}

}  // namespace
}  // namespace tarvoss::testing
