// Encrypting and decrypting a file where it lies, through a recovery journal,
// and finishing a transform that was interrupted.

#include "cipher/InPlaceTransform.h"

#include "cipher/BlockCipher.h"
#include "cipher/FileLayout.h"
#include "cipher/FileTransforms.h"
#include "cipher/InPlaceJournal.h"
#include "cipher/InPlaceOutcome.h"
#include "cipher/JournaledWindows.h"
#include "cipher/ResumeProof.h"
#include "cipher/TransformFailure.h"
#include "platform/FileAttributes.h"
#include "platform/FileRecord.h"
#include "platform/FileSystem.h"
#include "platform/LastError.h"

#include <algorithm>
#include <atomic>
#include <optional>

namespace tarvoss {

namespace {

// 16 MiB: 128 flushes per GiB (two per window: its record, then the file),
// while the journal's three records stay under 50 MiB and the two windows in
// flight take 32 MiB of memory.
std::atomic<std::size_t> windowBytes{std::size_t{16} << 20};

// Sets `report` and the last error (for the run's error box and log).
bool Report(InPlaceReport& report, InPlaceOutcome outcome, int code, Direction pending = Direction::Encrypt) {
    report = {outcome, pending, code};
    return FailWith(code);
}

// Reserves real disk space for the first `length` bytes of the file, now
// `currentLength` long, before its bytes change. When that fails (full disk,
// file size limit) the file keeps its length.
bool ReserveLength(FileRecord& file, std::uint64_t currentLength, std::uint64_t length) {
    if (file.Allocate(length)) return true;
    const int code = GetLastError();
    std::uint64_t now = 0;
    if (file.Size(now) && now != currentLength) file.Truncate(currentLength);
    return FailWith(code);
}

// One file held for an in-place transform: locked from the first look to the
// end, open for writing with owner-write added for the run, its former
// permission bits put back on every way out.
class HeldFile {
public:
    ~HeldFile() {
        // On a failure: the bits go back, whatever state the file is in.
        // The failure being reported stays the last error.
        if (writable_ && saved_.ReadOnly()) {
            const int failure = GetLastError();
            RestoreFileAttributes(path_, saved_);
            SetLastError(failure);
        }
    }

    // Opens and locks `path`; `identity` and `attributes` describe what was locked.
    bool Lock(const std::string& path, InPlaceReport& report) {
        path_ = path;
        guard_.access = FileAccess::Read;
        guard_.showErrors = false;
        if (!guard_.Open(path)) return false;
        if (!guard_.TryLockExclusive()) {
            const int code = GetLastError();
            return IsError(code, ErrorCondition::Locked) ? Report(report, InPlaceOutcome::Locked, code) : false;
        }
        return guard_.Identity(identity) && guard_.Attributes(attributes) && guard_.Birth(birth);
    }

    // The locked file, open for reading: what is checked before anything is written.
    FileRecord& Reader() { return guard_; }

    // Opens the locked file for writing; `saved` are the bits to put back.
    bool OpenForWriting(FileAttributes saved) {
        saved_ = saved;
        writable_ = true;
        if (!SetFileAttributesNormal(path_)) return false;
        file.access = FileAccess::ReadWrite;
        file.showErrors = false;
        FileIdentity opened;
        if (!file.Open(path_) || !file.Identity(opened)) return false;
        // The name was given to another file since it was locked.
        if (opened != identity) return FailWith(ErrorCondition::Busy);
        return true;
    }

    // The file's final length, its bits back, all of it on disk, closed.
    // Only what the run itself added is cut: a length that is neither
    // `workingLength`, which the run gave the file, nor the final one was
    // changed by another program meanwhile (bytes appended), and the file
    // keeps every byte then (`lengthChanged`).
    bool Complete(std::uint64_t length, std::uint64_t workingLength, bool& lengthChanged) {
        std::uint64_t now = 0;
        lengthChanged = false;
        if (!file.Size(now)) return false;
        if (now != length && now != workingLength) {
            lengthChanged = true;
            return FailWith(ErrorCondition::BadData);
        }
        if (now != length && !file.Truncate(length)) return false;
        if (saved_.ReadOnly() && !CopyFileAttributes(saved_, file)) return false;
        if (!file.Sync() || !file.Close()) return false;
        writable_ = false;
        return true;
    }

    FileIdentity identity;
    FileBirth birth;
    FileAttributes attributes;
    FileRecord file;

private:
    std::string path_;
    FileRecord guard_;
    FileAttributes saved_;
    bool writable_ = false;
};

// Both directions work within the encrypted length: encryption grows the
// file to it first, decryption cuts the file down from it at the end.
bool FinishWithJournal(HeldFile& held, InPlaceJournal& journal, const WindowPlan& plan, InPlaceReport& report) {
    const Direction direction = plan.GetDirection();
    bool lengthChanged = false;
    if (!held.Complete(plan.FinalLength(), plan.Layout().encryptedLength, lengthChanged))
        return Report(report, lengthChanged ? InPlaceOutcome::LengthChanged : InPlaceOutcome::Unfinished,
                      GetLastError(), direction);
    // The file is finished and on disk: whatever befalls the journal now,
    // the file is never called partly transformed.
    if (!journal.Remove()) return Report(report, InPlaceOutcome::JournalNotRemoved, GetLastError(), direction);
    return true;
}

// Whether the locked file is the one the journal serves, in a state the
// journal describes (see ResumeProof.h); checked through the reading handle,
// before the file is opened for writing or anything of it changes.
bool ProveFile(HeldFile& held, InPlaceJournal& journal, const WindowPlan& plan, const ResumePoint& point,
               FileProgress& progress, const CipherKey& key, bool& matches) {
    const JournalHeader& header = journal.Header();
    // A file made anew on the freed inode has another birth.
    matches = !header.birth.known || held.birth == header.birth;
    if (!matches) return true;
    JournaledWindows proving(plan, held.Reader(), journal, progress, key);
    if (!proving.Prepare()) return false;
    const auto computeFromFile = [&](const Window& window, std::uint64_t& checksum) {
        return proving.ChecksumFromFile(window, point, checksum);
    };
    return FileIsAsJournalSays(plan, held.Reader(), point, journal.Seal(), kCipherDelta, key, computeFromFile, matches);
}

// Finishes the transform the journal records.
bool Resume(HeldFile& held, InPlaceJournal& journal, FileProgress& progress, const CipherKey& key,
            InPlaceReport& report) {
    const JournalHeader& header = journal.Header();
    const Direction pending = header.direction;
    // A journal is named after its file's device and inode: one whose header
    // names others is damaged.
    if (header.identity != held.identity)
        return Report(report, InPlaceOutcome::JournalDamaged, ErrorCode(ErrorCondition::BadData), pending);
    const WindowPlan plan(pending, header.layout, static_cast<std::size_t>(header.windowBytes));
    ResumePoint point;
    bool intact = false;
    if (!journal.FindResumePoint(plan, point, intact))
        return Report(report, InPlaceOutcome::JournalUnreadable, GetLastError(), pending);
    if (!intact) return Report(report, InPlaceOutcome::JournalDamaged, ErrorCode(ErrorCondition::BadData), pending);
    if (!KeyMatches(header, kCipherDelta, key))
        return Report(report, InPlaceOutcome::WrongKey, ErrorCode(ErrorCondition::AccessDenied), pending);
    bool matches = false;
    if (!ProveFile(held, journal, plan, point, progress, key, matches)) return false;
    if (!matches) return Report(report, InPlaceOutcome::FileChanged, ErrorCode(ErrorCondition::BadData), pending);

    if (!held.OpenForWriting(FileAttributes{header.permissions})) return false;
    JournaledWindows windows(plan, held.file, journal, progress, key);
    if (!windows.Prepare()) return false;
    if (!windows.Resume(point)) return Report(report, InPlaceOutcome::Unfinished, GetLastError(), pending);
    return FinishWithJournal(held, journal, plan, report);
}

// A transform from the start: the journal is made durable before the first
// change to the file.
bool Start(Direction direction, HeldFile& held, const std::string& path, FileProgress& progress, const CipherKey& key,
           std::int32_t n, InPlaceReport& report) {
    FileRecord& file = held.file;
    std::uint64_t length = 0;
    if (!held.OpenForWriting(held.attributes) || !file.Size(length)) return false;
    FileLayout layout;
    const bool valid = direction == Direction::Encrypt
                           ? LayoutOfPlainFile(length, n, layout)
                           : LayoutOfEncryptedFile(file, length, kCipherDelta, key, n, layout);
    if (!valid) return false;
    // A file smaller than a window gets a window (and a journal) of its size.
    const std::uint64_t dataBytes = std::max<std::uint64_t>(layout.blockBytes, layout.encryptedLength - 1);
    const WindowPlan plan(direction, layout,
                          static_cast<std::size_t>(std::min<std::uint64_t>(InPlaceWindowBytes(), dataBytes)));
    JournalHeader header;
    header.direction = direction;
    header.blockWords = n;
    header.identity = held.identity;
    header.birth = held.birth;
    header.path = ResolvedPath(path);
    header.layout = layout;
    header.windowBytes = plan.WindowBytes();
    header.permissions = held.attributes.bits;
    MakeKeyCheck(header, kCipherDelta, key);

    InPlaceJournal journal;
    JournaledWindows windows(plan, file, journal, progress, key);
    if (!windows.Prepare()) return false;
    const std::string journalPath = JournalPathFor(held.identity);
    if (journalPath.empty() || !journal.Create(journalPath, header))
        return Report(report, InPlaceOutcome::JournalUnwritable,
                      journalPath.empty() ? ErrorCode(ErrorCondition::NotFound) : GetLastError());
    // Growing the file is its first change, so it comes after the first
    // record: a journal without a record then proves that the file still has
    // its first length.
    windows.BeforeFirstWrite(
        [&] { return direction == Direction::Decrypt || ReserveLength(file, length, layout.encryptedLength); });
    if (windows.RunAll()) return FinishWithJournal(held, journal, plan, report);
    const int code = GetLastError();
    if (windows.FileWritten()) return Report(report, InPlaceOutcome::Unfinished, code);
    // Nothing of the file changed but perhaps its length: it is put back as it
    // was, and only then the journal goes.
    std::uint64_t now = 0;
    if (!file.Size(now) || (now != length && (!file.Truncate(length) || !file.DataSync())) || !journal.Remove())
        return Report(report, InPlaceOutcome::Unfinished, code);
    return windows.JournalFailed() ? Report(report, InPlaceOutcome::JournalUnwritable, code) : FailWith(code);
}

// `direction` empty: only finish what is pending.
bool Transform(std::optional<Direction> direction, FileProgress& progress, const std::string& path,
               const CipherKey& key, std::int32_t n, bool& wasPending, InPlaceReport& report) {
    wasPending = false;
    HeldFile held;
    if (!held.Lock(path, report)) return false;
    const std::string journalPath = JournalPathFor(held.identity);
    InPlaceJournal journal;
    if (!journalPath.empty()) {
        // A journal whose creation a crash cut short never got as far as the
        // first change of the file: it is of no use.
        const std::string creation = JournalCreationPath(journalPath);
        if (PathIsTaken(creation) && !DeleteFile(creation))
            return Report(report, InPlaceOutcome::JournalUnreadable, GetLastError());
        // Anything under the journal's name, a link included, is looked at.
        if (PathIsTaken(journalPath)) {
            if (!journal.Open(journalPath, FileAccess::ReadWrite))
                return Report(report,
                              IsError(GetLastError(), ErrorCondition::BadData) ? InPlaceOutcome::JournalDamaged
                                                                               : InPlaceOutcome::JournalUnreadable,
                              GetLastError());
            wasPending = true;
        }
    }
    if (wasPending) {
        const Direction pending = journal.Header().direction;
        if (!Resume(held, journal, progress, key, report)) return false;
        if (direction && *direction != pending)
            return Report(report, InPlaceOutcome::FinishedOtherWay, ErrorCode(ErrorCondition::AlreadyDone), pending);
        return true;
    }
    return !direction || Start(*direction, held, path, progress, key, n, report);
}

// The failure of a transform that stopped at `report`: a failure with no
// outcome of its own carries the system's error that ended it.
InPlaceResult FailedAt(InPlaceReport report) {
    if (report.outcome == InPlaceOutcome::Done) report.code = GetLastError();
    return Failed(report);
}

InPlaceResult TransformInPlace(Direction direction, FileProgress& progress, const std::string& path,
                               const CipherKey& key, std::int32_t n, const ErrorReport* shownTo) {
    bool wasPending = false;
    InPlaceReport report;
    if (!Transform(direction, progress, path, key, n, wasPending, report)) {
        const InPlaceResult failed = FailedAt(report);
        ReportTransformFailure(shownTo, path);
        return failed;
    }
    progress.store(100);
    return {};
}

}  // namespace

InPlaceResult FinishPendingInPlace(FileProgress& progress, const std::string& path, const CipherKey& key,
                                   bool& wasPending) {
    InPlaceReport report;
    if (!Transform(std::nullopt, progress, path, key, 4, wasPending, report)) return FailedAt(report);
    progress.store(100);
    return {};
}

std::size_t InPlaceWindowBytes() { return windowBytes.load(); }

void SetInPlaceWindowBytes(std::size_t bytes) { windowBytes.store(bytes); }

InPlaceResult EncryptFileInPlace(FileProgress& progress, const std::string& path, const CipherKey& key, std::int32_t n,
                                 const ErrorReport* shownTo) {
    return TransformInPlace(Direction::Encrypt, progress, path, key, n, shownTo);
}

InPlaceResult DecryptFileInPlace(FileProgress& progress, const std::string& path, const CipherKey& key, std::int32_t n,
                                 const ErrorReport* shownTo) {
    return TransformInPlace(Direction::Decrypt, progress, path, key, n, shownTo);
}

}  // namespace tarvoss
