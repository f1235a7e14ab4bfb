#include "platform/ProgramArguments.h"

namespace tarvoss {

// The bytes of argv are the names as the system keeps them.
std::vector<std::string> ProgramArguments(int argc, char** argv) { return {argv + 1, argv + argc}; }

// The system shows argv itself, which the caller wipes.
void WipeFromCommandLine(std::string_view) {}

}  // namespace tarvoss
