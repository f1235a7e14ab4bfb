#include "cipher/BlockBatch.h"

#include "KnownAnswers.h"
#include "cipher/BlockCipher.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace tarvoss {
namespace {

constexpr std::size_t kGuard = 16;
constexpr std::uint8_t kGuardByte = 0xA5;

void StoreLittleEndian(const std::uint32_t* words, std::uint8_t* bytes) {
    for (int i = 0; i < 4; ++i)
        for (int b = 0; b < 4; ++b) bytes[4 * i + b] = static_cast<std::uint8_t>(words[i] >> (8 * b));
}

void LoadLittleEndian(const std::uint8_t* bytes, std::uint32_t* words) {
    for (int i = 0; i < 4; ++i) {
        words[i] = 0;
        for (int b = 0; b < 4; ++b) words[i] |= static_cast<std::uint32_t>(bytes[4 * i + b]) << (8 * b);
    }
}

// Blocks with guard bytes on both sides, starting one byte past an aligned
// address so that no path can count on aligned loads.
class GuardedBlocks {
public:
    explicit GuardedBlocks(std::size_t blockCount)
        : storage_(1 + kGuard + blockCount * kCipherBlockBytes + kGuard, kGuardByte), count_(blockCount) {}
    std::uint8_t* data() { return storage_.data() + 1 + kGuard; }
    std::uint8_t* block(std::size_t i) { return data() + i * kCipherBlockBytes; }
    std::vector<std::uint8_t> bytes() { return {data(), data() + count_ * kCipherBlockBytes}; }
    bool guardsIntact() const {
        for (std::size_t i = 1; i < 1 + kGuard; ++i)
            if (storage_[i] != kGuardByte || storage_[storage_.size() - i] != kGuardByte) return false;
        return true;
    }

private:
    std::vector<std::uint8_t> storage_;
    std::size_t count_;
};

class BlockBatchTest : public ::testing::TestWithParam<CipherPath> {
protected:
    void SetUp() override { ASSERT_TRUE(ForceCipherPath(GetParam())); }
    void TearDown() override { ResetCipherPath(); }
};

// Block counts around every lane width and interleave depth, and one large.
const std::size_t kCounts[] = {0, 1, 2, 7, 8, 9, 15, 16, 17, 23, 24, 25, 31, 32, 33, 47, 48, 49, 63, 64, 65, 1000};

TEST_P(BlockBatchTest, PublishedFourWordVectorsAsLittleEndianBytes) {
    std::vector<test::KnownAnswer> vectors;
    for (const test::KnownAnswer& vector : test::XxteaVectors())
        if (vector.plain.size() == 4) vectors.push_back(vector);
    ASSERT_FALSE(vectors.empty());

    // One key per call, so each call gets blocks of the vectors under that key
    // at every position; equal plain blocks must come out equal wherever they lie.
    for (const test::KnownAnswer& vector : vectors) {
        for (std::size_t count : kCounts) {
            GuardedBlocks blocks(count);
            for (std::size_t i = 0; i < count; ++i) StoreLittleEndian(vector.plain.data(), blocks.block(i));
            EncryptBlocks(kCipherDelta, vector.key, blocks.data(), count);
            std::uint8_t expected[kCipherBlockBytes];
            StoreLittleEndian(vector.encrypted.data(), expected);
            for (std::size_t i = 0; i < count; ++i)
                ASSERT_EQ(std::vector<std::uint8_t>(blocks.block(i), blocks.block(i) + kCipherBlockBytes),
                          std::vector<std::uint8_t>(expected, expected + kCipherBlockBytes))
                    << "block " << i << " of " << count;
            DecryptBlocks(kCipherDelta, vector.key, blocks.data(), count);
            std::uint8_t plain[kCipherBlockBytes];
            StoreLittleEndian(vector.plain.data(), plain);
            for (std::size_t i = 0; i < count; ++i)
                ASSERT_EQ(0, std::memcmp(blocks.block(i), plain, kCipherBlockBytes)) << "block " << i;
            EXPECT_TRUE(blocks.guardsIntact());
        }
    }
}

TEST_P(BlockBatchTest, RandomBlocksMatchTheOneBlockCipherAndComeBackInPlaceOrNot) {
    std::mt19937 random(7);
    for (std::size_t count : kCounts) {
        const CipherKey key = test::RandomKey(random);
        GuardedBlocks blocks(count);
        for (std::size_t i = 0; i < count * kCipherBlockBytes; ++i)
            blocks.data()[i] = static_cast<std::uint8_t>(random());
        const std::vector<std::uint8_t> plain = blocks.bytes();

        std::vector<std::uint8_t> expected = plain;
        for (std::size_t i = 0; i < count; ++i) {
            std::uint32_t words[4];
            LoadLittleEndian(expected.data() + i * kCipherBlockBytes, words);
            EncryptWords(kCipherDelta, words, 4, key);
            StoreLittleEndian(words, expected.data() + i * kCipherBlockBytes);
        }

        EncryptBlocks(kCipherDelta, key, blocks.data(), count);
        EXPECT_EQ(blocks.bytes(), expected) << count << " blocks";
        DecryptBlocks(kCipherDelta, key, blocks.data(), count);
        EXPECT_EQ(blocks.bytes(), plain) << count << " blocks";
        EXPECT_TRUE(blocks.guardsIntact()) << count << " blocks";
    }
}

std::string PathName(const ::testing::TestParamInfo<CipherPath>& info) {
    switch (info.param) {
    case CipherPath::Scalar: return "Scalar";
    case CipherPath::Avx2: return "Avx2";
    case CipherPath::Avx512: return "Avx512";
    }
    return "Unknown";
}

INSTANTIATE_TEST_SUITE_P(EveryAvailablePath, BlockBatchTest, ::testing::ValuesIn(AvailableCipherPaths()), PathName);

}  // namespace
}  // namespace tarvoss
