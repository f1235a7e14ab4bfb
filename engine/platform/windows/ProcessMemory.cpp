#include "platform/ProcessMemory.h"

#include <windows.h>

namespace tarvoss {

void SecureZero(void* data, std::size_t size) { ::SecureZeroMemory(data, size); }

// A crash shows no error-report dialog and writes no report that could carry
// the key's bytes off the machine. Other processes of the same user can
// still read this one's memory: Windows lets a user's processes open one
// another unless the user's own security settings say otherwise.
void KeepProcessMemoryPrivate() { ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX); }

}  // namespace tarvoss
