#include "cipher/InPlaceJournal.h"

#include "platform/FileAttributes.h"
#include "platform/FileSystem.h"
#include "platform/LastError.h"
#include "platform/StateFolder.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <random>

namespace tarvoss {

namespace {

constexpr std::uint64_t kPage = 4096;
// Records go round three slots: the newest may be torn by a crash, and the
// two before it are still needed then.
constexpr int kSlots = 3;

std::uint64_t RoundUp(std::uint64_t value, std::uint64_t unit) { return (value + unit - 1) / unit * unit; }

void SaltBlock(const JournalHeader& header, std::vector<std::uint8_t>& block) {
    for (std::size_t i = 0; i < block.size(); ++i) block[i] = header.salt[i % header.salt.size()];
}

// The topmost of the folders from `folder` up that do not exist yet; empty
// when `folder` exists.
std::string TopmostMissingFolder(const std::string& folder) {
    std::string missing;
    for (std::string at = folder; !at.empty() && !IsDirectory(at); at = ParentFolder(at)) missing = at;
    return missing;
}

// Flushes the folders a new journal's name depends on: its own, and every
// folder made for it with the one that got the topmost one's entry.
bool SyncJournalFolders(const std::string& folder, const std::string& topmostMade) {
    if (!SyncDirectory(folder)) return false;
    if (topmostMade.empty()) return true;
    for (std::string at = folder; at.size() >= topmostMade.size();) {
        at = ParentFolder(at);
        if (!SyncDirectory(at)) return false;
    }
    return true;
}

// A slot: the record's head in its first page, then room for a window's
// result and the block it carries on.
std::uint64_t SlotBytes(const JournalHeader& header) {
    return kPage + RoundUp(1 + header.windowBytes + header.layout.blockBytes, kPage);
}

}  // namespace

std::uint64_t JournalHeader::OriginalLength() const {
    return direction == Direction::Encrypt ? layout.plainLength : layout.encryptedLength;
}

// The key check is a random salt enciphered under the key. Telling a wrong key
// from it costs one block operation; getting the key back from it means
// breaking the block cipher with one known plain block, which the encrypted
// file itself already offers (its zero padding, any known file format) in
// plenty. The salt is fresh for every journal, so equal keys give unequal
// checks and no table made in advance helps.
void MakeKeyCheck(JournalHeader& header, std::uint32_t delta, const CipherKey& key) {
    std::random_device random;
    for (std::size_t i = 0; i < header.salt.size(); i += 4) {
        const std::uint32_t value = random();
        std::memcpy(header.salt.data() + i, &value, 4);
    }
    header.keyCheck.assign(4 * static_cast<std::size_t>(header.blockWords), 0);
    SaltBlock(header, header.keyCheck);
    TransformBlocks(Direction::Encrypt, delta, key, header.blockWords, header.keyCheck.data(), 1);
}

bool KeyMatches(const JournalHeader& header, std::uint32_t delta, const CipherKey& key) {
    std::vector<std::uint8_t> block(header.keyCheck.size());
    SaltBlock(header, block);
    TransformBlocks(Direction::Encrypt, delta, key, header.blockWords, block.data(), 1);
    return block == header.keyCheck;
}

std::string JournalFolder() {
    const std::string state = StateFolderPath();
    return state.empty() ? std::string() : state + "/journal";
}

std::string JournalPathFor(const FileIdentity& identity) {
    char name[64];
    std::snprintf(name, sizeof name, "/%016llx-%016llx.journal", static_cast<unsigned long long>(identity.device),
                  static_cast<unsigned long long>(identity.inode));
    const std::string folder = JournalFolder();
    return folder.empty() ? std::string() : folder + name;
}

bool InPlaceJournal::Create(const std::string& path, const JournalHeader& header) {
    const std::string folder = ParentFolder(path);
    const std::string topmostMade = TopmostMissingFolder(folder);
    std::string made;
    if (!EnsureStateFolder("journal", made)) return false;
    path_ = path;
    header_ = header;
    const std::vector<std::uint8_t> encoded = EncodeJournalHeader(header);
    headerBytes_ = RoundUp(encoded.size(), kPage);
    slotBytes_ = SlotBytes(header);
    file_.access = FileAccess::ReadWrite;
    file_.createDisposition = Disposition::CreateNew;
    file_.showErrors = false;
    if (!file_.Create(path)) return false;
    // The whole journal is reserved at once: once the file starts changing,
    // the journal cannot run out of space.
    const bool whole = file_.Allocate(headerBytes_ + kSlots * slotBytes_) &&
                       file_.WriteAt(0, encoded.data(), encoded.size()) && file_.Sync() &&
                       SyncJournalFolders(folder, topmostMade);
    if (whole) return true;
    const int code = GetLastError();
    file_.Close();
    DeleteFile(path);
    return FailWith(code);
}

bool InPlaceJournal::Open(const std::string& path, FileAccess access) {
    path_ = path;
    file_.access = access;
    file_.openDisposition = Disposition::OpenExisting;
    file_.showErrors = false;
    std::uint64_t length = 0;
    if (!file_.Open(path) || !file_.Size(length)) return false;
    std::vector<std::uint8_t> bytes(
        static_cast<std::size_t>(std::min<std::uint64_t>(length, kMaxJournalPathBytes + kPage)));
    std::uint64_t encoded = 0;
    if (!file_.ReadAt(0, bytes.data(), bytes.size())) return false;
    if (!DecodeJournalHeader(bytes, header_, encoded)) return FailWith(ErrorCondition::BadData);
    headerBytes_ = RoundUp(encoded, kPage);
    slotBytes_ = SlotBytes(header_);
    return true;
}

bool InPlaceJournal::ReadSlot(int slot, bool& whole, std::uint64_t& window, std::vector<std::uint8_t>& data) {
    whole = false;
    std::uint64_t length = 0;
    const std::uint64_t at = headerBytes_ + static_cast<std::uint64_t>(slot) * slotBytes_;
    std::uint8_t head[kRecordHeadBytes];
    if (!file_.Size(length)) return false;
    if (length < at + kPage) return true;  // never written
    if (!file_.ReadAt(at, head, sizeof head)) return false;
    RecordHead record;
    if (!DecodeRecordHead(head, record) || record.length > slotBytes_ - kPage || length < at + kPage + record.length)
        return true;
    window = record.window;
    data.resize(static_cast<std::size_t>(record.length));
    if (!file_.ReadAt(at + kPage, data.data(), data.size())) return false;
    whole = RecordChecksum(window, data.data(), data.size()) == record.checksum;
    return true;
}

bool InPlaceJournal::NewestRecord(bool& found, std::uint64_t& window, std::vector<std::uint8_t>& data) {
    found = false;
    for (int slot = 0; slot < kSlots; ++slot) {
        bool whole = false;
        std::uint64_t slotWindow = 0;
        std::vector<std::uint8_t> slotData;
        if (!ReadSlot(slot, whole, slotWindow, slotData)) return false;
        // A record sits in the slot of its window's number; one elsewhere is not ours.
        if (!whole || static_cast<int>(slotWindow % kSlots) != slot || (found && slotWindow < window)) continue;
        found = true;
        window = slotWindow;
        data = std::move(slotData);
    }
    return true;
}

bool InPlaceJournal::RecordOf(std::uint64_t window, bool& found, std::vector<std::uint8_t>& data) {
    std::uint64_t slotWindow = 0;
    if (!ReadSlot(static_cast<int>(window % kSlots), found, slotWindow, data)) return false;
    found = found && slotWindow == window;
    return true;
}

bool InPlaceJournal::WriteRecord(std::uint64_t window, const std::uint8_t* data, std::size_t length) {
    if (length > slotBytes_ - kPage) return FailWith(ErrorCondition::InvalidArgument);
    const std::vector<std::uint8_t> head = EncodeRecordHead({window, length, RecordChecksum(window, data, length)});
    const std::uint64_t at = headerBytes_ + (window % kSlots) * slotBytes_;
    return file_.WriteAt(at + kPage, data, length) && file_.WriteAt(at, head.data(), head.size()) && file_.DataSync();
}

bool InPlaceJournal::Remove() {
    if (file_.isOpen && !file_.Close()) return false;
    return DeleteFile(path_) && SyncDirectory(ParentFolder(path_));
}

void InPlaceJournal::Close() {
    if (file_.isOpen) file_.Close();
}

}  // namespace tarvoss
