// The interrupted runs as the window offers them: which files wait at their
// path, whose journal outlived the file, which journals are damaged, and
// the notice that names them in the caller's words.

#include "cipher/PendingJournals.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace tarvoss {
namespace {

PendingJournal Readable(const std::string& path, Direction direction) {
    PendingJournal item;
    item.journalPath = path + ".journal";
    item.state = JournalState::Pending;
    item.header.path = path;
    item.header.direction = direction;
    item.windowsDone = 1;
    item.windowCount = 4;
    return item;
}

PendingJournal NotPending(const std::string& journalPath, JournalState state) {
    PendingJournal item;
    item.journalPath = journalPath;
    item.state = state;
    return item;
}

TEST(InterruptedRuns, SortsFilesByWhetherTheyAreStillThere) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "tarvoss-interrupted-runs";
    std::filesystem::create_directories(folder);
    const std::string present = (folder / "present.bin").string();
    std::ofstream(present) << "x";
    const std::string gone = (folder / "gone.bin").string();
    std::filesystem::remove(gone);

    const InterruptedRuns runs = SortInterruptedRuns({
        Readable(present, Direction::Decrypt), Readable(gone, Direction::Encrypt),
        NotPending("/journals/torn.journal", JournalState::Damaged),
        NotPending("/journals/never-started.journal", JournalState::NeverStarted),  // its file was never changed
    });

    ASSERT_EQ(runs.waiting.size(), 1u);
    EXPECT_EQ(runs.waiting[0].path, present);
    EXPECT_EQ(runs.waiting[0].direction, Direction::Decrypt);
    EXPECT_EQ(runs.waiting[0].percent, 25u);
    ASSERT_EQ(runs.gone.size(), 1u);
    EXPECT_EQ(runs.gone[0].journalPath, gone + ".journal");
    EXPECT_EQ(runs.unreadableJournals, std::vector<std::string>{"/journals/torn.journal"});

    // The notice names what waits and what is damaged, in the given
    // words; the gone file has an offer of its own.
    InterruptedRunTexts words;
    words.head = "HEAD";
    words.decryption = "DEC";
    words.unreadableJournal = "TORN";
    words.howToFinish = "HOW";
    EXPECT_EQ(PendingJournalsNotice(runs, words),
              "HEAD\r\n\"" + present + "\" (DEC, 25 %)\r\nTORN \"/journals/torn.journal\"\r\nHOW");
    std::filesystem::remove_all(folder);
}

TEST(InterruptedRuns, NoNoticeWhenOnlyGoneFilesOrNothingWaits) {
    EXPECT_EQ(PendingJournalsNotice({}), "");
    InterruptedRuns onlyGone;
    onlyGone.gone.push_back({"/nowhere/file", "/j/1.journal", Direction::Encrypt, 0});
    EXPECT_EQ(PendingJournalsNotice(onlyGone), "");
}

}  // namespace
}  // namespace tarvoss
