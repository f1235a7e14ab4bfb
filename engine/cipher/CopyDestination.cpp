#include "cipher/CopyDestination.h"

#include "platform/FileSystem.h"
#include "platform/LastError.h"

#include <cerrno>
#include <cstdio>
#include <random>

namespace tarvoss {

namespace {

constexpr int kNameAttempts = 16;

// A name no other file in the folder is likely to have; hidden, so that a
// listing of the folder does not show it while the copy is written.
std::string TemporaryName(const std::string& destination)
{
    thread_local std::mt19937_64 random{std::random_device{}()};
    char name[32];
    std::snprintf(name, sizeof name, ".tarvoss-%016llx.tmp", static_cast<unsigned long long>(random()));
    const auto slash = destination.rfind('/');
    return (slash == std::string::npos ? std::string() : destination.substr(0, slash + 1)) + name;
}

} // namespace

CopyDestination::CopyDestination(std::string destination) : destination_(std::move(destination))
{
    file_.access = FileAccess::ReadWrite;
    file_.createDisposition = Disposition::CreateNew;
    file_.showErrors = false;
}

CopyDestination::~CopyDestination()
{
    Discard();
}

bool CopyDestination::Create(bool destinationExists)
{
    if (!destinationExists) {
        written_ = destination_;
        if (file_.Create(written_)) {
            pending_ = true;
            return true;
        }
        // Something took the name meanwhile: leave it alone until the end.
        if (GetLastError() != EEXIST)
            return false;
    }
    return CreateTemporary();
}

bool CopyDestination::CreateTemporary()
{
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        written_ = TemporaryName(destination_);
        if (file_.Create(written_)) {
            pending_ = true;
            return true;
        }
        if (GetLastError() != EEXIST)
            return false;
    }
    return false;
}

bool CopyDestination::Commit()
{
    if (!file_.Close() || (written_ != destination_ && !RenameFile(written_, destination_))) {
        Discard();
        return false;
    }
    pending_ = false;
    return true;
}

void CopyDestination::Discard()
{
    if (!pending_)
        return;
    // Removing the file must not hide why the copy failed.
    const int code = GetLastError();
    if (file_.isOpen)
        file_.Close();
    DeleteFile(written_);
    pending_ = false;
    SetLastError(code);
}

} // namespace tarvoss
