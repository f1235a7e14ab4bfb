#pragma once
// What the user has chosen for the next run: the list of files and folders,
// the type of processing, the destination directory of copies, whether the
// sources are deleted, the action and the key as typed. The Files and
// Parameters pages edit it; the start checks, the key generator and the run
// read it (and the key generator puts a key in it). The main window owns the
// one the program uses; a page made on its own makes its own. Window thread only.

#include <QObject>
#include <optional>
#include <string>

#include "batch/RunHost.h"
#include "cipher/FileTransforms.h"
#include "cipher/KeyMaterial.h"

namespace tarvoss {

class FileListModel;

// The one algorithm the program offers.
inline constexpr char kAlgorithmName[] = "XTEA";

class RunChoices : public QObject {
    Q_OBJECT
public:
    // The choices a check can point out to the user.
    enum class Choice { Items, Destination, Action, KeyPart };

    explicit RunChoices(QObject* parent = nullptr);

    // The rows of the list, in the order they were added.
    FileListModel& Items() { return *items_; }
    const FileListModel& Items() const { return *items_; }

    ProcessingMode Mode() const { return mode_; }
    void SetMode(ProcessingMode mode) { mode_ = mode; }
    // The destination directory as typed; it may or may not end in "/".
    const std::string& Destination() const { return destination_; }
    void SetDestination(std::string destination) { destination_ = std::move(destination); }
    bool DeleteSources() const { return deleteSources_; }
    void SetDeleteSources(bool deleteSources) { deleteSources_ = deleteSources; }

    // The entry of the action list: 0 Encryption, 1 Decryption, -1 none.
    int Action() const { return action_; }
    void SetAction(int action) { action_ = action; }
    // The direction of the chosen action; nothing while none is chosen.
    std::optional<Direction> ChosenDirection() const;

    // The key as typed: the entries of the two lists and the real texts of
    // the five parts.
    const KeyEntry& Key() const { return key_; }
    // For the page that edits the key: keeps what the page shows.
    void SetKey(KeyEntry key) { key_ = std::move(key); }
    // A key made elsewhere (the key generator): kept, and shown by the page
    // that edits the key.
    void ReplaceKey(KeyEntry key);

    // Asks the page that shows `choice` to mark it for the user's attention;
    // `part` is the key part (1 to 5) for Choice::KeyPart.
    void PointOut(Choice choice, int part = 0);

signals:
    void keyReplaced();
    void pointedOut(RunChoices::Choice choice, int part);

private:
    FileListModel* items_;
    ProcessingMode mode_ = ProcessingMode::Copy;
    std::string destination_;
    bool deleteSources_ = false;
    int action_ = -1;
    KeyEntry key_;
};

}  // namespace tarvoss
