#include <gtest/gtest.h>

#include <regex>
#include <thread>
#include <vector>

#include "common/ErrorReport.h"
#include "platform/FileAttributes.h"
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

// Runs each test inside a fresh folder, since the log lies in the current one.
class ErrorReport : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = GetCurrentDirectory();
        ASSERT_TRUE(SetCurrentDirectory(dir_.path().string()));
    }
    void TearDown() override { SetCurrentDirectory(previous_); }

    std::string Log() const { return ReadFile(dir_ / "Errors.log"); }

    TempDir dir_;
    ScriptedMessageBoxes boxes_;
    std::string previous_;
};

TEST_F(ErrorReport, NothingForCodeZero) {
    SetLastError(0);
    ReportSystemError();
    EXPECT_FALSE(PathExists(dir_ / "Errors.log"));
    EXPECT_TRUE(boxes_.Boxes().empty());
}

TEST_F(ErrorReport, OneEntryPerReportWithTheSixPieces) {
    SetLastError(13);  // EACCES
    ReportSystemError();
    SetLastError(2);  // ENOENT
    ReportSystemError();
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
    EXPECT_EQ(boxes[0].kind, RecordedBox::Kind::Error);
    EXPECT_EQ(boxes[0].caption, "Error");
    EXPECT_EQ(boxes[0].text, "Permission denied\r\n");
}

TEST_F(ErrorReport, EntryLayoutIsByteExact) {
    const OsVersion version = ReadOsVersion();
    const std::string entry = FormatErrorLogEntry(5, "Access is denied.\r\n");
    const std::string head =
        "\r\n---------------------------------------------\r\nError #5\r\nDescription : Access is denied.\r\n\r\nTime : ";
    EXPECT_EQ(entry.substr(0, head.size()), head);
    const std::string tail = "\r\nWindows version : " + std::to_string(version.major) + "." +
                             std::to_string(version.minor) + "." + std::to_string(version.build) + "\r\n";
    EXPECT_EQ(entry.substr(entry.size() - tail.size()), tail);
    // A code above 2^31 is written as a signed 32-bit number.
    EXPECT_NE(FormatErrorLogEntry(0xC0000017u, "x").find("Error #-1073741801\r\n"), std::string::npos);
}

TEST_F(ErrorReport, LogThatCannotBeOpenedIsShownOnceAndNotLoggedAgain) {
    ASSERT_TRUE(CreateDirectory(dir_ / "Errors.log"));  // a folder where the log should be
    SetLastError(5);
    ReportSystemError();
    SetLastError(0);
    const auto boxes = boxes_.Boxes();
    ASSERT_EQ(boxes.size(), 2u);  // the log's own failure, then the report itself
    EXPECT_EQ(boxes[0].text, "Is a directory\r\n");
    EXPECT_EQ(boxes[1].text, "Input/output error\r\n");
}

TEST_F(ErrorReport, ThreadsReportingAtOnceDoNotFailEachOther) {
    constexpr int kThreads = 4, kReports = 25;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([] {
            for (int i = 0; i < kReports; ++i) {
                SetLastError(5);
                ReportSystemError();
            }
        });
    }
    for (auto& thread : threads) thread.join();
    const std::string log = Log();
    std::size_t entries = 0;
    for (auto at = log.find("Error #5\r\n"); at != std::string::npos; at = log.find("Error #5\r\n", at + 1))
        ++entries;
    EXPECT_EQ(entries, static_cast<std::size_t>(kThreads * kReports));
    EXPECT_EQ(boxes_.Boxes().size(), static_cast<std::size_t>(kThreads * kReports));
}

}  // namespace
}  // namespace tarvoss
