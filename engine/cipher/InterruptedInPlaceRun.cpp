#include "cipher/InterruptedInPlaceRun.h"

#include <string>

#include "cipher/InPlaceJournal.h"
#include "platform/FileAttributes.h"
#include "platform/LastError.h"

namespace tarvoss {

bool InPlaceRunInterrupted(const FileIdentity& identity) {
    const std::string journal = JournalPathFor(identity);
    if (journal.empty()) return false;  // no home folder: no journal was ever written
    const KeepLastError keep;
    if (EntryExists(journal)) return true;
    // A missing name, or a state folder that is no folder at all, holds no journal.
    const int code = GetLastError();
    return !IsError(code, ErrorCondition::NotFound) && !IsError(code, ErrorCondition::NotFolder);
}

}  // namespace tarvoss
