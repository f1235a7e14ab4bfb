#include "cipher/BlockCipher.h"

#include "KnownAnswers.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace tarvoss {
namespace {

TEST(BlockCipherTest, MatchesPublishedVectorsBothWays) {
    const std::uint32_t& delta = kCipherDelta;
    ASSERT_EQ(delta, 0x9E3779B9u);
    for (const test::KnownAnswer& vector : test::XxteaVectors()) {
        const auto n = static_cast<std::int32_t>(vector.plain.size());
        std::vector<std::uint32_t> words = vector.plain;
        EXPECT_TRUE(EncryptWords(delta, words.data(), n, vector.key));
        EXPECT_EQ(words, vector.encrypted) << "n = " << n;
        EXPECT_TRUE(DecryptWords(delta, words.data(), n, vector.key));
        EXPECT_EQ(words, vector.plain) << "n = " << n;
    }
}

TEST(BlockCipherTest, FewerThanTwoWordsAreLeftAlone) {
    const CipherKey key{1, 2, 3, 4};
    for (std::int32_t n : {-1, 0, 1}) {
        std::uint32_t words[2] = {0x12345678, 0x9ABCDEF0};
        EXPECT_FALSE(EncryptWords(kCipherDelta, words, n, key));
        EXPECT_FALSE(DecryptWords(kCipherDelta, words, n, key));
        EXPECT_EQ(words[0], 0x12345678u);
        EXPECT_EQ(words[1], 0x9ABCDEF0u);
    }
}

TEST(BlockCipherTest, DecryptRestoresEveryLengthAndTouchesOnlyItsWords) {
    std::mt19937 random(20240601);
    for (std::int32_t n = 2; n <= 40; ++n) {
        const CipherKey key = test::RandomKey(random);
        // One guard word on each side catches writes outside the n words.
        std::vector<std::uint32_t> plain(static_cast<std::size_t>(n) + 2);
        for (std::uint32_t& word : plain) word = static_cast<std::uint32_t>(random());
        std::vector<std::uint32_t> words = plain;
        EncryptWords(kCipherDelta, words.data() + 1, n, key);
        EXPECT_NE(words, plain);
        EXPECT_EQ(words.front(), plain.front());
        EXPECT_EQ(words.back(), plain.back());
        DecryptWords(kCipherDelta, words.data() + 1, n, key);
        EXPECT_EQ(words, plain) << "n = " << n;
    }
}

}  // namespace
}  // namespace tarvoss
