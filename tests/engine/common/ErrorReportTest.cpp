#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>
#include <regex>
#include <thread>
#include <vector>

#include "common/ErrorReport.h"
#include "platform/FileAttributes.h"
#include "platform/FileRecord.h"
#include "platform/FileSystem.h"
#include "platform/LastError.h"
#include "platform/SystemInfo.h"
#include "support/ScriptedMessageBoxes.h"
#include "support/TempDir.h"

namespace tarvoss {
namespace {

using testing::ReadFile;
using testing::RecordedBox;
using testing::ScriptedMessageBoxes;
using testing::TempDir;
using testing::WriteFile;

// Runs each test inside a fresh folder, since the log lies in the current one,
// with a state folder of its own for the log that the folder cannot take.
class ErrorReports : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = GetCurrentDirectory();
        ASSERT_TRUE(SetCurrentDirectory(dir_.path().string()));
        const char* state = std::getenv("XDG_STATE_HOME");
        previousState_ = state != nullptr ? std::optional<std::string>(state) : std::nullopt;
        ::setenv("XDG_STATE_HOME", state_.path().c_str(), 1);
    }
    void TearDown() override {
        SetCurrentDirectory(previous_);
        if (previousState_)
            ::setenv("XDG_STATE_HOME", previousState_->c_str(), 1);
        else
            ::unsetenv("XDG_STATE_HOME");
    }

    std::string Log() const { return ReadFile(dir_ / "Errors.log"); }
    std::string StateLog() const { return ReadFile(state_ / "tarvoss/Errors.log"); }

    TempDir dir_;
    TempDir state_;
    std::optional<std::string> previousState_;
    ScriptedMessageBoxes boxes_;
    const ErrorReport report_{boxes_};
    std::string previous_;
};

TEST_F(ErrorReports, NothingForCodeZero) {
    SetLastError(0);
    report_.ReportSystemError();
    EXPECT_FALSE(PathExists(dir_ / "Errors.log"));
    EXPECT_TRUE(boxes_.Boxes().empty());
}

TEST_F(ErrorReports, OneEntryPerReportWithTheSixPieces) {
    SetLastError(13);  // EACCES
    report_.ReportSystemError();
    SetLastError(2);  // ENOENT
    report_.ReportSystemError();
    SetLastError(0);

    const std::string log = Log();
    // Hours, minutes, days and months without leading zeros; the description
    // ends in CR LF, so an empty line follows it.
    const std::regex entry(
        "\r\n-{45}\r\n"
        "Error #(\\d+)\r\n"
        "Description : ([^\r\n]+)\r\n\r\n"
        "Time : ([1-9]?\\d):([1-5]?\\d) - ([1-9]\\d?)\\.([1-9]\\d?)\\.(\\d{4})\r\n"
        "Windows version : (\\d+)\\.(\\d+)\\.(\\d+)\r\n");
    std::vector<std::string> codes, descriptions;
    auto begin = std::sregex_iterator(log.begin(), log.end(), entry);
    std::size_t covered = 0;
    for (auto it = begin; it != std::sregex_iterator(); ++it) {
        EXPECT_EQ(static_cast<std::size_t>(it->position()), covered) << "entries follow each other";
        covered += static_cast<std::size_t>(it->length());
        codes.push_back((*it)[1]);
        descriptions.push_back((*it)[2]);
    }
    EXPECT_EQ(covered, log.size());
    EXPECT_EQ(codes, (std::vector<std::string>{"13", "2"}));
    EXPECT_EQ(descriptions, (std::vector<std::string>{"Permission denied", "No such file or directory"}));

    const auto boxes = boxes_.Boxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].kind, "error");
    EXPECT_EQ(boxes[0].caption, "Error");
    EXPECT_EQ(boxes[0].text, "Permission denied\r\n");
}

TEST_F(ErrorReports, EntryLayoutIsByteExact) {
    const OsVersion version = ReadOsVersion();
    const std::string entry = FormatErrorLogEntry(5, "Access is denied.\r\n");
    const std::string head =
        "\r\n---------------------------------------------\r\nError #5\r\nDescription : Access is denied.\r\n\r\nTime "
        ": ";
    EXPECT_EQ(entry.substr(0, head.size()), head);
    const std::string tail = "\r\nWindows version : " + std::to_string(version.major) + "." +
                             std::to_string(version.minor) + "." + std::to_string(version.build) + "\r\n";
    EXPECT_EQ(entry.substr(entry.size() - tail.size()), tail);
    // A code above 2^31 is written as a signed 32-bit number.
    EXPECT_NE(FormatErrorLogEntry(0xC0000017u, "x").find("Error #-1073741801\r\n"), std::string::npos);
}

TEST_F(ErrorReports, LogThatTheCurrentFolderCannotTakeGoesToTheStateFolder) {
    const std::pair<const char*, std::function<void()>> cases[] = {
        {"a folder where the log should be", [&] { ASSERT_TRUE(CreateDirectory(dir_ / "Errors.log")); }},
        {"a read-only log",
         [&] {
             WriteFile(dir_ / "Errors.log", "kept\r\n");
             ::chmod((dir_ / "Errors.log").c_str(), 0444);  // refused for writing even to root
         }},
        {"a current folder that is gone", [&] { std::filesystem::remove(dir_.path()); }},
    };
    std::size_t shown = 0;
    for (const auto& [name, prepare] : cases) {
        std::filesystem::remove_all(state_.path() / "tarvoss");
        std::filesystem::create_directories(dir_.path());
        ASSERT_TRUE(SetCurrentDirectory(dir_.path().string()));
        prepare();
        SetLastError(5);
        report_.ReportSystemError();
        SetLastError(0);
        EXPECT_NE(StateLog().find("Error #5\r\n"), std::string::npos) << name;
        // Made for the user alone.
        EXPECT_EQ(std::filesystem::status(state_.path() / "tarvoss").permissions(), std::filesystem::perms::owner_all)
            << name;
        const auto boxes = boxes_.Boxes();
        ASSERT_EQ(boxes.size(), ++shown) << name;  // the report only: nothing was lost
        EXPECT_EQ(boxes.back().text, "Input/output error\r\n") << name;
        if (std::filesystem::is_regular_file(dir_ / "Errors.log")) {
            EXPECT_EQ(ReadFile(dir_ / "Errors.log"), "kept\r\n") << name;
        }
        std::filesystem::remove_all(dir_ / "Errors.log");
    }
}

TEST_F(ErrorReports, LogThatCannotBeOpenedAnywhereIsShownOnceAndNotLoggedAgain) {
    ASSERT_TRUE(CreateDirectory(dir_ / "Errors.log"));  // a folder where the log should be
    WriteFile(state_ / "file", "");
    ::setenv("XDG_STATE_HOME", (state_ / "file").c_str(), 1);  // no folder can be made below it
    SetLastError(5);
    report_.ReportSystemError();
    SetLastError(0);
    const auto boxes = boxes_.Boxes();
    ASSERT_EQ(boxes.size(), 2u);  // the log's own failure, then the report itself
    EXPECT_EQ(boxes[0].text, "Not a directory\r\n");
    EXPECT_EQ(boxes[1].text, "Input/output error\r\n");
}

TEST_F(ErrorReports, ThreadsReportingAtOnceDoNotFailEachOther) {
    constexpr int kThreads = 4, kReports = 25;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([this] {
            for (int i = 0; i < kReports; ++i) {
                SetLastError(5);
                report_.ReportSystemError();
            }
        });
    }
    for (auto& thread : threads) thread.join();
    const std::string log = Log();
    std::size_t entries = 0;
    for (auto at = log.find("Error #5\r\n"); at != std::string::npos; at = log.find("Error #5\r\n", at + 1)) ++entries;
    EXPECT_EQ(entries, static_cast<std::size_t>(kThreads * kReports));
    EXPECT_EQ(boxes_.Boxes().size(), static_cast<std::size_t>(kThreads * kReports));
}

// A file record that shows its failures reports them through the report the
// front end named, and through the console's once that report is taken back.
TEST_F(ErrorReports, FileRecordFailuresGoToTheNamedReport) {
    const auto openMissing = [&] {
        FileRecord record;
        EXPECT_FALSE(record.Open(dir_ / "missing"));
    };
    ReportFileRecordFailuresTo(&report_);
    openMissing();
    ReportFileRecordFailuresTo(nullptr);
    openMissing();
    SetLastError(0);
    const auto boxes = boxes_.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "No such file or directory\r\n");
    // Both reports log it; only the named one shows it in the test's boxes.
    const std::string log = Log();
    EXPECT_NE(log.find("Error #2\r\n"), log.rfind("Error #2\r\n"));
}

}  // namespace
}  // namespace tarvoss
