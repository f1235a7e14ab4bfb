#pragma once
// Size of the area in which the main window shows one page at a time.

namespace tarvoss {

inline constexpr int kPageWidth = 528;
inline constexpr int kPageHeight = 363;

}  // namespace tarvoss
