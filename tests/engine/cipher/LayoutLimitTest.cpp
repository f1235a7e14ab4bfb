// The largest files the encrypted layout holds: every length, plain or
// encrypted, stays below 2^32, so with 16-byte blocks the largest plain file
// is 2^32 - 16 bytes (its encrypted form 2^32 - 15 bytes).

#include "cipher/FileLayout.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdint>

#include "platform/LastError.h"

namespace tarvoss {
namespace {

constexpr std::uint64_t k4GiB = std::uint64_t{1} << 32;

TEST(LayoutLimit, PlainFilesUpTo4GiBMinusOneBlockFit) {
    const struct {
        std::uint64_t plainLength;
        bool fits;
    } cases[] = {
        {k4GiB - 16, true},   // encrypted: 1 + (2^32 - 16) bytes
        {k4GiB - 15, false},  // one more block would make the encrypted form 2^32 + 1 bytes
        {k4GiB - 1, false},  {k4GiB, false}, {k4GiB + 1, false},
    };
    for (const auto& c : cases) {
        FileLayout layout;
        SetLastError(0);
        EXPECT_EQ(LayoutOfPlainFile(c.plainLength, 4, layout), c.fits) << c.plainLength;
        if (c.fits) {
            EXPECT_LT(layout.encryptedLength, k4GiB) << c.plainLength;
        } else {
            EXPECT_EQ(GetLastError(), ErrorCode(ErrorCondition::TooLarge)) << c.plainLength;
        }
    }
}

}  // namespace
}  // namespace tarvoss
