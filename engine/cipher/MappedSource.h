#pragma once
// A read-only mapping of a file a transform only reads, so that the cipher
// takes its input straight from the system's cache instead of from a copy
// made by a read. Pages already used are let go every few MiB, which keeps the
// resident memory of a transform bounded whatever the file's length.
//
// A file that shrinks while mapped makes touching its lost pages raise a bus
// error; Use runs the work so that such an error fails the work (EIO) instead
// of ending the process.

#include <cstddef>
#include <cstdint>
#include <functional>

namespace tarvoss {

// Takes over SIGBUS for the whole process, once, so that a bus error inside
// a Use fails that work and any other one goes to the handler that was there
// before. A program calls it at start, before its threads: a process-wide
// handler is the program's decision, not something a transform installs
// behind its back. Until it is installed, Map refuses and transforms read.
bool InstallBusErrorHandler();

class MappedSource {
public:
    MappedSource() = default;
    MappedSource(const MappedSource&) = delete;
    MappedSource& operator=(const MappedSource&) = delete;
    ~MappedSource();

    // Maps the first `length` bytes of the open file `handle`. False, with
    // nothing mapped, when that cannot be done; the caller then reads instead.
    bool Map(int handle, std::uint64_t length);
    bool IsMapped() const { return begin_ != nullptr; }

    // Runs `work` on the `length` mapped bytes from `offset` on. False with
    // EIO when they could not be read, the file having shrunk meanwhile; the
    // work is then cut off midway, so it must not allocate or hold anything
    // that needs releasing.
    bool Use(std::uint64_t offset, std::size_t length, const std::function<void(const std::uint8_t*)>& work) const;

    // Nothing below `offset` is needed any more.
    void Release(std::uint64_t offset);

private:
    std::uint8_t* begin_ = nullptr;
    std::uint64_t length_ = 0;
    std::uint64_t released_ = 0;  // pages below it have been let go
};

}  // namespace tarvoss
