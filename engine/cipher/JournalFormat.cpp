#include "cipher/JournalFormat.h"

#include <cstring>

namespace tarvoss {

namespace {

// The last character is the version of the format: journals of another
// version are not used (their file is left alone and the journal kept).
constexpr char kHeaderMagic[8] = {'T', 'V', 'J', 'O', 'U', 'R', 'N', '3'};
constexpr char kRecordMagic[8] = {'T', 'V', 'R', 'E', 'C', 'O', 'R', '3'};
constexpr std::uint64_t kPrime = 0x9E3779B97F4A7C15ull;
constexpr std::uint64_t kMaxWindowBytes = std::uint64_t{64} << 20;

class Writer {
public:
    void Bytes(const void* data, std::size_t length) {
        const auto* p = static_cast<const std::uint8_t*>(data);
        out.insert(out.end(), p, p + length);
    }
    void Number(std::uint64_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
    std::vector<std::uint8_t> out;
};

class Reader {
public:
    Reader(const std::uint8_t* data, std::size_t length) : data_(data), left_(length) {}
    bool Bytes(void* to, std::size_t length) {
        if (length > left_) return ok_ = false;
        if (length > 0) std::memcpy(to, data_, length);
        data_ += length;
        left_ -= length;
        consumed_ += length;
        return true;
    }
    std::uint64_t Number(int bytes) {
        std::uint8_t raw[8] = {};
        if (!Bytes(raw, static_cast<std::size_t>(bytes))) return 0;
        std::uint64_t value = 0;
        for (int i = 0; i < bytes; ++i) value |= std::uint64_t{raw[i]} << (8 * i);
        return value;
    }
    bool Ok() const { return ok_; }
    std::size_t Consumed() const { return consumed_; }

private:
    const std::uint8_t* data_;
    std::size_t left_;
    std::size_t consumed_ = 0;
    bool ok_ = true;
};

std::uint64_t Mix(std::uint64_t a, std::uint64_t b) {
    const std::uint64_t pair[2] = {a, b};
    return JournalChecksum(reinterpret_cast<const std::uint8_t*>(pair), sizeof pair, kPrime);
}

}  // namespace

// Four independent lanes keep it fast on large results.
std::uint64_t JournalChecksum(const std::uint8_t* bytes, std::size_t length, std::uint64_t seed) {
    std::uint64_t lanes[4] = {seed, seed ^ 0x1, seed ^ 0x2, seed ^ 0x3};
    std::size_t i = 0;
    for (; i + 32 <= length; i += 32)
        for (int lane = 0; lane < 4; ++lane) {
            std::uint64_t word;
            std::memcpy(&word, bytes + i + 8 * lane, 8);
            lanes[lane] = (lanes[lane] ^ word) * kPrime;
            lanes[lane] ^= lanes[lane] >> 29;
        }
    std::uint64_t hash = length * kPrime;
    for (const std::uint64_t lane : lanes) hash = (hash ^ lane) * kPrime;
    for (; i < length; ++i) hash = (hash ^ bytes[i]) * kPrime;
    return hash ^ (hash >> 31);
}

std::vector<std::uint8_t> EncodeJournalHeader(const JournalHeader& header) {
    Writer w;
    w.Bytes(kHeaderMagic, sizeof kHeaderMagic);
    w.Number(header.direction == Direction::Encrypt ? 1 : 2, 1);
    w.Number(static_cast<std::uint32_t>(header.blockWords), 1);
    w.Number(header.identity.device, 8);
    w.Number(header.identity.inode, 8);
    w.Number(header.birth.known ? 1 : 0, 1);
    w.Number(static_cast<std::uint64_t>(header.birth.seconds), 8);
    w.Number(header.birth.nanoseconds, 4);
    w.Number(header.layout.plainLength, 8);
    w.Number(header.layout.encryptedLength, 8);
    w.Number(header.layout.tail, 1);
    w.Number(header.windowBytes, 8);
    w.Number(header.permissions, 4);
    w.Bytes(header.salt.data(), header.salt.size());
    w.Number(header.keyCheck.size(), 1);
    w.Bytes(header.keyCheck.data(), header.keyCheck.size());
    w.Number(header.path.size(), 4);
    w.Bytes(header.path.data(), header.path.size());
    // The length of what the checksum covers goes in front of the checksum.
    const std::uint64_t length = w.out.size();
    const std::uint64_t checksum = JournalChecksum(w.out.data(), w.out.size(), 0);
    w.Number(length, 8);
    w.Number(checksum, 8);
    return w.out;
}

std::uint64_t SealOf(const std::vector<std::uint8_t>& encodedHeader) {
    std::uint64_t seal = 0;
    for (int i = 0; i < 8; ++i) seal |= std::uint64_t{encodedHeader[encodedHeader.size() - 8 + i]} << (8 * i);
    return seal;
}

bool DecodeJournalHeader(const std::vector<std::uint8_t>& bytes, JournalHeader& header, std::uint64_t& encodedBytes,
                         std::uint64_t& seal) {
    Reader r(bytes.data(), bytes.size());
    char magic[8];
    if (!r.Bytes(magic, sizeof magic) || std::memcmp(magic, kHeaderMagic, sizeof magic) != 0) return false;
    const auto direction = r.Number(1);
    header.direction = direction == 1 ? Direction::Encrypt : Direction::Decrypt;
    header.blockWords = static_cast<std::int32_t>(r.Number(1));
    header.identity.device = r.Number(8);
    header.identity.inode = r.Number(8);
    const auto birthKnown = r.Number(1);
    header.birth.known = birthKnown == 1;
    header.birth.seconds = static_cast<std::int64_t>(r.Number(8));
    header.birth.nanoseconds = static_cast<std::uint32_t>(r.Number(4));
    header.layout.plainLength = r.Number(8);
    header.layout.encryptedLength = r.Number(8);
    header.layout.tail = static_cast<std::uint8_t>(r.Number(1));
    header.windowBytes = r.Number(8);
    header.permissions = static_cast<std::uint32_t>(r.Number(4));
    r.Bytes(header.salt.data(), header.salt.size());
    header.keyCheck.resize(static_cast<std::size_t>(r.Number(1)));
    r.Bytes(header.keyCheck.data(), header.keyCheck.size());
    const std::uint64_t pathLength = r.Number(4);
    if (!r.Ok() || pathLength > kMaxJournalPathBytes) return false;
    header.path.resize(static_cast<std::size_t>(pathLength));
    r.Bytes(header.path.data(), header.path.size());
    const std::uint64_t length = r.Number(8);
    const std::uint64_t checksum = r.Number(8);
    // The length in front of the checksum must be where the checksum is.
    if (!r.Ok() || length + 16 > bytes.size() || length != static_cast<std::uint64_t>(r.Consumed() - 16) ||
        JournalChecksum(bytes.data(), length, 0) != checksum)
        return false;
    // A whole header that this program could not have written is not used either.
    FileLayout expected;
    const bool layoutFits = (direction == 1 || direction == 2) && birthKnown <= 1 &&
                            (birthKnown == 1 || (header.birth.seconds == 0 && header.birth.nanoseconds == 0)) &&
                            CheckBlockWords(header.blockWords) &&
                            LayoutOfPlainFile(header.layout.plainLength, header.blockWords, expected) &&
                            expected.encryptedLength == header.layout.encryptedLength &&
                            expected.tail == header.layout.tail;
    if (!layoutFits || header.keyCheck.size() != expected.blockBytes || header.windowBytes == 0 ||
        header.windowBytes > kMaxWindowBytes || header.windowBytes % expected.blockBytes != 0)
        return false;
    header.layout.blockBytes = expected.blockBytes;
    encodedBytes = length + 16;
    seal = checksum;
    return true;
}

std::array<std::uint8_t, kRecordHeadBytes> EncodeRecordHead(std::uint64_t seal, const RecordHead& head) {
    Writer w;
    w.Bytes(kRecordMagic, sizeof kRecordMagic);
    w.Number(head.window, 8);
    w.Number(head.outputLength, 8);
    w.Number(head.carryLength, 8);
    w.Number(head.outputChecksum, 8);
    w.Number(head.carryChecksum, 8);
    w.Number(head.finishedChecksum, 8);
    w.Number(JournalChecksum(w.out.data(), w.out.size(), seal), 8);
    std::array<std::uint8_t, kRecordHeadBytes> bytes{};
    std::memcpy(bytes.data(), w.out.data(), w.out.size());
    return bytes;
}

HeadState DecodeRecordHead(std::uint64_t seal, const std::uint8_t* bytes, RecordHead& head) {
    bool blank = true;
    for (std::size_t i = 0; i < kRecordHeadBytes; ++i) blank = blank && bytes[i] == 0;
    if (blank) return HeadState::Blank;
    Reader r(bytes, kRecordHeadBytes);
    char magic[8];
    r.Bytes(magic, sizeof magic);
    head.window = r.Number(8);
    head.outputLength = r.Number(8);
    head.carryLength = r.Number(8);
    head.outputChecksum = r.Number(8);
    head.carryChecksum = r.Number(8);
    head.finishedChecksum = r.Number(8);
    const std::uint64_t covered = r.Consumed();
    const std::uint64_t checksum = r.Number(8);
    std::uint8_t rest[kRecordHeadBytes] = {};
    const std::size_t restBytes = kRecordHeadBytes - r.Consumed();
    r.Bytes(rest, restBytes);
    bool restBlank = true;
    for (std::size_t i = 0; i < restBytes; ++i) restBlank = restBlank && rest[i] == 0;
    const bool whole = std::memcmp(magic, kRecordMagic, sizeof magic) == 0 && restBlank &&
                       JournalChecksum(bytes, static_cast<std::size_t>(covered), seal) == checksum;
    return whole ? HeadState::Whole : HeadState::Damaged;
}

std::uint64_t OutputChecksum(std::uint64_t seal, const std::uint8_t* output, std::size_t length) {
    return JournalChecksum(output, length, seal);
}

std::uint64_t CarryChecksum(std::uint64_t seal, std::uint64_t window, const std::uint8_t* carry, std::size_t length) {
    // The window number enters the checksum: a carried block is never taken
    // for another window's.
    return JournalChecksum(carry, length, Mix(seal, window));
}

std::uint64_t NothingFinished(std::uint64_t seal) { return Mix(seal, ~std::uint64_t{0}); }

std::uint64_t AddFinished(std::uint64_t finished, std::uint64_t window, std::uint64_t outputChecksum) {
    return Mix(Mix(finished, window), outputChecksum);
}

}  // namespace tarvoss
