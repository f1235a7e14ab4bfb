#pragma once
// The four file transforms: encrypting and decrypting a file where it lies, or
// into a copy.
//
// Encrypted layout, with B = 4n bytes per block (16 for n = 4) and a plain
// file of L bytes: one header byte holding L mod B, then the plain bytes in
// blocks of B, each encrypted on its own, the last one filled up with zero
// bytes. The encrypted file is 1 + B * ceil(L / B) bytes long.
//
// Every transform returns true only when it is completely done. On failure it
// returns false with the thread's last error set:
//   kNotEncryptedFile  decrypting a file that does not have the layout, or
//                      whose last block does not decrypt to zero padding
//                      under this key (wrong key or damaged file);
//   TooLarge           the file, or what it would become, reaches 4 GiB;
//   kSameFileError     a copy whose destination is its source;
//   Canceled           the copy was abandoned (see `abandon` below);
//   otherwise the error of the system call that failed.
// A refused file is left as it was; a failed copy leaves no destination file
// behind and keeps an older destination as it was.
//
// With a `report`, a failure is also reported: a file without the layout in
// an error box ("The specified file has an invalid format:"), any other as a
// system error; without one (nullptr) nothing is shown.

#include "cipher/CipherKey.h"
#include "cipher/Direction.h"
#include "cipher/FileProgress.h"
#include "cipher/InPlaceOutcome.h"
#include "platform/ErrorCondition.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

namespace tarvoss {

class ErrorReport;

inline const int kNotEncryptedFile = ErrorCode(ErrorCondition::BadData);
inline const int kSameFileError = ErrorCode(ErrorCondition::InvalidArgument);

// In place: the file's permission bits are saved, owner-write is added for the
// run and the saved bits are put back. Encryption reserves the grown length on
// disk before the first byte changes, so a full disk refuses the file as it was.
// Their failure carries what became of the file and its journal (InPlaceOutcome.h).
InPlaceResult EncryptFileInPlace(FileProgress& progress, const std::string& path, const CipherKey& key, std::int32_t n,
                                 const ErrorReport* report);
InPlaceResult DecryptFileInPlace(FileProgress& progress, const std::string& path, const CipherKey& key, std::int32_t n,
                                 const ErrorReport* report);

class FolderHandle;
class PendingCopies;

// A new copy that is named later as one of a group (see PendingCopies.h);
// `label` names it should that fail. `folder`, when given, is the open
// destination folder (the one the destination's path leads to), which the
// copy is then named in without opening it again.
struct DeferredName {
    PendingCopies& copies;
    std::string label;
    std::shared_ptr<const FolderHandle> folder;
};

// Into a copy: the source is only read. The copy is written without a name,
// or under a temporary name in the destination's folder, gets the source's
// permission bits, and takes the name `destination` only once it is complete
// and flushed to the disk. With `deferred`, a new copy (not one that replaces
// a file) is handed to its group when it is complete, and is flushed and
// named there.
//
// `abandon`, when given, is set from another thread (the command line's second
// Ctrl+C) to abandon the copy in progress at once: the copy then fails,
// removes its partial destination, last error Canceled. A copy clears it when
// it starts, so a request meant for an earlier copy abandons nothing. (In-place
// transforms take no such request: a half-transformed file would be lost.)
bool EncryptFileToCopy(FileProgress& progress, const std::string& source, const std::string& destination,
                       const CipherKey& key, std::int32_t n, const ErrorReport* report,
                       std::atomic<bool>* abandon = nullptr);
bool DecryptFileToCopy(FileProgress& progress, const std::string& source, const std::string& destination,
                       const CipherKey& key, std::int32_t n, const ErrorReport* report,
                       std::atomic<bool>* abandon = nullptr);
bool TransformFileToCopy(Direction direction, FileProgress& progress, const std::string& source,
                         const std::string& destination, const CipherKey& key, std::int32_t n,
                         const ErrorReport* report, const DeferredName* deferred, std::atomic<bool>* abandon = nullptr);

// Before a source is deleted: makes the finished copy durable (fsync of the file and of its folder) and
// reads it back to check that it transforms back to the source's bytes (an encrypted copy decrypts to the
// source; a decrypted copy encrypts to the source). False (last error set) when any of it fails; a copy
// whose bytes do not match fails with EIO.
bool ConfirmCopy(Direction direction, const std::string& source, const std::string& destination, const CipherKey& key,
                 std::int32_t n);

}  // namespace tarvoss
