#pragma once
// The size column of the file list: a file's length in kilobytes, megabytes or
// gigabytes with two decimals, after one leading space (" 1.50 MB").

#include <cstdint>
#include <string>

namespace tarvoss {

// A non-negative number with exactly two decimals and a point ("0.12",
// "1024.00"), rounded to the nearest hundredth; an exact half goes to the
// even last digit. The point never depends on the locale.
std::string FormatFixed2(double value);

// The unit names, as the language in use spells them.
struct SizeUnits {
    std::string kilobytes = "KB";
    std::string megabytes = "MB";
    std::string gigabytes = "GB";
};

inline constexpr std::uint64_t kBytesPerMegabyte = 1ull << 20;
inline constexpr std::uint64_t kBytesPerGigabyte = 1ull << 30;

// One space, then the size in the largest unit it reaches: kilobytes below
// 1,048,576 bytes, megabytes from there below 1,073,741,824 bytes, gigabytes
// from there on. The full 64-bit length counts, so a file of 4 GiB or more
// shows its real size.
std::string FileSizeText(std::uint64_t bytes, const SizeUnits& units);

}  // namespace tarvoss
