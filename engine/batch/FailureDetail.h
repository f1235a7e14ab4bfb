#pragma once
// The detail line under a file that failed in a run.

#include <string>
#include <string_view>

#include "batch/RunTexts.h"
#include "cipher/FileTransforms.h"

namespace tarvoss {

// Called right after the transform of `source` failed, and named after what
// the thread's last error says: a file too large for the encrypted layout; a
// file being decrypted that does not have the layout ("Read error. Maybe the
// file was never encrypted."); a read that failed ("Read error:" and the
// system's reason); any other system error in the system's own words; and
// "System error has occurred." only where the system gave no code. The last
// error is left as the transform set it.
std::string ItemFailureDetail(const RunTexts& texts, Direction direction, const std::string& source);

// The system's description of the thread's last error (ending in CR LF),
// marked as a read where it was one; "System error has occurred." when the
// last error is 0.
std::string SystemFailureDetail(const RunTexts& texts);

}  // namespace tarvoss
