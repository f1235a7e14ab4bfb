#pragma once
// What a run takes once, when it starts: the direction, the destination
// directory, the key words and the texts of its log. The window fills it from
// its pages when the user starts a run, the command line from its options,
// and the worker gets it by value. What the user may still change while the
// run goes on (the list's rows, the processing mode, the deletion and
// error-box choices, the action chosen, Stop) the run asks its host for
// whenever it needs it (RunHost.h).

#include <string>

#include "batch/RunTexts.h"
#include "cipher/CipherKey.h"
#include "cipher/FileTransforms.h"

namespace tarvoss {

struct RunInputs {
    Direction direction = Direction::Encrypt;
    // The destination directory as typed; it may or may not end in "/".
    std::string destination;
    // Assembled and checked where the key was typed or given.
    CipherKey key;
    RunTexts texts;
};

}  // namespace tarvoss
