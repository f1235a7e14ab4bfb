#include "cipher/InPlaceJournal.h"

#include "common/StateFolder.h"
#include "platform/FileAttributes.h"
#include "platform/LastError.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>

namespace tarvoss {

namespace {

constexpr char kHeaderMagic[8] = {'T', 'V', 'J', 'O', 'U', 'R', 'N', '1'};
constexpr char kRecordMagic[8] = {'T', 'V', 'R', 'E', 'C', 'O', 'R', 'D'};
constexpr std::uint64_t kPage = 4096;
constexpr std::size_t kRecordHeadBytes = 40;  // magic, window, length, checksum, spare
constexpr std::uint64_t kMaxWindowBytes = std::uint64_t{64} << 20;
constexpr std::size_t kMaxPathBytes = 1 << 16;
// Records go round three slots: the newest may be torn by a crash, and the
// two before it are still needed then.
constexpr int kSlots = 3;

std::uint64_t RoundUp(std::uint64_t value, std::uint64_t unit) { return (value + unit - 1) / unit * unit; }

// A checksum that tells a record or header torn by a crash from a whole one.
// Not a guard against a forger: whoever can write the journal can write the
// file itself. Four independent lanes keep it fast on large records.
std::uint64_t Checksum(const std::uint8_t* bytes, std::size_t length, std::uint64_t seed)
{
    constexpr std::uint64_t kPrime = 0x9E3779B97F4A7C15ull;
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
    for (const std::uint64_t lane : lanes)
        hash = (hash ^ lane) * kPrime;
    for (; i < length; ++i)
        hash = (hash ^ bytes[i]) * kPrime;
    return hash ^ (hash >> 31);
}

class Writer {
public:
    void Bytes(const void* data, std::size_t length)
    {
        const auto* p = static_cast<const std::uint8_t*>(data);
        out.insert(out.end(), p, p + length);
    }
    void Number(std::uint64_t value, int bytes)
    {
        for (int i = 0; i < bytes; ++i)
            out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
    std::vector<std::uint8_t> out;
};

class Reader {
public:
    Reader(const std::uint8_t* data, std::size_t length) : data_(data), left_(length) {}
    bool Bytes(void* to, std::size_t length)
    {
        if (length > left_)
            return ok_ = false;
        std::memcpy(to, data_, length);
        data_ += length;
        left_ -= length;
        return true;
    }
    std::uint64_t Number(int bytes)
    {
        std::uint8_t raw[8] = {};
        if (!Bytes(raw, static_cast<std::size_t>(bytes)))
            return 0;
        std::uint64_t value = 0;
        for (int i = 0; i < bytes; ++i)
            value |= std::uint64_t{raw[i]} << (8 * i);
        return value;
    }
    bool Ok() const { return ok_; }

private:
    const std::uint8_t* data_;
    std::size_t left_;
    bool ok_ = true;
};

std::vector<std::uint8_t> EncodeHeader(const JournalHeader& header)
{
    Writer w;
    w.Bytes(kHeaderMagic, sizeof kHeaderMagic);
    w.Number(header.direction == Direction::Encrypt ? 1 : 2, 1);
    w.Number(static_cast<std::uint32_t>(header.blockWords), 1);
    w.Number(header.identity.device, 8);
    w.Number(header.identity.inode, 8);
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
    const std::uint64_t checksum = Checksum(w.out.data(), w.out.size(), 0);
    w.Number(length, 8);
    w.Number(checksum, 8);
    return w.out;
}

// The header from the first bytes of a journal; false when they are not a
// whole header this program wrote.
bool DecodeHeader(const std::vector<std::uint8_t>& bytes, JournalHeader& header, std::uint64_t& encodedBytes)
{
    Reader r(bytes.data(), bytes.size());
    char magic[8];
    if (!r.Bytes(magic, sizeof magic) || std::memcmp(magic, kHeaderMagic, sizeof magic) != 0)
        return false;
    const auto direction = r.Number(1);
    header.direction = direction == 1 ? Direction::Encrypt : Direction::Decrypt;
    header.blockWords = static_cast<std::int32_t>(r.Number(1));
    header.identity.device = r.Number(8);
    header.identity.inode = r.Number(8);
    header.layout.plainLength = r.Number(8);
    header.layout.encryptedLength = r.Number(8);
    header.layout.tail = static_cast<std::uint8_t>(r.Number(1));
    header.windowBytes = r.Number(8);
    header.permissions = static_cast<std::uint32_t>(r.Number(4));
    r.Bytes(header.salt.data(), header.salt.size());
    header.keyCheck.resize(static_cast<std::size_t>(r.Number(1)));
    r.Bytes(header.keyCheck.data(), header.keyCheck.size());
    const std::uint64_t pathLength = r.Number(4);
    if (!r.Ok() || pathLength > kMaxPathBytes)
        return false;
    header.path.resize(static_cast<std::size_t>(pathLength));
    r.Bytes(header.path.data(), header.path.size());
    const std::uint64_t length = r.Number(8);
    const std::uint64_t checksum = r.Number(8);
    if (!r.Ok() || length + 16 > bytes.size() || Checksum(bytes.data(), length, 0) != checksum)
        return false;
    // A whole header that this program could not have written is not used either.
    FileLayout expected;
    const bool layoutFits =
        (direction == 1 || direction == 2) && CheckBlockWords(header.blockWords) &&
        LayoutOfPlainFile(header.layout.plainLength, header.blockWords, expected) &&
        expected.encryptedLength == header.layout.encryptedLength && expected.tail == header.layout.tail;
    if (!layoutFits || header.keyCheck.size() != expected.blockBytes || header.windowBytes == 0 ||
        header.windowBytes > kMaxWindowBytes || header.windowBytes % expected.blockBytes != 0)
        return false;
    header.layout.blockBytes = expected.blockBytes;
    encodedBytes = length + 16;
    return true;
}

void SaltBlock(const JournalHeader& header, std::vector<std::uint8_t>& block)
{
    for (std::size_t i = 0; i < block.size(); ++i)
        block[i] = header.salt[i % header.salt.size()];
}

// Flushes the folders a new journal's name depends on: its own, and when the
// journal folder was just made, the two above it that got its entry.
bool SyncJournalFolders(const std::string& folder, bool folderIsNew)
{
    if (!SyncDirectory(folder))
        return false;
    if (!folderIsNew)
        return true;
    const std::string parent = folder.substr(0, folder.rfind('/'));
    return SyncDirectory(parent) && SyncDirectory(parent.substr(0, parent.rfind('/')));
}

// A slot: the record's head in its first page, then room for a window's
// result and the block it carries on.
std::uint64_t SlotBytes(const JournalHeader& header)
{
    return kPage + RoundUp(1 + header.windowBytes + header.layout.blockBytes, kPage);
}

} // namespace

std::uint64_t JournalHeader::OriginalLength() const
{
    return direction == Direction::Encrypt ? layout.plainLength : layout.encryptedLength;
}

// The key check is a random salt enciphered under the key. Telling a wrong key
// from it costs one block operation; getting the key back from it means
// breaking the block cipher with one known plain block, which the encrypted
// file itself already offers (its zero padding, any known file format) in
// plenty. The salt is fresh for every journal, so equal keys give unequal
// checks and no table made in advance helps.
void MakeKeyCheck(JournalHeader& header, std::uint32_t delta, const CipherKey& key)
{
    std::random_device random;
    for (std::size_t i = 0; i < header.salt.size(); i += 4) {
        const std::uint32_t value = random();
        std::memcpy(header.salt.data() + i, &value, 4);
    }
    header.keyCheck.assign(4 * static_cast<std::size_t>(header.blockWords), 0);
    SaltBlock(header, header.keyCheck);
    TransformBlocks(Direction::Encrypt, delta, key, header.blockWords, header.keyCheck.data(), 1);
}

bool KeyMatches(const JournalHeader& header, std::uint32_t delta, const CipherKey& key)
{
    std::vector<std::uint8_t> block(header.keyCheck.size());
    SaltBlock(header, block);
    TransformBlocks(Direction::Encrypt, delta, key, header.blockWords, block.data(), 1);
    return block == header.keyCheck;
}

std::string JournalFolder()
{
    const std::string state = StateFolderPath();
    return state.empty() ? std::string() : state + "/journal";
}

std::string JournalPathFor(const FileIdentity& identity)
{
    char name[64];
    std::snprintf(name, sizeof name, "/%016llx-%016llx.journal", static_cast<unsigned long long>(identity.device),
                  static_cast<unsigned long long>(identity.inode));
    const std::string folder = JournalFolder();
    return folder.empty() ? std::string() : folder + name;
}

bool InPlaceJournal::Create(const std::string& path, const JournalHeader& header)
{
    const std::string folder = path.substr(0, path.rfind('/'));
    const bool folderIsNew = !IsDirectory(folder);
    std::string made;
    if (!EnsureStateFolder("journal", made))
        return false;
    path_ = path;
    header_ = header;
    const std::vector<std::uint8_t> encoded = EncodeHeader(header);
    headerBytes_ = RoundUp(encoded.size(), kPage);
    slotBytes_ = SlotBytes(header);
    file_.access = FileAccess::ReadWrite;
    file_.createDisposition = Disposition::CreateNew;
    file_.showErrors = false;
    if (!file_.Create(path))
        return false;
    // The whole journal is reserved at once: once the file starts changing,
    // the journal cannot run out of space.
    const bool whole = file_.Allocate(headerBytes_ + kSlots * slotBytes_) && file_.WriteAt(0, encoded.data(), encoded.size()) &&
                       file_.Sync() && SyncJournalFolders(folder, folderIsNew);
    if (whole)
        return true;
    const int code = GetLastError();
    file_.Close();
    DeleteFile(path);
    return FailWith(code);
}

bool InPlaceJournal::Open(const std::string& path, FileAccess access)
{
    path_ = path;
    file_.access = access;
    file_.openDisposition = Disposition::OpenExisting;
    file_.showErrors = false;
    std::uint64_t length = 0;
    if (!file_.Open(path) || !file_.Size(length))
        return false;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(std::min<std::uint64_t>(length, kMaxPathBytes + kPage)));
    std::uint64_t encoded = 0;
    if (!file_.ReadAt(0, bytes.data(), bytes.size()))
        return false;
    if (!DecodeHeader(bytes, header_, encoded))
        return FailWith(EILSEQ);
    headerBytes_ = RoundUp(encoded, kPage);
    slotBytes_ = SlotBytes(header_);
    return true;
}

bool InPlaceJournal::ReadSlot(int slot, bool& whole, std::uint64_t& window, std::vector<std::uint8_t>& data)
{
    whole = false;
    std::uint64_t length = 0;
    const std::uint64_t at = headerBytes_ + static_cast<std::uint64_t>(slot) * slotBytes_;
    std::uint8_t head[kRecordHeadBytes];
    if (!file_.Size(length))
        return false;
    if (length < at + kPage)
        return true;  // never written
    if (!file_.ReadAt(at, head, sizeof head))
        return false;
    Reader r(head, sizeof head);
    char magic[8];
    r.Bytes(magic, sizeof magic);
    window = r.Number(8);
    const std::uint64_t dataLength = r.Number(8);
    const std::uint64_t checksum = r.Number(8);
    if (std::memcmp(magic, kRecordMagic, sizeof magic) != 0 || dataLength > slotBytes_ - kPage ||
        length < at + kPage + dataLength)
        return true;
    data.resize(static_cast<std::size_t>(dataLength));
    if (!file_.ReadAt(at + kPage, data.data(), data.size()))
        return false;
    whole = Checksum(data.data(), data.size(), window * 2 + 1) == checksum;
    return true;
}

bool InPlaceJournal::NewestRecord(bool& found, std::uint64_t& window, std::vector<std::uint8_t>& data)
{
    found = false;
    for (int slot = 0; slot < kSlots; ++slot) {
        bool whole = false;
        std::uint64_t slotWindow = 0;
        std::vector<std::uint8_t> slotData;
        if (!ReadSlot(slot, whole, slotWindow, slotData))
            return false;
        // A record sits in the slot of its window's number; one elsewhere is not ours.
        if (!whole || static_cast<int>(slotWindow % kSlots) != slot || (found && slotWindow < window))
            continue;
        found = true;
        window = slotWindow;
        data = std::move(slotData);
    }
    return true;
}

bool InPlaceJournal::RecordOf(std::uint64_t window, bool& found, std::vector<std::uint8_t>& data)
{
    std::uint64_t slotWindow = 0;
    if (!ReadSlot(static_cast<int>(window % kSlots), found, slotWindow, data))
        return false;
    found = found && slotWindow == window;
    return true;
}

bool InPlaceJournal::WriteRecord(std::uint64_t window, const std::uint8_t* data, std::size_t length)
{
    if (length > slotBytes_ - kPage)
        return FailWith(EINVAL);
    Writer head;
    head.Bytes(kRecordMagic, sizeof kRecordMagic);
    head.Number(window, 8);
    head.Number(length, 8);
    // The window number enters the checksum: a whole record is never taken
    // for another window's.
    head.Number(Checksum(data, length, window * 2 + 1), 8);
    head.out.resize(kRecordHeadBytes, 0);
    const std::uint64_t at = headerBytes_ + (window % kSlots) * slotBytes_;
    return file_.WriteAt(at + kPage, data, length) && file_.WriteAt(at, head.out.data(), head.out.size()) &&
           file_.DataSync();
}

bool InPlaceJournal::Remove()
{
    if (file_.isOpen && !file_.Close())
        return false;
    return DeleteFile(path_) && SyncDirectory(path_.substr(0, path_.rfind('/')));
}

void InPlaceJournal::Close()
{
    if (file_.isOpen)
        file_.Close();
}

} // namespace tarvoss
