// The four file transforms on files they must refuse or cannot finish: each
// such file is left as it was, and a failed copy leaves no file behind.

#include "cipher/FileTransforms.h"
#include "common/ErrorReport.h"

#include "LayoutReference.h"
#include "platform/LastError.h"
#include "support/ScriptedMessageBoxes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <functional>
#include <future>
#include <set>
#include <thread>

namespace tarvoss {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;
namespace fs = std::filesystem;

const CipherKey kKey{0x01234567, 0x89ABCDEF, 0xFEDCBA98, 0x76543210};
const CipherKey kOtherKey{0x01234567, 0x89ABCDEF, 0xFEDCBA98, 0x76543211};
constexpr std::size_t kMiB = std::size_t{1} << 20;

std::set<std::string> Entries(const TempDir& dir) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir.path())) names.insert(entry.path().filename().string());
    return names;
}

mode_t Permissions(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    return info.st_mode & 07777;
}

// A real "disk full" for this process: writing beyond `bytes` fails with
// EFBIG (SIGXFSZ is ignored meanwhile).
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        previous_ = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{bytes, saved_.rlim_max};
        EXPECT_EQ(::setrlimit(RLIMIT_FSIZE, &limit), 0);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previous_);
    }

private:
    rlimit saved_{};
    void (*previous_)(int) = nullptr;
};

class FileRefusals : public ::testing::Test {
protected:
    using Copy = bool (*)(FileProgress&, const std::string&, const std::string&, const CipherKey&, std::int32_t,
                          const ErrorReport*, std::atomic<bool>*);
    using InPlace = InPlaceResult (*)(FileProgress&, const std::string&, const CipherKey&, std::int32_t,
                                      const ErrorReport*);

    // The copy fails with `error`, keeps the source and leaves the folder as it was.
    void ExpectCopyRefused(Copy copy, const std::string& source, const std::string& destination, int error,
                           const std::string& what) {
        const std::string before = ReadFile(source);
        const auto entries = Entries(dir);
        EXPECT_FALSE(copy(progress, source, destination, kKey, 4, nullptr, nullptr)) << what;
        EXPECT_EQ(GetLastError(), error) << what;
        EXPECT_TRUE(ReadFile(source) == before) << what;
        EXPECT_EQ(Entries(dir), entries) << what;
    }

    // Copies a 64 MiB file "big" to "copy" and calls `interrupt` once the copy
    // has visibly started. Returns the error the copy failed with; a machine
    // fast enough to finish first gets another try, with "big" written anew.
    int InterruptedCopyError(const std::function<void()>& interrupt) {
        std::string big;
        const std::string piece = test::RandomBytes(kMiB, 19);
        for (int i = 0; i < 64; ++i) big += piece;
        for (int attempt = 0; attempt < 5; ++attempt) {
            WriteFile(dir / "big", big);
            progress = 0;
            auto copy = std::async(std::launch::async, [&] {
                const bool done = EncryptFileToCopy(progress, dir / "big", dir / "copy", kKey, 4, nullptr, &abandon);
                return std::make_pair(done, GetLastError());
            });
            while (progress.load() == 0 && copy.wait_for(std::chrono::seconds(0)) != std::future_status::ready)
                std::this_thread::yield();
            interrupt();
            const auto [done, error] = copy.get();
            if (!done) return error;
            fs::remove(dir / "copy");
        }
        ADD_FAILURE() << "every copy finished before it could be interrupted";
        return 0;
    }

    void ExpectInPlaceRefused(InPlace transform, const std::string& path, int error, const std::string& what) {
        const std::string before = ReadFile(path);
        EXPECT_FALSE(transform(progress, path, kKey, 4, nullptr)) << what;
        EXPECT_EQ(GetLastError(), error) << what;
        EXPECT_TRUE(ReadFile(path) == before) << what;
    }

    TempDir dir;
    FileProgress progress{0};
    // The request to abandon the copy in work, as a run holds it.
    std::atomic<bool> abandon{false};
};

TEST_F(FileRefusals, DecryptingRefusesEveryFileWithoutTheLayout) {
    const std::string block(16, '\x5A');
    struct Case {
        const char* what;
        std::string bytes;
    };
    const Case cases[] = {
        {"empty file", ""},
        {"first byte 16", "\x10" + block},
        {"first byte 0x80", "\x80" + block},
        {"first byte 0xFF", "\xFF" + block},
        {"length minus one not a multiple of 16", std::string(10, '\0')},
        {"partial block announced, no block", "\x05"},
        {"padding not zero: other key", test::ReferenceEncrypt("plain", kOtherKey)},
        {"padding not zero: plain bytes", "\x03" + block + block},
    };
    for (const Case& c : cases) {
        WriteFile(dir / "file", c.bytes);
        ExpectInPlaceRefused(DecryptFileInPlace, dir / "file", kNotEncryptedFile, c.what);
        ExpectCopyRefused(DecryptFileToCopy, dir / "file", dir / "copy", kNotEncryptedFile, c.what);
    }
}

// The padding check keeps a file decrypted with a wrong key restorable; a
// file without a partial block carries nothing to check and is transformed.
TEST_F(FileRefusals, WrongKey) {
    WriteFile(dir / "five", test::ReferenceEncrypt("hello", kKey));
    EXPECT_FALSE(DecryptFileInPlace(progress, dir / "five", kOtherKey, 4, nullptr));
    EXPECT_TRUE(DecryptFileInPlace(progress, dir / "five", kKey, 4, nullptr));
    EXPECT_EQ(ReadFile(dir / "five"), "hello");

    const std::string plain = test::RandomBytes(32, 5);
    WriteFile(dir / "blocks", test::ReferenceEncrypt(plain, kKey));
    EXPECT_TRUE(DecryptFileInPlace(progress, dir / "blocks", kOtherKey, 4, nullptr));
    const std::string wrong = ReadFile(dir / "blocks");
    EXPECT_EQ(wrong.size(), plain.size());
    EXPECT_NE(wrong, plain);
}

TEST_F(FileRefusals, FilesOfFourGibibytesAreRefusedUnchanged) {
    const std::uintmax_t limit = std::uintmax_t{1} << 32;
    struct Case {
        const char* what;
        std::uintmax_t length;
        bool encrypt, decrypt;
    };
    const Case cases[] = {
        {"4 GiB", limit, true, true},
        {"4 GiB and one byte, first byte 0", limit + 1, false, true},
        {"encrypted it would reach 4 GiB", limit - 15, true, false},
    };
    for (const Case& c : cases) {
        const std::string path = dir / "huge";
        WriteFile(path, "");
        fs::resize_file(path, c.length);  // sparse: takes no disk space
        const auto check = [&](bool refused, const char* how) {
            EXPECT_TRUE(refused) << c.what << ", " << how;
            EXPECT_EQ(GetLastError(), EFBIG) << c.what << ", " << how;
            EXPECT_EQ(fs::file_size(path), c.length) << c.what << ", " << how;
            EXPECT_EQ(Entries(dir), std::set<std::string>{"huge"}) << c.what << ", " << how;
        };
        if (c.encrypt) {
            check(!EncryptFileInPlace(progress, path, kKey, 4, nullptr), "encrypt in place");
            check(!EncryptFileToCopy(progress, path, dir / "copy", kKey, 4, nullptr), "encrypt to copy");
        }
        if (c.decrypt) {
            check(!DecryptFileInPlace(progress, path, kKey, 4, nullptr), "decrypt in place");
            check(!DecryptFileToCopy(progress, path, dir / "copy", kKey, 4, nullptr), "decrypt to copy");
        }
    }
}

// In place, the grown length is reserved before the first byte changes.
TEST_F(FileRefusals, FullDiskRefusesInPlaceEncryptionUnchanged) {
    for (std::size_t length : {std::size_t{100}, 3 * kMiB + 5}) {
        WriteFile(dir / "file", test::RandomBytes(length, 9));
        FileSizeLimit full(length);
        ExpectInPlaceRefused(EncryptFileInPlace, dir / "file", EFBIG, std::to_string(length));
    }
}

TEST_F(FileRefusals, FullDiskFailsTheCopyAndKeepsAnOlderDestination) {
    WriteFile(dir / "source", test::RandomBytes(3 * kMiB, 11));
    WriteFile(dir / "encrypted", test::ReferenceEncrypt(test::RandomBytes(3 * kMiB, 12), kKey));
    for (bool older : {false, true}) {
        if (older) WriteFile(dir / "copy", "older copy");
        FileSizeLimit full(kMiB);
        ExpectCopyRefused(EncryptFileToCopy, dir / "source", dir / "copy", EFBIG, "encrypt");
        ExpectCopyRefused(DecryptFileToCopy, dir / "encrypted", dir / "copy", EFBIG, "decrypt");
        if (older) {
            EXPECT_EQ(ReadFile(dir / "copy"), "older copy");
        }
    }
}

TEST_F(FileRefusals, CopyOfAFileOntoItselfFailsBeforeAnythingIsWritten) {
    // Both directions pass the layout check on this source.
    WriteFile(dir / "source", test::ReferenceEncrypt(test::RandomBytes(100, 13), kKey));
    fs::create_hard_link(dir / "source", dir / "hard link");
    fs::create_symlink(dir / "source", dir / "symbolic link");
    for (Copy copy : {EncryptFileToCopy, DecryptFileToCopy}) {
        for (const std::string& destination :
             {dir / "source", dir.folder() + "./source", dir / "hard link", dir / "symbolic link"}) {
            ExpectCopyRefused(copy, dir / "source", destination, kSameFileError, destination);
        }
    }
}

TEST_F(FileRefusals, DestinationThatCannotBeReplaced) {
    WriteFile(dir / "source", "plain");
    WriteFile(dir / "read-only", "older");
    fs::permissions(dir / "read-only", fs::perms::owner_read | fs::perms::group_read);
    fs::create_directory(dir / "folder");
    ExpectCopyRefused(EncryptFileToCopy, dir / "source", dir / "read-only", EACCES, "read-only");
    EXPECT_EQ(ReadFile(dir / "read-only"), "older");
    ExpectCopyRefused(EncryptFileToCopy, dir / "source", dir / "folder", EISDIR, "folder");
    ExpectCopyRefused(EncryptFileToCopy, dir / "source", dir / "missing/copy", ENOENT, "missing folder");
}

TEST_F(FileRefusals, MissingFile) {
    ExpectCopyRefused(EncryptFileToCopy, dir / "missing", dir / "copy", ENOENT, "encrypt to copy");
    ExpectCopyRefused(DecryptFileToCopy, dir / "missing", dir / "copy", ENOENT, "decrypt to copy");
    EXPECT_FALSE(EncryptFileInPlace(progress, dir / "missing", kKey, 4, nullptr));
    EXPECT_EQ(GetLastError(), ENOENT);
    EXPECT_FALSE(DecryptFileInPlace(progress, dir / "missing", kKey, 4, nullptr));
    EXPECT_EQ(GetLastError(), ENOENT);
    EXPECT_TRUE(Entries(dir).empty());
}

// Root passes every permission check, so the bits are what is tested.
TEST_F(FileRefusals, PermissionBits) {
    const std::string plain = test::RandomBytes(40, 17);
    WriteFile(dir / "read-only", plain);
    ::chmod((dir / "read-only").c_str(), 0444);
    EXPECT_TRUE(EncryptFileInPlace(progress, dir / "read-only", kKey, 4, nullptr));
    EXPECT_EQ(Permissions(dir / "read-only"), 0444u);
    EXPECT_TRUE(DecryptFileInPlace(progress, dir / "read-only", kKey, 4, nullptr));
    EXPECT_EQ(Permissions(dir / "read-only"), 0444u);
    EXPECT_EQ(ReadFile(dir / "read-only"), plain);

    for (mode_t bits : {0640u, 0444u, 0755u}) {
        ::chmod((dir / "read-only").c_str(), bits);
        EXPECT_TRUE(EncryptFileToCopy(progress, dir / "read-only", dir / "copy", kKey, 4, nullptr));
        EXPECT_EQ(Permissions(dir / "copy"), bits);
        EXPECT_EQ(Permissions(dir / "read-only"), bits);
        ::chmod((dir / "copy").c_str(), 0644);
    }
}

TEST_F(FileRefusals, AbandonedCopyLeavesNothing) {
    WriteFile(dir / "small", "small");
    abandon = true;  // left over from an earlier copy: cleared at the start
    EXPECT_TRUE(EncryptFileToCopy(progress, dir / "small", dir / "small copy", kKey, 4, nullptr, &abandon));
    fs::remove(dir / "small copy");

    EXPECT_EQ(InterruptedCopyError([this] { abandon = true; }), ECANCELED);
    EXPECT_EQ(Entries(dir), (std::set<std::string>{"big", "small"}));
}

// A source cut short while it is being copied fails the copy, which leaves
// nothing behind.
TEST_F(FileRefusals, SourceThatShrinksMidCopyFailsTheCopy) {
    const int error = InterruptedCopyError([&] { fs::resize_file(dir / "big", 4096); });
    EXPECT_TRUE(error == EIO || error == ENODATA) << error;
    EXPECT_EQ(Entries(dir), (std::set<std::string>{"big"}));
}

TEST_F(FileRefusals, ShownErrors) {
    testing::ScriptedMessageBoxes boxes;
    const ErrorReport report(boxes);
    WriteFile(dir / "plain", "\xFF not encrypted");
    EXPECT_FALSE(DecryptFileInPlace(progress, dir / "plain", kKey, 4, &report));
    EXPECT_FALSE(DecryptFileToCopy(progress, dir / "plain", dir / "copy", kKey, 4, &report));
    EXPECT_EQ(GetLastError(), kNotEncryptedFile);
    const auto shown = boxes.Boxes();
    ASSERT_EQ(shown.size(), 2u);
    for (const auto& box : shown) {
        EXPECT_EQ(box.text, "The specified file has an invalid format:\r\n" + (dir / "plain"));
        EXPECT_EQ(box.caption, "Error");
    }
}

}  // namespace
}  // namespace tarvoss
