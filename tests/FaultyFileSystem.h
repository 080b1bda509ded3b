#pragma once

#include <fcntl.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <limits>
#include <optional>

#include "convert/FileSystem.h"

namespace lw::test {

// The real file system with a broken disk where a test asks for one. Every knob left alone
// passes its calls straight through.
class FaultyFileSystem : public FileSystem {
public:
    static constexpr std::size_t kNoLimit = std::numeric_limits<std::size_t>::max();

    // Reads hand out at most readChunk bytes each; after readFailsAfter bytes they fail with EIO.
    std::size_t readChunk = kNoLimit;
    std::optional<std::size_t> readFailsAfter;

    // Writes take at most writeChunk bytes each; after writeFailsAfter bytes the disk is full.
    std::size_t writeChunk = kNoLimit;
    std::optional<std::size_t> writeFailsAfter;

    // Each nonzero error number makes that call fail with it. createError hits only files
    // opened for writing, closeOutputError only their Close.
    int createError = 0;
    int fsyncError = 0;
    int closeOutputError = 0;
    int renameError = 0;

    // How often the run wrote and renamed, to see that a failure stopped it.
    int renames = 0;

    int Open(const char* path, int flags, mode_t mode) override {
        const bool forWriting = (flags & O_ACCMODE) != O_RDONLY;
        if (forWriting && createError != 0) return Fail(createError);
        const int fd = FileSystem::Open(path, flags, mode);
        if (forWriting && fd >= 0) outputFd_ = fd;
        return fd;
    }

    ssize_t Read(int fd, void* buffer, size_t size) override {
        size = std::min(size, readChunk);
        if (readFailsAfter) {
            if (read_ >= *readFailsAfter) return Fail(EIO);
            size = std::min(size, *readFailsAfter - read_);
        }
        const ssize_t got = FileSystem::Read(fd, buffer, size);
        if (got > 0) read_ += static_cast<std::size_t>(got);
        return got;
    }

    ssize_t Write(int fd, const void* buffer, size_t size) override {
        size = std::min(size, writeChunk);
        if (writeFailsAfter) {
            if (written_ >= *writeFailsAfter) return Fail(ENOSPC);
            size = std::min(size, *writeFailsAfter - written_);
        }
        const ssize_t put = FileSystem::Write(fd, buffer, size);
        if (put > 0) written_ += static_cast<std::size_t>(put);
        return put;
    }

    int Fsync(int fd) override {
        return fsyncError != 0 ? Fail(fsyncError) : FileSystem::Fsync(fd);
    }

    int Close(int fd) override {
        const int result = FileSystem::Close(fd);
        // The file is closed all the same, as close(2) does even when it reports an error.
        if (fd == outputFd_ && closeOutputError != 0) return Fail(closeOutputError);
        return result;
    }

    int Rename(const char* from, const char* to) override {
        ++renames;
        return renameError != 0 ? Fail(renameError) : FileSystem::Rename(from, to);
    }

private:
    static int Fail(int error) {
        errno = error;
        return -1;
    }

    std::size_t read_ = 0;
    std::size_t written_ = 0;
    int outputFd_ = -1;
};

}  // namespace lw::test
