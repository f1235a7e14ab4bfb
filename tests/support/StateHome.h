#pragma once
// Points the user's state folder (and so the recovery journals) into a
// temporary folder for the life of the object.

#include "support/TempDir.h"

#include <cstdlib>
#include <optional>
#include <string>

namespace tarvoss::testing {

class StateHome {
public:
    StateHome() {
        if (const char* old = std::getenv("XDG_STATE_HOME")) old_ = old;
        ::setenv("XDG_STATE_HOME", dir_.path().c_str(), 1);
    }
    ~StateHome() {
        if (old_)
            ::setenv("XDG_STATE_HOME", old_->c_str(), 1);
        else
            ::unsetenv("XDG_STATE_HOME");
    }
    StateHome(const StateHome&) = delete;
    StateHome& operator=(const StateHome&) = delete;

    std::string JournalFolder() const { return dir_ / "tarvoss/journal"; }

private:
    TempDir dir_;
    std::optional<std::string> old_;
};

}  // namespace tarvoss::testing
