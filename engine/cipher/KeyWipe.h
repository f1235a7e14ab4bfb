#pragma once
// Wiping the key as typed once it has been assembled (the key words wipe
// themselves, see CipherKey.h).

#include "cipher/KeyMaterial.h"
#include "common/Wipe.h"

namespace tarvoss {

inline void Wipe(KeyEntry& entry) {
    for (std::string& part : entry.parts) WipeText(part);
}

// Wipes the object's bytes when it goes out of scope.
template <typename T>
class WipedAtExit {
public:
    explicit WipedAtExit(T& value) : value_(value) {}
    ~WipedAtExit() { Wipe(value_); }
    WipedAtExit(const WipedAtExit&) = delete;
    WipedAtExit& operator=(const WipedAtExit&) = delete;

private:
    T& value_;
};

}  // namespace tarvoss
