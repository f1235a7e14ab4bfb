#include "cipher/MappedSource.h"

#include "platform/LastError.h"

#include <sys/mman.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csetjmp>
#include <csignal>

namespace tarvoss {

namespace {

// Pages are let go in steps of this many bytes: each step costs every core
// running the process a flush of its address translations.
constexpr std::uint64_t kReleaseStep = std::uint64_t{2} << 20;

// The work of one thread that a bus error inside [begin, end) abandons.
struct Guard {
    sigjmp_buf jump;
    const std::uint8_t* begin;
    const std::uint8_t* end;
};

thread_local Guard* activeGuard = nullptr;
struct sigaction previousAction;

void OnBusError(int signal, siginfo_t* info, void* context) {
    Guard* guard = activeGuard;
    const auto* address = static_cast<const std::uint8_t*>(info->si_addr);
    if (guard != nullptr && address >= guard->begin && address < guard->end) {
        activeGuard = nullptr;
        siglongjmp(guard->jump, 1);
    }
    // Not a fault of ours: whatever handled it before does.
    if ((previousAction.sa_flags & SA_SIGINFO) != 0 && previousAction.sa_sigaction != nullptr) {
        previousAction.sa_sigaction(signal, info, context);
    } else if (previousAction.sa_handler != SIG_DFL && previousAction.sa_handler != SIG_IGN) {
        previousAction.sa_handler(signal);
    } else {
        // Returning repeats the fault, which now ends the process as usual.
        std::signal(SIGBUS, SIG_DFL);
    }
}

std::atomic<bool> handlerInstalled{false};

std::uint64_t PageSize() {
    static const std::uint64_t size = static_cast<std::uint64_t>(sysconf(_SC_PAGESIZE));
    return size;
}

}  // namespace

bool InstallBusErrorHandler() {
    static const bool installed = [] {
        struct sigaction action {};
        action.sa_sigaction = OnBusError;
        // Not blocked while handled: a jump out of the handler leaves the
        // signal mask as it was, ready for the next fault.
        action.sa_flags = SA_SIGINFO | SA_NODEFER;
        sigemptyset(&action.sa_mask);
        return sigaction(SIGBUS, &action, &previousAction) == 0;
    }();
    handlerInstalled.store(installed);
    return installed;
}

MappedSource::~MappedSource() {
    if (begin_ != nullptr) munmap(begin_, length_);
}

bool MappedSource::Map(int handle, std::uint64_t length) {
    // Without the handler a shrinking file would end the process: read instead.
    if (length == 0 || length > SIZE_MAX || !handlerInstalled.load()) return false;
    void* address = mmap(nullptr, length, PROT_READ, MAP_SHARED, handle, 0);
    if (address == MAP_FAILED) return false;
    madvise(address, length, MADV_SEQUENTIAL);
    begin_ = static_cast<std::uint8_t*>(address);
    length_ = length;
    return true;
}

bool MappedSource::Use(std::uint64_t offset, std::size_t length,
                       const std::function<void(const std::uint8_t*)>& work) const {
    Guard guard;
    guard.begin = begin_ + offset;
    guard.end = guard.begin + length;
    if (sigsetjmp(guard.jump, 0) != 0) return FailWith(EIO);
    activeGuard = &guard;
    work(guard.begin);
    activeGuard = nullptr;
    return true;
}

void MappedSource::Release(std::uint64_t offset) {
    const std::uint64_t below = offset / PageSize() * PageSize();
    if (begin_ == nullptr || below < released_ + kReleaseStep) return;
    madvise(begin_ + released_, below - released_, MADV_DONTNEED);
    released_ = below;
}

}  // namespace tarvoss
