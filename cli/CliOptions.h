#pragma once
// What the command line asked for, before the key and paths are checked.

#include <string>
#include <vector>

#include "cipher/FileTransforms.h"

namespace tarvoss::cli {

struct CliOptions {
    bool help = false;
    bool recover = false;  // "recover": finish interrupted in-place transforms
    bool list = false;     // recover --list
    bool discard = false;  // recover --discard FILE...: drop the journals of these files
    bool version = false;
    Direction direction = Direction::Encrypt;
    bool inPlace = false;
    std::string destination;  // --to DIR; empty when not given
    bool deleteSources = false;
    bool quiet = false;
    std::string keyType = "numerical";
    std::string keyLength = "128";
    std::string key;
    bool keyGiven = false;
    bool keyFromStdin = false;
    std::vector<std::string> paths;
};

}  // namespace tarvoss::cli
