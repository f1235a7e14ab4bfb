#include "cipher/InPlaceJournal.h"

#include "platform/CloneRange.h"
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
static_assert(kPage % kCloneUnit == 0, "a record's pages must be whole units of block sharing");

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
// result and the block it carries on. The result starts as far into its page
// as it starts into a page of the file, so that the pages between match the
// file's pages one for one (see DataOffset).
std::uint64_t SlotBytes(const JournalHeader& header) {
    return kPage + RoundUp(kPage + header.windowBytes + header.layout.blockBytes, kPage);
}

// Where in its slot a record's data starts, after the head's page, for a
// result that goes to `fileOffset` in the file.
std::uint64_t DataInSlot(std::uint64_t fileOffset) { return kPage + fileOffset % kPage; }

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

std::string JournalCreationPath(const std::string& journalPath) {
    return journalPath + std::string(kJournalCreationSuffix);
}

bool InPlaceJournal::Create(const std::string& path, const JournalHeader& header) {
    const std::string folder = ParentFolder(path);
    const std::string topmostMade = TopmostMissingFolder(folder);
    std::string made;
    if (!EnsureStateFolder("journal", made)) return false;
    path_ = path;
    header_ = header;
    const std::vector<std::uint8_t> encoded = EncodeJournalHeader(header);
    seal_ = SealOf(encoded);
    headerBytes_ = RoundUp(encoded.size(), kPage);
    slotBytes_ = SlotBytes(header);
    // One cut short before (the file is locked by now, so no other run makes it).
    const std::string creation = JournalCreationPath(path);
    if (PathIsTaken(creation) && !DeleteFile(creation)) return false;
    file_.access = FileAccess::ReadWrite;
    file_.createDisposition = Disposition::CreateNew;
    file_.showErrors = false;
    file_.refuseLinks = true;
    if (!file_.Create(creation)) return false;
    // Held while it is made: `recover` leaves a journal in the making alone.
    // The whole journal is reserved at once: once the file starts changing,
    // the journal cannot run out of space.
    const bool whole = file_.TryLockExclusive() && file_.Allocate(headerBytes_ + kJournalSlots * slotBytes_) &&
                       file_.WriteAt(0, encoded.data(), encoded.size()) && file_.Sync();
    if (whole && RenameFile(creation, path)) {
        if (SyncJournalFolders(folder, topmostMade)) return true;
        const int code = GetLastError();
        file_.Close();
        DeleteFile(path);
        return FailWith(code);
    }
    const int code = GetLastError();
    file_.Close();
    DeleteFile(creation);
    return FailWith(code);
}

bool InPlaceJournal::Open(const std::string& path, FileAccess access) {
    path_ = path;
    file_.access = access;
    file_.openDisposition = Disposition::OpenExisting;
    file_.showErrors = false;
    file_.refuseLinks = true;
    if (!file_.Open(path)) {
        // A link, a folder or anything else that is no file in its place.
        const int code = GetLastError();
        return IsError(code, ErrorCondition::NotAFile) ? FailWith(ErrorCondition::BadData) : FailWith(code);
    }
    // Only a journal of the user's own, under this one name, is trusted.
    bool isPrivate = false;
    std::uint64_t length = 0;
    if (!file_.IsPrivate(isPrivate) || !file_.Size(length)) return false;
    if (!isPrivate) return FailWith(ErrorCondition::BadData);
    std::vector<std::uint8_t> bytes(
        static_cast<std::size_t>(std::min<std::uint64_t>(length, kMaxJournalPathBytes + kPage)));
    std::uint64_t encoded = 0;
    if (!file_.ReadAt(0, bytes.data(), bytes.size())) return false;
    if (!DecodeJournalHeader(bytes, header_, encoded, seal_)) return FailWith(ErrorCondition::BadData);
    headerBytes_ = RoundUp(encoded, kPage);
    slotBytes_ = SlotBytes(header_);
    // Made at its full length at once: a shorter or longer one was changed since.
    if (length != headerBytes_ + kJournalSlots * slotBytes_) return FailWith(ErrorCondition::BadData);
    return true;
}

std::uint64_t InPlaceJournal::DataOffset(std::uint64_t window, std::uint64_t fileOffset) const {
    return headerBytes_ + (window % kJournalSlots) * slotBytes_ + DataInSlot(fileOffset);
}

bool InPlaceJournal::ReadSlot(int slot, const WindowPlan& plan, SlotContent& content) {
    content = {};
    const std::uint64_t at = headerBytes_ + static_cast<std::uint64_t>(slot) * slotBytes_;
    std::uint8_t head[kRecordHeadBytes];
    if (!file_.ReadAt(at, head, sizeof head)) return false;
    content.head = DecodeRecordHead(seal_, head, content.record);
    if (content.head != HeadState::Whole) return true;
    const RecordHead& record = content.record;
    // Where its data lies follows from its window: a window the file has not
    // got, or data that cannot fit its slot, is nothing a run wrote.
    if (record.window >= plan.Count() || record.outputLength > slotBytes_ - 2 * kPage ||
        record.carryLength > slotBytes_ - 2 * kPage - record.outputLength) {
        content.head = HeadState::Damaged;
        return true;
    }
    content.data.resize(static_cast<std::size_t>(record.outputLength + record.carryLength));
    const std::uint64_t dataAt = at + DataInSlot(plan.At(record.window).outputOffset);
    if (!file_.ReadAt(dataAt, content.data.data(), content.data.size())) return false;
    const std::size_t output = static_cast<std::size_t>(record.outputLength);
    content.dataWhole = OutputChecksum(seal_, content.data.data(), output) == record.outputChecksum &&
                        CarryChecksum(seal_, record.window, content.data.data() + output,
                                      content.data.size() - output) == record.carryChecksum;
    return true;
}

bool InPlaceJournal::FindResumePoint(const WindowPlan& plan, ResumePoint& point, bool& intact) {
    std::array<SlotContent, kJournalSlots> slots;
    for (int slot = 0; slot < kJournalSlots; ++slot)
        if (!ReadSlot(slot, plan, slots[slot])) return false;
    intact = tarvoss::FindResumePoint(slots, plan, point);
    return true;
}

bool InPlaceJournal::WriteRecord(const RecordHead& head, std::uint64_t fileOffset, const std::uint8_t* data) {
    const std::uint64_t length = head.outputLength + head.carryLength;
    if (length > slotBytes_ - 2 * kPage) return FailWith(ErrorCondition::InvalidArgument);
    const auto encoded = EncodeRecordHead(seal_, head);
    const std::uint64_t at = headerBytes_ + (head.window % kJournalSlots) * slotBytes_;
    // The head first: a crash then leaves a whole head with torn data, which
    // tells that this window never reached the file.
    return file_.WriteAt(at, encoded.data(), encoded.size()) &&
           file_.WriteAt(DataOffset(head.window, fileOffset), data, static_cast<std::size_t>(length)) &&
           file_.DataSync();
}

bool InPlaceJournal::ShareInto(FileRecord& file, const Window& window, std::uint64_t fileOffset, std::uint64_t length) {
    const std::uint64_t at = DataOffset(window.index, window.outputOffset) + (fileOffset - window.outputOffset);
    return CloneFileRange(file_, at, file, fileOffset, length);
}

bool InPlaceJournal::Remove() {
    if (file_.isOpen && !file_.Close()) return false;
    return DeleteFile(path_) && SyncDirectory(ParentFolder(path_));
}

void InPlaceJournal::Close() {
    if (file_.isOpen) file_.Close();
}

}  // namespace tarvoss
