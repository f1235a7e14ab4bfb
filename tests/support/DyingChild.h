#pragma once
// Runs a piece of work in a child process that ends, without any clean-up,
// just before step `dieAt` of the file layer (see platform/FileSteps.h): the
// nearest a test gets to a kill at a chosen instant.

#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <functional>

#include "platform/FileSteps.h"

namespace tarvoss::testing {

// False when the child ended otherwise than at that step or at the end of
// the work. `finished` (when given) tells whether the work was done before
// step `dieAt` came.
inline bool RunDyingAtStep(int dieAt, const std::function<void()>& work, bool* finished = nullptr) {
    const pid_t child = ::fork();
    if (child == 0) {
        std::atomic<int> seen{0};
        SetFileStepHook([&](const FileStepEvent&) {
            if (++seen == dieAt) ::_exit(0);
            return 0;
        });
        work();
        ::_exit(3);
    }
    int status = 0;
    if (child <= 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status)) return false;
    if (finished != nullptr) *finished = WEXITSTATUS(status) == 3;
    return WEXITSTATUS(status) == 0 || WEXITSTATUS(status) == 3;
}

}  // namespace tarvoss::testing
