#pragma once
// One file of a run transformed where it lies: at most once per run, however
// many rows, folders or links reach it, and with the detail line that says
// what became of the file when it failed.

#include <string>

#include "batch/BatchRun.h"
#include "batch/RunTexts.h"
#include "cipher/FileTransforms.h"
#include "cipher/InPlaceOutcome.h"

namespace tarvoss {

// False on failure, with `detail` the line the user reads when the journal
// or the run knows more than the system's error (left empty otherwise).
bool TransformItemInPlace(BatchRun& run, Direction direction, const std::string& path, std::string& detail);

}  // namespace tarvoss
