#include "cipher/KeyGenerator.h"

#include <gtest/gtest.h>

#include <array>
#include <cerrno>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/LastError.h"

namespace tarvoss {
namespace {

// Hands out the given 64-bit draws as little-endian bytes, then fails with EIO.
class ScriptedSource final : public RandomSource {
public:
    explicit ScriptedSource(const std::vector<std::uint64_t>& draws) {
        for (std::uint64_t draw : draws) {
            for (int i = 0; i < 8; ++i) bytes_.push_back(static_cast<unsigned char>(draw >> (8 * i)));
        }
    }
    bool Fill(std::span<unsigned char> out) override {
        if (out.size() > bytes_.size()) return FailWith(EIO);
        for (unsigned char& byte : out) {
            byte = bytes_.front();
            bytes_.pop_front();
        }
        return true;
    }
    std::size_t DrawsLeft() const { return bytes_.size() / 8; }

private:
    std::deque<unsigned char> bytes_;
};

constexpr std::uint64_t kTop = ~std::uint64_t{0};
constexpr std::uint64_t kE5 = 100000;
constexpr std::uint64_t kE8 = 100000000;

// 2^64 mod bound is 6 for 10, 12 for 74 and 9,551,616 for 10^8: draws below
// it are thrown away.
TEST(KeyGenerator, UniformBelowRejectsTheSurplusDraws) {
    struct Case {
        std::uint64_t bound;
        std::vector<std::uint64_t> draws;
        std::uint64_t expected;
    };
    const Case cases[] = {
        {10, {0, 5, 6}, 6}, {10, {kTop}, 5}, {1, {0}, 0}, {74, {11, 12}, 12}, {kE8, {9551615, 9551616}, 9551616},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bound);
        ScriptedSource source(c.draws);
        EXPECT_EQ(UniformBelow(c.bound, source), c.expected);
        EXPECT_EQ(source.DrawsLeft(), 0u);
    }
}

TEST(KeyGenerator, DigitGroupHasNoLeadingZeros) {
    struct Case {
        int digits;
        std::vector<std::uint64_t> draws;
        const char* expected;
    };
    const Case cases[] = {
        {8, {5 * kE8 + 7}, "7"},      {8, {5 * kE8}, "0"},   {8, {2 * kE8 - 1}, "99999999"},
        {8, {3, kE8 + 4200}, "4200"}, {6, {kTop}, "551615"}, {5, {3 * kE5 + 12345}, "12345"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        ScriptedSource source(c.draws);
        EXPECT_EQ(RandomDigitGroup(c.digits, source), std::optional<std::string>(c.expected));
    }
}

TEST(KeyGenerator, TextKeyMapsDrawsOntoCodes48To121) {
    // 74 characters: 0 → "0", 73 → "y"; the draw 11 lies in the surplus.
    ScriptedSource source({74, 74 + 73, 11, 2 * 74 + 10});
    EXPECT_EQ(RandomKeyText(3, source), std::optional<std::string>("0y:"));
    EXPECT_EQ(RandomKeyText(0, source), std::optional<std::string>(""));
}

TEST(KeyGenerator, FailingSourceGivesNoKey) {
    ScriptedSource empty({});
    SetLastError(0);
    EXPECT_EQ(RandomDigitGroup(8, empty), std::nullopt);
    EXPECT_EQ(GetLastError(), EIO);
    ScriptedSource shortOfDraws({100, 200});
    EXPECT_EQ(RandomKeyText(3, shortOfDraws), std::nullopt);
    // Groups longer than a draw can cover are refused, not cut.
    ScriptedSource plenty({kTop, kTop});
    EXPECT_EQ(RandomDigitGroup(0, plenty), std::nullopt);
    EXPECT_EQ(RandomDigitGroup(19, plenty), std::nullopt);
}

TEST(KeyGenerator, SystemSourceGivesFreshBytes) {
    std::array<unsigned char, 64> first{};
    std::array<unsigned char, 64> second{};
    ASSERT_TRUE(SystemRandom().Fill(first));
    ASSERT_TRUE(SystemRandom().Fill(second));
    EXPECT_NE(first, decltype(first){});
    EXPECT_NE(first, second);
}

}  // namespace
}  // namespace tarvoss
