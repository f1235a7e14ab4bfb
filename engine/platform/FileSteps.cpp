#include "platform/FileSteps.h"

#include <utility>

#include "platform/LastError.h"

namespace tarvoss {
namespace {

FileStepHook& Hook() {
    static FileStepHook hook;
    return hook;
}

}  // namespace

void SetFileStepHook(FileStepHook hook) { Hook() = std::move(hook); }

bool PassFileStep(const FileStepEvent& event) {
    const FileStepHook& hook = Hook();
    if (!hook) return true;
    const int code = hook(event);
    return code == 0 ? true : FailWith(code);
}

}  // namespace tarvoss
