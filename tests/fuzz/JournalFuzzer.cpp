// Finishes an interrupted in-place transform of a small file from arbitrary
// journal bytes. The file is always a genuine state that a killed run left
// (the first input byte picks which: the direction and the step the run died
// at); the rest of the input is the journal put in place of the one that run
// left. A journal is read, listed and planned from, and the file finished.
//
// Besides crashes and sanitizer reports it checks what recovery promises: a
// finish that says success leaves exactly the result of an uninterrupted run,
// and one that fails leaves the file as it was.
//
// With TARVOSS_JOURNAL_FUZZER_SEEDS set to a folder, it writes its seeds there
// first: the journals the killed runs left, each behind its state's byte.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "FuzzScratch.h"
#include "cipher/FileTransforms.h"
#include "cipher/InPlaceJournal.h"
#include "cipher/InPlaceTransform.h"
#include "cipher/PendingJournals.h"
#include "platform/FileSystem.h"
#include "support/DyingChild.h"

namespace {

using namespace tarvoss;

constexpr std::int32_t kBlockWords = 4;
const CipherKey kKey{0x01234567, 0x89ABCDEF, 0xFEDCBA98, 0x76543210};

// The progress of the file in work; nothing here reads it.
FileProgress& Progress() {
    static FileProgress progress{0};
    return progress;
}

[[noreturn]] void Fault(const char* what) {
    std::fprintf(stderr, "journal fuzzer: %s\n", what);
    std::abort();
}

bool Transform(Direction direction, const std::string& path) {
    const auto transform = direction == Direction::Encrypt ? EncryptFileInPlace : DecryptFileInPlace;
    return static_cast<bool>(transform(Progress(), path, kKey, kBlockWords, nullptr));
}

// A file as a killed run left it, and that run's journal.
struct KilledRun {
    Direction direction;
    std::string file, journal, expected;
};

class KilledRuns {
public:
    explicit KilledRuns(const fuzz::FuzzScratch& scratch) : path_(scratch.File("file")) {
        // Two blocks per window: the small file crosses several windows.
        SetInPlaceWindowBytes(32);
        std::string plain(90, '\0');
        for (std::size_t i = 0; i < plain.size(); ++i) plain[i] = static_cast<char>(i * 37 + 11);
        for (const Direction direction : {Direction::Encrypt, Direction::Decrypt}) Record(direction, plain);
        if (const char* seeds = std::getenv("TARVOSS_JOURNAL_FUZZER_SEEDS")) WriteSeeds(seeds);
    }

    const KilledRun& Pick(std::uint8_t selector) const { return runs_[selector % runs_.size()]; }
    const std::string& Path() const { return path_; }

private:
    void Write(const std::string& path, const std::string& bytes) const {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    }
    std::string Read(const std::string& path) const {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    void Record(Direction direction, const std::string& plain) {
        Write(path_, plain);
        if (direction == Direction::Decrypt && !Transform(Direction::Encrypt, path_)) Fault("cannot set up");
        const std::string original = Read(path_);
        if (!Transform(direction, path_)) Fault("cannot set up");
        const std::string expected = Read(path_);
        FileIdentity identity;
        if (!GetFileIdentity(path_, identity)) Fault("cannot set up");
        journal_ = JournalPathFor(identity);
        for (int step = 1;; ++step) {
            Write(path_, original);
            bool finished = false;
            if (!testing::RunDyingAtStep(
                    step, [&] { Transform(direction, path_); }, &finished))
                Fault("no child");
            if (finished) break;
            if (std::filesystem::exists(journal_)) runs_.push_back({direction, Read(path_), Read(journal_), expected});
            std::filesystem::remove(journal_);
        }
    }

    void WriteSeeds(const std::string& folder) const {
        for (std::size_t i = 0; i < runs_.size(); ++i)
            Write(folder + "/killed-" + std::to_string(i), std::string(1, static_cast<char>(i)) + runs_[i].journal);
    }

    std::string path_, journal_;
    std::vector<KilledRun> runs_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const fuzz::FuzzScratch scratch;
    static const KilledRuns runs(scratch);
    if (size == 0) return 0;
    const KilledRun& run = runs.Pick(data[0]);
    const std::string path = runs.Path();
    scratch.Write("file", reinterpret_cast<const std::uint8_t*>(run.file.data()), run.file.size());
    FileIdentity identity;
    if (!GetFileIdentity(path, identity)) Fault("the file is gone");
    const std::string journal = JournalPathFor(identity);
    std::filesystem::remove(journal);
    {
        std::ofstream out(journal, std::ios::binary);
        out.write(reinterpret_cast<const char*>(data + 1), static_cast<std::streamsize>(size - 1));
    }

    // Reading and listing need no key and change nothing.
    ListPendingJournals();
    const std::string listedFile = scratch.Read("file");
    if (listedFile != run.file) Fault("listing journals changed the file");

    bool wasPending = false;
    const bool done = data[0] & 0x80 ? static_cast<bool>(FinishPendingInPlace(Progress(), path, kKey, wasPending))
                                     : Transform(run.direction, path);
    const std::string now = scratch.Read("file");
    if (done && now != run.expected) Fault("a finish that says success left a wrong file");
    if (!done && now != run.file) Fault("a finish that failed changed the file");
    std::filesystem::remove(journal);
    return 0;
}
