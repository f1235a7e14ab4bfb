#include "platform/ProcessMemory.h"

#include <string.h>
#include <sys/prctl.h>

namespace tarvoss {

void SecureZero(void* data, std::size_t size) { ::explicit_bzero(data, size); }

// A process that is not dumpable writes no core and refuses ptrace from
// processes without privilege.
void KeepProcessMemoryPrivate() { ::prctl(PR_SET_DUMPABLE, 0, 0, 0, 0); }

}  // namespace tarvoss
