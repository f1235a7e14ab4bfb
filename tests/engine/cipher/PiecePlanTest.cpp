// The cut of a file into pieces: the writes of all pieces cover the output
// once, front to back, and in place every byte a piece writes over is either
// its own or belongs to the one neighbour it names, which is read first.

#include "cipher/FileLayout.h"
#include "cipher/PiecePlan.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace tarvoss {
namespace {

std::string Describe(Direction direction, const FileLayout& layout) {
    return std::string(direction == Direction::Encrypt ? "encrypt" : "decrypt") + ", " +
           std::to_string(layout.plainLength) + " bytes in blocks of " + std::to_string(layout.blockBytes);
}

TEST(PiecePlan, WritesTileTheOutputAndNameEveryPieceTheyOverlap) {
    const std::uint64_t piece = std::uint64_t{1} << 19;
    for (std::int32_t n : {4, 3, 32}) {
        for (std::uint64_t length :
             {std::uint64_t{0}, std::uint64_t{5}, piece - 1, piece, piece + 1, 3 * piece + 7, 4 * piece}) {
            FileLayout layout;
            ASSERT_TRUE(LayoutOfPlainFile(length, n, layout));
            for (Direction direction : {Direction::Encrypt, Direction::Decrypt}) {
                const PiecePlan plan(direction, layout);
                const std::uint64_t outputLength =
                    direction == Direction::Encrypt ? layout.encryptedLength : layout.plainLength;
                std::uint64_t written = 0;
                for (std::uint64_t index = 0; index < plan.PieceCount(); ++index) {
                    const Piece p = plan.At(index);
                    SCOPED_TRACE(Describe(direction, layout) + ", piece " + std::to_string(index));
                    EXPECT_EQ(p.writeOffset, written);
                    written = p.writeOffset + p.writeLength;
                    EXPECT_LE(p.outputLength, p.blockCount * layout.blockBytes);
                }
                EXPECT_EQ(written, outputLength) << Describe(direction, layout);
            }
        }
    }
}

}  // namespace
}  // namespace tarvoss
