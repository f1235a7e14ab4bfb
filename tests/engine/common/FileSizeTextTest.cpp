#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "common/FileSizeText.h"

namespace tarvoss {
namespace {

TEST(FormatFixed2, RoundsToHundredthsWithTiesToEven) {
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {0.0, "0.00"},
        {0.125, "0.12"},  // exact half: down to the even digit
        {0.375, "0.38"},  // exact half: up to the even digit
        {2.5, "2.50"},
        {0.999, "1.00"},
        {1023.9990234375, "1024.00"},
        {0.005, "0.01"},  // 0.005 lies just above the half in binary
        {4294967296.0, "4294967296.00"},
    };
    for (const auto& c : cases) EXPECT_EQ(FormatFixed2(c.value), c.text) << c.value;
}

TEST(FileSizeText, PicksTheUnitByRange) {
    const SizeUnits units;
    const struct {
        std::uint64_t bytes;
        const char* text;
    } cases[] = {
        {0, " 0.00 KB"},
        {128, " 0.12 KB"},
        {1048575, " 1024.00 KB"},
        {1048576, " 1.00 MB"},  // the boundary belongs to the larger unit
        {1048577, " 1.00 MB"},
        {1572864, " 1.50 MB"},
        {1073741823, " 1024.00 MB"},
        {1073741824, " 1.00 GB"},
        {1073741825, " 1.00 GB"},
        // 4 GiB and more: the whole length counts, not its low 32 bits.
        {4294967296ull, " 4.00 GB"},
        {4294967296ull + 1024, " 4.00 GB"},
        {5ull << 40, " 5120.00 GB"},
    };
    for (const auto& c : cases) EXPECT_EQ(FileSizeText(c.bytes, units), c.text) << c.bytes;
}

TEST(FileSizeText, UsesTheGivenUnitNames) {
    const SizeUnits units{"Ko", "Mo", "Go"};
    EXPECT_EQ(FileSizeText(2048, units), " 2.00 Ko");
    EXPECT_EQ(FileSizeText(3 * 1048576, units), " 3.00 Mo");
    EXPECT_EQ(FileSizeText(1073741824, units), " 1.00 Go");
}

}  // namespace
}  // namespace tarvoss
