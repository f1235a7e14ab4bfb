#include "shell/ProgramArguments.h"

#include "desktop/ProductInfo.h"

namespace tarvoss {

ProgramArguments::ProgramArguments(int argc, char** argv)
    : name_(argc > 0 && argv[0] != nullptr ? argv[0] : kProductName) {
    qtArgv_ = {name_.data(), nullptr};
    for (int i = 1; i < argc; ++i) {
        if (argv[i] != nullptr) paths_.emplace_back(argv[i]);
    }
}

}  // namespace tarvoss
