#include "batch/ItemProcessor.h"

#include <cstdint>
#include <string_view>

#include "batch/FailureDetail.h"
#include "batch/InPlaceItem.h"
#include "batch/RunState.h"
#include "cipher/InterruptedInPlaceRun.h"
#include "common/ShownName.h"
#include "common/Strings.h"
#include "platform/FileAttributes.h"
#include "platform/FileSystem.h"
#include "platform/LastError.h"

namespace tarvoss {
namespace {

// The transforms work on blocks of four 32-bit words.
constexpr std::int32_t kBlockWords = 4;

// `label` names the item should its copy fail to be named later. Without
// `grouped` the copy is flushed and named at once.
bool TransformToCopy(BatchRun& run, Direction direction, const std::string& source, const std::string& destination,
                     bool grouped, const std::string& label, std::shared_ptr<const FolderHandle> folder) {
    const DeferredName deferred{run.pendingCopies, label, std::move(folder)};
    return TransformFileToCopy(direction, run.state.filePercent, source, destination, run.key, kBlockWords, nullptr,
                               grouped ? &deferred : nullptr, &run.state.AbandonCopy);
}

std::pair<std::uint64_t, std::uint64_t> Key(const FileIdentity& identity) { return {identity.device, identity.inode}; }

// True when `destination` is a copy whose source this run has deleted.
bool IsSoleCopy(const BatchRun& run, const std::string& destination) {
    FileIdentity identity;
    return !run.soleCopies.empty() && GetFileIdentity(destination, identity) && run.soleCopies.contains(Key(identity));
}

std::string TrimLineBreaks(std::string_view text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.remove_suffix(1);
    return std::string(text);
}

// The box (when errors are shown), the failure mark and the detail line.
void ReportFailure(BatchRun& run, const std::string& head, const std::string& source, std::string_view detail) {
    if (run.host.ShowErrors())
        run.host.ShowError(head + " \"" + source + "\":\r\n" + std::string(detail), std::string(kErrorCaption));
    run.host.AppendToLog(run.texts.cryptingError);
    // System descriptions end in a line break; the log line is the text alone.
    run.host.AddLogLine(TrimLineBreaks(detail));
    ++run.failedItems;
}

void DeleteSource(BatchRun& run, Direction direction, ItemSource& source, const std::string& copy) {
    const std::string shown = ShownPath(source.Path());
    run.host.AddLogLine(run.texts.deletingFile + " \"" + shown + "\"... ");
    SetLastError(0);
    switch (source.Remove(direction)) {
    case SourceRemoval::Removed: {
        FileIdentity identity;
        if (GetFileIdentity(copy, identity)) run.soleCopies.insert(Key(identity));
        run.host.AppendToLog("OK");
        return;
    }
    case SourceRemoval::NoTrash:
        ReportFailure(run, std::string(kCannotDeleteSource), shown, run.texts.noTrashForSource);
        return;
    case SourceRemoval::Failed:
        ReportFailure(run, std::string(kCannotDeleteSource), shown, LastErrorText(kEncryptionFailedDetail));
        return;
    }
}

// A file whose in-place run was interrupted may be partly transformed: it is
// neither copied nor deleted. Looked at before anything of it is read.
bool InPlaceRunInterrupted(const ItemSource& source) {
    FileIdentity identity;
    return source.Identify(identity) && InPlaceRunInterrupted(identity);
}

void ReportUnnamedCopies(BatchRun& run, Direction direction, const std::vector<PendingCopies::Failure>& failures) {
    for (const PendingCopies::Failure& failure : failures) {
        // The item's line said "OK" when its copy was complete; the copy did
        // not get its name, so the item is reported again, as failed.
        run.host.AddLogLine(run.texts.FileLine(direction) + " \"" + failure.label + "\"... ");
        SetLastError(failure.error);
        ReportFailure(run, run.texts.ErrorWhile(direction), failure.label, SystemFailureDetail(run.texts));
    }
}

}  // namespace

void ProcessItem(BatchRun& run, Direction direction, const ItemPaths& paths) {
    RunHost& host = run.host;
    ItemSource item(paths.source, paths.walked);
    const std::string source = ShownPath(item.Path());  // for the log and messages only
    const std::string destination = paths.destination + std::string(item.Name());

    host.SetCurrentFileName(ShownName(item.Name()));
    host.AddLogLine(run.texts.FileLine(direction) + " \"" + source + "\"... ");

    const bool copyMode = host.Mode() == ProcessingMode::Copy;
    bool done = false;
    std::string detail;  // set where the run knows more than the system's error
    if (!copyMode) {
        // A walked file is transformed through the handle the walk opened,
        // never through its name, which may stand for something else by now.
        done = item.Hold() && TransformItemInPlace(run, direction, item.ReadPath(), detail);
    } else if (!item.Hold()) {
        // A walked file that is gone, or no longer the file that was listed.
    } else if (InPlaceRunInterrupted(item)) {
        detail = run.texts.unfinishedInPlaceRun;
    } else if (IsSoleCopy(run, destination)) {
        // Two sources of this run map to one copy: overwriting it would lose
        // the first file for good, since its source is gone.
        FailWith(ErrorCondition::Exists);
    } else {
        // An existing read-only copy is replaced like any other file (but the
        // source itself keeps its attributes when it is named as its own copy).
        if (!IsSameFile(item.ReadPath(), destination)) SetEntryAttributesNormal(destination);
        // A copy whose source is to be deleted is named at once: it is read
        // back by name before the source goes.
        done = TransformToCopy(run, direction, item.ReadPath(), destination, !host.DeleteSources(), source,
                               paths.destinationFolder);
    }

    // Sources are deleted only after copies made in copy mode, and only once
    // the copy is on disk and reads back to the source's bytes.
    const bool deleteSource = done && copyMode && host.DeleteSources();
    // A copy that fails the check stays where it is: the source is kept, and
    // when the source itself has become unreadable the copy may be all there is.
    if (deleteSource && !ConfirmCopy(direction, item.ReadPath(), destination, run.key, kBlockWords)) done = false;
    if (!done) {
        if (detail.empty()) detail = ItemFailureDetail(run.texts, direction, item.ReadPath());
        ReportFailure(run, run.texts.ErrorWhile(direction), source, detail);
        return;
    }
    host.AppendToLog("OK");
    if (deleteSource) DeleteSource(run, direction, item, destination);
    if (run.pendingCopies.Full()) ReportUnnamedCopies(run, direction, run.pendingCopies.NameInBackground());
}

void NameWaitingCopies(BatchRun& run, Direction direction) {
    ReportUnnamedCopies(run, direction, run.pendingCopies.NameAll());
}

void ReportUnreadableFolder(BatchRun& run, Direction direction, const std::string& folder) {
    const std::string reason = SystemFailureDetail(run.texts);
    const std::string shown = ShownPath(folder);
    run.host.AddLogLine(run.texts.FileLine(direction) + " \"" + shown + "\"... ");
    ReportFailure(run, run.texts.ErrorWhile(direction), shown, reason);
}

}  // namespace tarvoss
