#pragma once
// Keeping key bytes out of reach: wiping them where the compiler cannot drop
// the wipe as a dead store, and keeping the process out of core dumps while it
// holds a key.

#include <cstddef>
#include <string>
#include <vector>

namespace tarvoss {

void WipeBytes(void* data, std::size_t size);
// Wipes every byte the string owns (its whole capacity, so leftovers of a
// longer earlier content go too), then empties it.
void WipeText(std::string& text);

// Marks the process as holding a key: no core dump, and no other process of
// the same user may attach to it or read its memory. Lasts until exit.
void HoldKeyInProcess();

inline void Wipe(std::string& text) { WipeText(text); }
inline void Wipe(std::vector<std::string>& texts) {
    for (std::string& text : texts) WipeText(text);
}

}  // namespace tarvoss
