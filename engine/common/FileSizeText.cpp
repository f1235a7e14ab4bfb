#include "common/FileSizeText.h"

#include <charconv>
#include <system_error>

namespace tarvoss {

std::string FormatFixed2(double value) {
    // Fixed formatting with a precision rounds the exact binary value, ties to
    // even, as printf does in the C locale.
    char buffer[400];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 2);
    if (error != std::errc()) return "0.00";
    return std::string(buffer, end);
}

std::string FileSizeText(std::uint64_t bytes, const SizeUnits& units) {
    // Scaling by a power of two is exact for every length below 2^53.
    const double size = static_cast<double>(bytes);
    if (bytes < kBytesPerMegabyte) return " " + FormatFixed2(size / 1024.0) + " " + units.kilobytes;
    if (bytes < kBytesPerGigabyte) {
        return " " + FormatFixed2(size / 1048576.0) + " " + units.megabytes;
    }
    return " " + FormatFixed2(size / 1073741824.0) + " " + units.gigabytes;
}

}  // namespace tarvoss
