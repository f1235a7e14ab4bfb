// The four file transforms on files that they accept: the layout's sizes and
// header bytes, byte-exactness against a block-by-block writer, in place ==
// copy, round trips, and the confirmation of finished copies.

#include "cipher/FileTransforms.h"

#include "LayoutReference.h"
#include "platform/LastError.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

namespace tarvoss {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

const CipherKey kKey{0x01234567, 0x89ABCDEF, 0xFEDCBA98, 0x76543210};

class FileTransforms : public ::testing::Test {
protected:
    // Encrypts `plain` in place and into a copy, checks both against the
    // block-by-block writer, decrypts both back the same two ways and checks
    // that the plain bytes return. Returns the encrypted bytes.
    std::string RoundTrip(const std::string& plain, std::int32_t n = 4) {
        const std::string expected = test::ReferenceEncrypt(plain, kKey, n);
        const std::string source = dir / "plain", inPlace = dir / "in-place", copy = dir / "copy";
        const std::string back = dir / "back";
        WriteFile(source, plain);
        WriteFile(inPlace, plain);
        progress = 0;
        EXPECT_TRUE(EncryptFileInPlace(progress, inPlace, kKey, n, nullptr));
        EXPECT_EQ(progress.load(), 100u);
        EXPECT_TRUE(EncryptFileToCopy(progress, source, copy, kKey, n, nullptr));
        EXPECT_TRUE(ReadFile(inPlace) == expected) << "in place, length " << plain.size();
        EXPECT_TRUE(ReadFile(copy) == expected) << "copy, length " << plain.size();

        EXPECT_TRUE(DecryptFileToCopy(progress, copy, back, kKey, n, nullptr));
        progress = 0;
        EXPECT_TRUE(DecryptFileInPlace(progress, inPlace, kKey, n, nullptr));
        EXPECT_EQ(progress.load(), 100u);
        EXPECT_TRUE(ReadFile(back) == plain) << "copy back, length " << plain.size();
        EXPECT_TRUE(ReadFile(inPlace) == plain) << "in place back, length " << plain.size();
        return expected;
    }

    TempDir dir;
    FileProgress progress{0};
};

TEST_F(FileTransforms, EncryptedLengthAndHeaderByte) {
    struct Case {
        std::size_t plain, encrypted;
        std::uint8_t header;
    };
    const Case cases[] = {{0, 1, 0}, {5, 17, 5}, {15, 17, 15}, {16, 17, 0}, {17, 33, 1}, {32, 33, 0}, {33, 49, 1}};
    for (const Case& c : cases) {
        const std::string encrypted = RoundTrip(test::RandomBytes(c.plain, 1));
        ASSERT_EQ(encrypted.size(), c.encrypted) << c.plain;
        EXPECT_EQ(static_cast<std::uint8_t>(encrypted[0]), c.header) << c.plain;
    }
}

// Up to three blocks and one byte, then lengths around and across the
// transforms' pieces (512 KiB), which run on several threads at once.
TEST_F(FileTransforms, PiecesGiveTheBytesOfBlockByBlockProcessing) {
    for (std::size_t length = 0; length <= 3 * 16 + 1; ++length)
        RoundTrip(test::RandomBytes(length, static_cast<std::uint32_t>(length)));
    const std::size_t mib = std::size_t{1} << 20;
    for (std::size_t length : {mib - 1, mib, mib + 1, 2 * mib + 16, 3 * mib + 7, 5 * mib + 3})
        RoundTrip(test::RandomBytes(length, static_cast<std::uint32_t>(length)));
}

// Blocks of other word counts take the same layout, the header byte holding
// the length modulo the block length; 12-byte blocks do not divide a piece.
TEST_F(FileTransforms, OtherBlockLengths) {
    for (std::int32_t n : {2, 3, 8, 32}) {
        const std::size_t block = 4 * static_cast<std::size_t>(n);
        for (std::size_t length : {std::size_t{0}, block - 1, block + 1, (std::size_t{1} << 20) + 13})
            RoundTrip(test::RandomBytes(length, 7), n);
    }
    for (std::int32_t n : {-1, 0, 1, 33}) {
        WriteFile(dir / "odd", "abc");
        EXPECT_FALSE(EncryptFileInPlace(progress, dir / "odd", kKey, n, nullptr)) << n;
        EXPECT_EQ(GetLastError(), ErrorCode(ErrorCondition::InvalidArgument));
        EXPECT_EQ(ReadFile(dir / "odd"), "abc");
    }
}

// What the destination's name held before is replaced whole.
TEST_F(FileTransforms, ExistingDestinationIsReplaced) {
    WriteFile(dir / "plain", "short");
    WriteFile(dir / "longer", std::string(100, 'x'));
    std::filesystem::create_symlink(dir / "nowhere", dir / "dangling");
    for (const char* name : {"longer", "dangling"}) {
        EXPECT_TRUE(EncryptFileToCopy(progress, dir / "plain", dir / name, kKey, 4, nullptr)) << name;
        EXPECT_FALSE(std::filesystem::is_symlink(dir / name)) << name;
        EXPECT_EQ(ReadFile(dir / name), test::ReferenceEncrypt("short", kKey)) << name;
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 3);
}

// A destination without a folder is a name in the current folder.
TEST_F(FileTransforms, CopyToABareNameGoesIntoTheCurrentFolder) {
    WriteFile(dir / "plain", "short");
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    const bool done = EncryptFileToCopy(progress, "plain", "copy", kKey, 4, nullptr);
    std::filesystem::current_path(before);
    ASSERT_TRUE(done);
    EXPECT_EQ(ReadFile(dir / "copy"), test::ReferenceEncrypt("short", kKey));
}

TEST_F(FileTransforms, ConfirmCopyReadsTheCopyBackInBothDirections) {
    const std::string plain = test::RandomBytes((std::size_t{3} << 20) + 5, 3);
    const std::string encrypted = test::ReferenceEncrypt(plain, kKey);
    WriteFile(dir / "plain", plain);
    WriteFile(dir / "encrypted", encrypted);
    EXPECT_TRUE(ConfirmCopy(Direction::Encrypt, dir / "plain", dir / "encrypted", kKey, 4));
    EXPECT_TRUE(ConfirmCopy(Direction::Decrypt, dir / "encrypted", dir / "plain", kKey, 4));

    struct Damage {
        const char* what;
        std::string copy;
        int error;
    };
    std::string flipped = encrypted;
    flipped[(std::size_t{2} << 20) + 3] ^= 1;
    std::string header = encrypted;
    header[0] = 4;
    const Damage damages[] = {
        {"one byte changed", flipped, EIO},
        {"cut short", encrypted.substr(0, encrypted.size() - 16), EIO},
        {"other header byte", header, EIO},
    };
    for (const Damage& d : damages) {
        WriteFile(dir / "copy", d.copy);
        EXPECT_FALSE(ConfirmCopy(Direction::Encrypt, dir / "plain", dir / "copy", kKey, 4)) << d.what;
        EXPECT_EQ(GetLastError(), d.error) << d.what;
        EXPECT_FALSE(ConfirmCopy(Direction::Decrypt, dir / "copy", dir / "plain", kKey, 4)) << d.what;
        EXPECT_EQ(GetLastError(), d.error) << d.what;
    }
    EXPECT_FALSE(ConfirmCopy(Direction::Encrypt, dir / "plain", dir / "missing", kKey, 4));
    EXPECT_EQ(GetLastError(), ENOENT);
    const CipherKey otherKey{1, 2, 3, 4};
    EXPECT_FALSE(ConfirmCopy(Direction::Encrypt, dir / "plain", dir / "encrypted", otherKey, 4));
}

}  // namespace
}  // namespace tarvoss
