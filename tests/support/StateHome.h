#pragma once
// Points the user's state folder (and so the recovery journals) into a
// temporary folder for the life of the object.

#include <string>

#include "support/ScopedEnvironment.h"
#include "support/TempDir.h"

namespace tarvoss::testing {

class StateHome {
public:
#ifdef _WIN32
    StateHome() : variable_("LOCALAPPDATA", dir_.path().generic_string()) {}
    std::string JournalFolder() const { return dir_ / "Tarvoss/journal"; }
#else
    StateHome() : variable_("XDG_STATE_HOME", dir_.path()) {}
    std::string JournalFolder() const { return dir_ / "tarvoss/journal"; }
#endif

private:
    TempDir dir_;
    ScopedEnvironment variable_;
};

}  // namespace tarvoss::testing
