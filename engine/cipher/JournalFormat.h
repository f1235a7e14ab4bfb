#pragma once
// The bytes of a recovery journal (see InPlaceJournal.h): its header, and the
// head of each record, all numbers little-endian, each with a checksum that
// tells a part torn by a crash from a whole one.

#include "cipher/FileLayout.h"
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
// whole header this program could have written. `encodedBytes` is its length.
bool DecodeJournalHeader(const std::vector<std::uint8_t>& bytes, JournalHeader& header, std::uint64_t& encodedBytes);

// The head of a record: which window, how many bytes follow, their checksum.
inline constexpr std::size_t kRecordHeadBytes = 40;
struct RecordHead {
    std::uint64_t window = 0;
    std::uint64_t length = 0;
    std::uint64_t checksum = 0;
};
std::vector<std::uint8_t> EncodeRecordHead(const RecordHead& head);
// False when the `kRecordHeadBytes` at `bytes` are not a record head.
bool DecodeRecordHead(const std::uint8_t* bytes, RecordHead& head);
std::uint64_t RecordChecksum(std::uint64_t window, const std::uint8_t* data, std::size_t length);

}  // namespace tarvoss
