#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/types.h>

#include <cerrno>
#include <future>
#include <thread>

#include "platform/FileAttributes.h"
#include "platform/FileRecord.h"
#include "platform/FileSystem.h"
#include "platform/LastError.h"
#include "support/TempDir.h"

namespace tarvoss {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

FileRecord Quiet(FileAccess access) {
    FileRecord record;
    record.access = access;
    record.showErrors = false;
    return record;
}

TEST(FileRecord, RefusesWhatIsNotARegularFileWithoutBlocking) {
    TempDir dir;
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0666), 0);
    ASSERT_TRUE(CreateDirectory(dir / "folder"));
    struct Case {
        std::string path;
        int error;
    };
    const Case cases[] = {{dir / "fifo", EINVAL}, {dir / "folder", EISDIR}, {dir / "missing", ENOENT}};
    for (const Case& c : cases) {
        for (FileAccess access : {FileAccess::Read, FileAccess::ReadWrite}) {
            // A FIFO opened the ordinary way waits for a writer: run the open
            // elsewhere so that a hang fails the test instead of stopping it.
            auto opened = std::async(std::launch::async, [&] {
                FileRecord record = Quiet(access);
                const bool ok = record.Open(c.path);
                return std::pair(ok, GetLastError());
            });
            ASSERT_EQ(opened.wait_for(std::chrono::seconds(10)), std::future_status::ready) << c.path;
            const auto [ok, error] = opened.get();
            EXPECT_FALSE(ok) << c.path;
            EXPECT_EQ(error, c.error) << c.path;
        }
    }
}

TEST(FileRecord, ReadOnlyFileCannotBeOpenedForWritingEvenByRoot) {
    TempDir dir;
    const std::string path = dir / "locked.txt";
    WriteFile(path, "keep");
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);

    FileRecord writer = Quiet(FileAccess::ReadWrite);
    EXPECT_FALSE(writer.Open(path));
    EXPECT_EQ(GetLastError(), EACCES);
    FileRecord replacer = Quiet(FileAccess::ReadWrite);
    EXPECT_FALSE(replacer.Create(path));
    EXPECT_EQ(ReadFile(path), "keep");

    FileRecord reader = Quiet(FileAccess::Read);
    EXPECT_TRUE(reader.Open(path));
    EXPECT_TRUE(reader.Close());
}

TEST(FileRecord, DispositionsCreateReplaceAndKeep) {
    TempDir dir;
    const std::string path = dir / "file.bin";

    FileRecord missing = Quiet(FileAccess::ReadWrite);
    EXPECT_FALSE(missing.Open(path));  // OPEN_EXISTING
    EXPECT_EQ(GetLastError(), ENOENT);

    WriteFile(path, "old contents");
    FileRecord keep = Quiet(FileAccess::ReadWrite);
    keep.openDisposition = Disposition::OpenAlways;
    ASSERT_TRUE(keep.Open(path));
    ASSERT_TRUE(keep.SeekToEnd());
    ASSERT_TRUE(keep.Write("+", 1));
    ASSERT_TRUE(keep.Close());
    EXPECT_EQ(ReadFile(path), "old contents+");

    FileRecord replace = Quiet(FileAccess::ReadWrite);
    ASSERT_TRUE(replace.Create(path));  // CREATE_ALWAYS
    std::uint64_t length = 99;
    ASSERT_TRUE(replace.Size(length));
    EXPECT_EQ(length, 0u);
    ASSERT_TRUE(replace.Close());
    EXPECT_FALSE(replace.isOpen);
}

TEST(FileRecord, ShortReadIsAFailure) {
    TempDir dir;
    const std::string path = dir / "short.bin";
    WriteFile(path, "12345");
    FileRecord record = Quiet(FileAccess::Read);
    ASSERT_TRUE(record.Open(path));
    char buffer[16];
    EXPECT_TRUE(record.ReadAt(1, buffer, 4));
    EXPECT_FALSE(record.ReadAt(1, buffer, 5));
    EXPECT_EQ(GetLastError(), ENODATA);
    std::size_t got = 0;
    EXPECT_TRUE(record.Read(buffer, sizeof buffer, got));
    EXPECT_EQ(got, 5u);
}

// A copy reserves its space before it is written; until then it must still
// show only what was written, so that one cut short does not look whole.
TEST(FileRecord, ReservingSpaceKeepsTheLengthAndTheBytes) {
    TempDir dir;
    const std::string path = dir / "reserved.bin";
    WriteFile(path, "12345");
    FileRecord record = Quiet(FileAccess::ReadWrite);
    ASSERT_TRUE(record.Open(path));
    EXPECT_TRUE(record.AllocateIfCheap(1 << 20));
    std::uint64_t length = 0;
    ASSERT_TRUE(record.Size(length));
    EXPECT_EQ(length, 5u);
    ASSERT_TRUE(record.Close());
    EXPECT_EQ(ReadFile(path), "12345");
}

TEST(FileAttributes, SaveSetNormalRestore) {
    TempDir dir;
    const std::string path = dir / "a.txt";
    WriteFile(path, "x");
    ASSERT_EQ(::chmod(path.c_str(), 0440), 0);
    FileAttributes saved;
    ASSERT_TRUE(GetFileAttributes(path, saved));
    EXPECT_EQ(saved.bits, 0440u);
    ASSERT_TRUE(SetFileAttributesNormal(path));
    FileAttributes normal;
    ASSERT_TRUE(GetFileAttributes(path, normal));
    EXPECT_EQ(normal.bits, 0640u);
    ASSERT_TRUE(RestoreFileAttributes(path, saved));
    FileAttributes restored;
    ASSERT_TRUE(GetFileAttributes(path, restored));
    EXPECT_EQ(restored.bits, 0440u);
    EXPECT_FALSE(PathExists(dir / "none"));
}

TEST(LastError, IsPerThread) {
    SetLastError(5);
    int seenElsewhere = -1;
    std::thread([&] { seenElsewhere = GetLastError(); }).join();
    EXPECT_EQ(seenElsewhere, 0);
    EXPECT_EQ(GetLastError(), 5);
    const std::string text = DescribeError(5);
    ASSERT_GE(text.size(), 2u);
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    SetLastError(0);
}

TEST(FileSystem, SameFileThroughALink) {
    TempDir dir;
    WriteFile(dir / "a", "1");
    WriteFile(dir / "b", "1");
    ASSERT_EQ(::symlink((dir / "a").c_str(), (dir / "link").c_str()), 0);
    EXPECT_TRUE(IsSameFile(dir / "a", dir / "link"));
    EXPECT_FALSE(IsSameFile(dir / "a", dir / "b"));
    EXPECT_FALSE(IsSameFile(dir / "a", dir / "missing"));
}

}  // namespace
}  // namespace tarvoss
