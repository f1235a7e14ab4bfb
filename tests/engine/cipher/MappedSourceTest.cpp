// Reading a file through its mapping: the bytes come through, and a file that
// shrinks while mapped fails the work instead of ending the process.

#include "cipher/MappedSource.h"

#include "LayoutReference.h"
#include "platform/FileRecord.h"
#include "platform/LastError.h"
#include "support/TempDir.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

namespace tarvoss {
namespace {

using testing::TempDir;
using testing::WriteFile;

constexpr std::size_t kLength = 64 * 1024 + 5;

class MappedSourceTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(InstallBusErrorHandler());
        bytes = test::RandomBytes(kLength, 3);
        WriteFile(path, bytes);
        file.access = FileAccess::Read;
        file.openDisposition = Disposition::OpenExisting;
        file.showErrors = false;
        ASSERT_TRUE(file.Open(path));
        ASSERT_TRUE(source.Map(file.handle, kLength));
    }

    // The bytes Use hands over for [offset, offset + length), or "failed".
    std::string Read(std::uint64_t offset, std::size_t length) {
        // The work may be cut off midway: it must own nothing meanwhile.
        std::string got(length, '\0');
        const bool done =
            source.Use(offset, length, [&](const std::uint8_t* in) { std::memcpy(got.data(), in, length); });
        return done ? got : "failed";
    }

    TempDir dir;
    std::string path = dir / "source";
    std::string bytes;
    FileRecord file;
    MappedSource source;
};

TEST_F(MappedSourceTest, GivesTheFileBytesAlsoAfterReleasingThem) {
    EXPECT_EQ(Read(0, kLength), bytes);
    EXPECT_EQ(Read(kLength - 7, 7), bytes.substr(kLength - 7));
    source.Release(kLength);
    EXPECT_EQ(Read(1, 4096), bytes.substr(1, 4096));
}

TEST_F(MappedSourceTest, FileThatShrankFailsTheWorkAndTheProcessGoesOn) {
    ASSERT_EQ(::truncate(path.c_str(), 4096), 0);
    for (int attempt = 0; attempt < 3; ++attempt) {
        EXPECT_EQ(Read(0, kLength), "failed");
        EXPECT_EQ(GetLastError(), EIO);
    }
    EXPECT_EQ(Read(0, 4096), bytes.substr(0, 4096));
}

// A bus error outside the work Use runs is not taken for the work's: it goes
// to whatever handled it before and ends the process as it would have.
TEST_F(MappedSourceTest, FaultOutsideTheWorkStillEndsTheProcess) {
    EXPECT_EQ(Read(0, 16), bytes.substr(0, 16));  // the handler is in place
    EXPECT_DEATH(
        {
            const std::size_t page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
            void* other = ::mmap(nullptr, 2 * page, PROT_READ, MAP_SHARED, file.handle, 0);
            if (::truncate(path.c_str(), 0) != 0) std::abort();
            volatile const char* lost = static_cast<const char*>(other) + page;
            (void)*lost;
        },
        "");
}

}  // namespace
}  // namespace tarvoss
