#include "batch/BatchWorker.h"

#include <new>
#include <optional>
#include <string>

#include "batch/BatchRun.h"
#include "batch/DiskRoots.h"
#include "batch/EndRunOnStop.h"
#include "batch/FolderWalk.h"
#include "batch/ItemProcessor.h"
#include "batch/RunState.h"
#include "common/ShownName.h"
#include "platform/FileAttributes.h"
#include "platform/FileSystem.h"
#include "platform/PathText.h"

namespace tarvoss {
namespace {

// The destination directory as the run uses it: always ending in "/".
std::string DestinationDirectory(const std::string& typed) {
    std::string directory = typed;
    if (directory.empty() || directory.back() != '/') directory += '/';
    return directory;
}

// Remembers which folders hold this row's copies, so the walk skips them.
void GuardCopies(BatchRun& run, bool copyMode, const std::string& directory, const std::string& target) {
    run.copyFolders.clear();
    if (!copyMode) return;
    for (const std::string& path : {directory, target}) {
        FileIdentity identity;
        if (GetFileIdentity(path, identity)) run.copyFolders.push_back(identity);
    }
}

class RowLoop {
public:
    RowLoop(BatchRun& run, const RunInputs& inputs)
        : run_(run),
          host_(run.host),
          direction_(inputs.direction),
          directory_(DestinationDirectory(inputs.destination)) {}

    RunOutcome Run() {
        host_.ReloadSettings();
        host_.SetActionButton(true);
        host_.ClearLog();
        host_.SetStopVisible(true);
        host_.SetTotalRange(host_.RowCount());

        // The count is read again before every row: rows the user removes or
        // adds during the run change the number of rounds.
        for (std::size_t index = 0; host_.RowCount() > index; ++index) {
            const std::optional<RunRow> row = host_.Row(index);
            if (!row) break;
            if (run_.state.StopRequested) EndRunOnStop(run_, direction_);
            if (!ProcessRow(*row)) {
                NameWaitingCopies(run_, direction_);
                return RunOutcome::Abandoned;
            }
            host_.StepTotal();
        }

        // Every copy has its name before the run says it is finished.
        NameWaitingCopies(run_, direction_);
        host_.AddLogLine("");  // shows as an empty line before the finish line
        const bool encrypted = direction_ == Direction::Encrypt && host_.ChosenAction() == Direction::Encrypt;
        host_.AddLogLine(encrypted ? run_.texts.wasSuccessfullyEncrypted : run_.texts.wasSuccessfullyDecrypted);
        host_.SetActionButton(false);
        host_.SetStopVisible(false);
        host_.SetCurrentFileName("-");
        run_.state.RunUnfinished = false;
        return RunOutcome::Completed;
    }

private:
    // False when the run must be abandoned.
    bool ProcessRow(const RunRow& row) {
        const bool copyMode = host_.Mode() == ProcessingMode::Copy;
        switch (row.kind) {
        case RowKind::File: ProcessItem(run_, direction_, {row.path, directory_}); return true;
        case RowKind::Folder:
            // Its copies go to a folder of its name.
            return WalkRow(copyMode, row.path, row.path.substr(FolderOfPath(row.path).size()));
        case RowKind::DiskRoot:
            // Its copies go to its disk folder ("[ Disk usb ]"), whose name
            // later rows keep.
            if (copyMode) diskFolderName_ = DiskFolderName(row.path);
            return WalkRow(copyMode, DriveCut(row.path), diskFolderName_);
        }
        return true;
    }

    // Walks `folder` (without its final "/") into the target folder `name`
    // of the destination directory; false when the run must be abandoned.
    bool WalkRow(bool copyMode, const std::string& folder, const std::string& name) {
        const std::string target = directory_ + name;
        if (copyMode && !MakeTargetFolder(target)) return false;
        GuardCopies(run_, copyMode, directory_, target);
        WalkFolder(run_, direction_, folder, target);
        return true;
    }

    // Creates the row's target folder (an existing one is used). When there is
    // no folder there afterwards, the run is abandoned with a message.
    bool MakeTargetFolder(const std::string& path) {
        CreateDirectory(path);
        if (IsDirectory(path)) return true;
        host_.ShowError(CannotCreateFolderText(ShownPath(path)), std::string(kErrorCaption));
        return false;
    }

    BatchRun& run_;
    RunHost& host_;
    Direction direction_;
    std::string directory_;
    std::string diskFolderName_;  // keeps its value for later rows
};

}  // namespace

RunResult RunWorker(RunHost& host, RunState& state, RunInputs inputs) {
    BatchRun run(host, state, inputs);
    const Direction direction = inputs.direction;
    try {
        const RunOutcome outcome = RowLoop(run, inputs).Run();
        return {outcome, run.failedItems};
    } catch (const RunStopped&) {
        return {RunOutcome::Stopped, run.failedItems};
    } catch (const std::bad_alloc&) {
        try {
            NameWaitingCopies(run, direction);
            host.ShowError(std::string(kOutOfMemory), std::string(kErrorCaption));
            host.SetActionButton(false);
            host.SetStopVisible(false);
        } catch (const std::bad_alloc&) {
            // Nothing more can be said; the run ends all the same.
        }
        return {RunOutcome::OutOfMemory, run.failedItems};
    }
}

}  // namespace tarvoss
