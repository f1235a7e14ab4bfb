#include "common/ErrorReport.h"

#include <array>
#include <atomic>
#include <mutex>
#include <vector>

#include "common/ConsoleMessageBoxes.h"
#include "common/ProgramFolder.h"
#include "common/Strings.h"
#include "platform/FileRecord.h"
#include "platform/FileSystem.h"
#include "platform/LastError.h"
#include "platform/StateFolder.h"
#include "platform/SystemInfo.h"

namespace tarvoss {
namespace {

constexpr const char* kLogName = "Errors.log";

// Serialises log writes within the process: two threads reporting at once
// write their entries one after the other instead of failing on each other.
std::mutex& LogMutex() {
    static std::mutex mutex;
    return mutex;
}

// Set while this thread is inside the log writer: a failure of the writer's
// own steps is then kept for a box but not logged again.
thread_local bool writingLog = false;
// Descriptions of the writer's own failures, shown once the log is released:
// a box may wait for the window thread, which may itself wait for the log.
thread_local std::vector<std::string> writerFailures;

// The shared data folder of an installation is the current folder while the
// window loads its settings; it belongs to the system, so even a user who may
// write there (root) does not get a log in it.
bool InInstalledDataFolder() { return IsProgramInstalled() && GetCurrentDirectory() + "/" == ProgramDataFolder(); }

// Opens the log in the current folder, or, where that folder cannot take it
// (an installed program's folder, a read-only disk, a read-only log), in the
// user's state folder. Only a failure there is reported: the entry is not
// lost while the state folder takes it.
bool OpenLog(FileRecord& log, const ErrorReport& report) {
    log.openDisposition = Disposition::OpenAlways;
    log.showErrors = false;
    if (!InInstalledDataFolder() && log.Open(kLogName)) return true;
    std::string folder;
    if (!EnsureStateFolder("", folder)) {
        report.ReportSystemError();
        return false;
    }
    log.showErrors = true;
    return log.Open(folder + "/" + kLogName);
}

std::string Piece1() { return "\r\n---------------------------------------------\r\n"; }

std::string Piece2(std::uint32_t code) { return AppendNumber("Error #", static_cast<std::int32_t>(code)); }

std::string Piece4(const std::string& description) { return "Description : " + description + "\r\n"; }

// Each number comes from a fresh reading of the clock, in this order.
std::string Piece5() {
    std::string text = AppendNumber("Time : ", ReadLocalTime().hour);
    text = AppendNumber(text + ":", ReadLocalTime().minute);
    text = AppendNumber(text + " - ", ReadLocalTime().day);
    text = AppendNumber(text + ".", ReadLocalTime().month);
    text = AppendNumber(text + ".", ReadLocalTime().year);
    return text + "\r\n";
}

std::string Piece6() {
    const OsVersion version = ReadOsVersion();
    std::string text = AppendNumber("Windows version : ", version.major);
    text = AppendNumber(text + ".", version.minor);
    text = AppendNumber(text + ".", version.build);
    return text + "\r\n";
}

// The six pieces of one entry, in the order they are written.
std::array<std::string, 6> EntryPieces(std::uint32_t code, const std::string& description) {
    return {Piece1(), Piece2(code), "\r\n", Piece4(description), Piece5(), Piece6()};
}

// The report of file records that show their failures; none: the console's.
std::atomic<const ErrorReport*> fileRecordReport{nullptr};

const ErrorReport& FileRecordReport() {
    static ConsoleMessageBoxes console;
    static const ErrorReport consoleReport(console);
    const ErrorReport* report = fileRecordReport.load();
    return report != nullptr ? *report : consoleReport;
}

}  // namespace

// Failing file records that show their errors report through here, whatever
// the program; set before main, as soon as this report is part of the program.
const bool kReportsFileFailures = [] {
    SetShownFailureReport(ReportSystemError);
    return true;
}();

void ReportFileRecordFailuresTo(const ErrorReport* report) { fileRecordReport.store(report); }

void ReportSystemError() { FileRecordReport().ReportSystemError(); }

void ErrorReport::ReportSystemError() const {
    const int code = GetLastError();
    if (code == 0) return;
    const std::string description = DescribeError(code);
    // A failure of the log writer's own steps waits for the writer, whatever
    // report it writes for.
    if (writingLog) {
        writerFailures.push_back(description);
        return;
    }
    WriteErrorLog(static_cast<std::uint32_t>(code), description);
    boxes_.ShowError(description, "Error");
}

void ErrorReport::WriteErrorLog(std::uint32_t code, const std::string& description) const {
    std::unique_lock lock(LogMutex());
    writingLog = true;

    FileRecord log;
    // Each step after the open is tried even when an earlier one failed, as a
    // report of each failure is wanted.
    if (OpenLog(log, *this)) {
        log.SeekToEnd();
        for (const std::string& piece : EntryPieces(code, description)) log.Write(piece.data(), piece.size());
        log.Close();
    }
    writingLog = false;
    lock.unlock();

    std::vector<std::string> failures;
    failures.swap(writerFailures);
    for (const std::string& failure : failures) boxes_.ShowError(failure, "Error");
}

std::string FormatErrorLogEntry(std::uint32_t code, const std::string& description) {
    std::string entry;
    for (const std::string& piece : EntryPieces(code, description)) entry += piece;
    return entry;
}

}  // namespace tarvoss
