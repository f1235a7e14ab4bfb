#pragma once
// The source file of one item, found either by its path (a file row of the
// list: a link the user listed is taken as the file it names) or by name in a
// folder that a walk holds open. A walked source is opened relative to that
// folder's handle and held open from the check to the end of the item, so the
// transform, the check of the copy and the removal all reach the very file
// the walk listed, and never anything a link in its place points to.

#include <cstdint>
#include <string>
#include <string_view>

#include "cipher/FileTransforms.h"
#include "platform/FileSystem.h"
#include "platform/FolderHandle.h"

namespace tarvoss {

// A file met by a walk: its folder's handle and what the listing saw.
struct WalkedFile {
    const FolderHandle& folder;
    const DirectoryEntry& entry;
};

// How the removal of a source ended.
enum class SourceRemoval {
    Removed,  // deleted, or moved to the trash
    Failed,   // still there; the last error says why
    NoTrash,  // a decrypted source that no trash can take: kept where it is
};

class ItemSource {
public:
    // `path` is the file's full path; `walked` is null for a file row of the
    // list. The path is split into its folder and name here, once.
    ItemSource(std::string path, const WalkedFile* walked);

    // The path the user sees in the log.
    const std::string& Path() const { return path_; }
    // The file's name: the part of the path after its folder.
    std::string_view Name() const { return std::string_view(path_).substr(nameAt_); }
    // Opens and checks a walked source (a file row needs nothing); false with
    // the last error set when it is gone or is no longer the listed file.
    bool Hold();
    // The path the transforms reach the source through: for a walked source
    // the held file itself ("/proc/self/fd/N" names exactly that open file,
    // whatever its name stands for by now).
    std::string ReadPath() const;
    // The device and inode of the source: for a walked source those of the
    // held file, for a file row those its path leads to now. False with the
    // last error set when a file row's path leads nowhere.
    bool Identify(FileIdentity& identity) const;
    // Removes the source after its copy was made: a decrypted source goes to
    // the trash (it may be the only form of the data should the key have been
    // wrong) and stays where it is when no trash can take it; an encrypted
    // plain source is deleted.
    SourceRemoval Remove(Direction direction);

private:
    SourceRemoval RemoveFrom(const FolderHandle& folder, const std::string& name, Direction direction);

    std::string path_;
    std::size_t nameAt_;  // where the name starts in path_
    const WalkedFile* walked_;
    FileRecord held_;
};

}  // namespace tarvoss
