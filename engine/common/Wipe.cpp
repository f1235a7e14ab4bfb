#include "common/Wipe.h"

#include "platform/ProcessMemory.h"

namespace tarvoss {

void WipeBytes(void* data, std::size_t size) {
    if (data != nullptr && size > 0) SecureZero(data, size);
}

void WipeText(std::string& text) {
    // capacity() counts the characters the buffer holds besides its final
    // zero, which belongs to it as well.
    WipeBytes(text.data(), text.capacity() + 1);
    text.clear();
}

void HoldKeyInProcess() { KeepProcessMemoryPrivate(); }

}  // namespace tarvoss
