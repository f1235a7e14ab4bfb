#pragma once
// The bytes of a recovery journal (see InPlaceJournal.h): its header, and the
// head of each record, all numbers little-endian. The header carries a
// checksum of itself; its value, the journal's "seal", seeds the checksums of
// every record head and record, so that a part torn by a crash, a flipped
// byte, or a record taken from another journal is told from a whole one.

#include "cipher/FileLayout.h"
#include "platform/FileRecord.h"
#include "platform/FileSystem.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tarvoss {

struct JournalHeader {
    Direction direction = Direction::Encrypt;
    std::int32_t blockWords = 4;
    FileIdentity identity;
    FileBirth birth;   // the file's birth, where its file system keeps one
    std::string path;  // absolute
    FileLayout layout;
    std::uint64_t windowBytes = 0;
    std::uint32_t permissions = 0;  // the file's permission bits before the run
    std::array<std::uint8_t, 16> salt{};
    std::vector<std::uint8_t> keyCheck;  // one block: the salt, repeated, encrypted under the key

    // The length the file has before the transform.
    std::uint64_t OriginalLength() const;
};

inline constexpr std::size_t kMaxJournalPathBytes = 1 << 16;

std::vector<std::uint8_t> EncodeJournalHeader(const JournalHeader& header);
// The header from the first bytes of a journal; false when they are not a
// whole header this program could have written (a journal of an older
// version of the program included). `encodedBytes` is its length, `seal`
// its checksum.
bool DecodeJournalHeader(const std::vector<std::uint8_t>& bytes, JournalHeader& header, std::uint64_t& encodedBytes,
                         std::uint64_t& seal);
// The seal of an encoded header.
std::uint64_t SealOf(const std::vector<std::uint8_t>& encodedHeader);

// A checksum that tells bytes torn by a crash or flipped on the disk from
// whole ones. Not a guard against a forger: whoever can write the journal can
// write the file itself.
std::uint64_t JournalChecksum(const std::uint8_t* bytes, std::size_t length, std::uint64_t seed);

// The head of a record: which window, how long its result and the carried
// block are, and the checksums of the result, of the carried block and of
// every window before the one preceding it, as written to the file (the
// "finished part"). The head is written before the data, in one piece of
// the disk's smallest unit, so a crash leaves it old or new, never torn.
inline constexpr std::size_t kRecordHeadBytes = 64;
struct RecordHead {
    std::uint64_t window = 0;
    std::uint64_t outputLength = 0;
    std::uint64_t carryLength = 0;
    std::uint64_t outputChecksum = 0;
    std::uint64_t carryChecksum = 0;
    std::uint64_t finishedChecksum = 0;
};
enum class HeadState {
    Blank,  // never written: the slot is as the journal's creation left it
    Whole,
    Damaged,
};
std::array<std::uint8_t, kRecordHeadBytes> EncodeRecordHead(std::uint64_t seal, const RecordHead& head);
HeadState DecodeRecordHead(std::uint64_t seal, const std::uint8_t* bytes, RecordHead& head);

// The checksum of a window's result as it is in the file.
std::uint64_t OutputChecksum(std::uint64_t seal, const std::uint8_t* output, std::size_t length);
// The checksum of the carried block of `window`.
std::uint64_t CarryChecksum(std::uint64_t seal, std::uint64_t window, const std::uint8_t* carry, std::size_t length);
// The finished part's checksum before the first window, and with one more
// window's result added.
std::uint64_t NothingFinished(std::uint64_t seal);
std::uint64_t AddFinished(std::uint64_t finished, std::uint64_t window, std::uint64_t outputChecksum);

}  // namespace tarvoss
