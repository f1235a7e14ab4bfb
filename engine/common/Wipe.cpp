#include "common/Wipe.h"

#include <string.h>
#include <sys/prctl.h>

namespace tarvoss {

void WipeBytes(void* data, std::size_t size) {
    if (data != nullptr && size > 0) ::explicit_bzero(data, size);
}

void WipeText(std::string& text) {
    // capacity() counts the characters the buffer holds besides its final
    // zero, which belongs to it as well.
    WipeBytes(text.data(), text.capacity() + 1);
    text.clear();
}

void HoldKeyInProcess() { ::prctl(PR_SET_DUMPABLE, 0, 0, 0, 0); }

}  // namespace tarvoss
