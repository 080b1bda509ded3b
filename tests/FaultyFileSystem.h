#pragma once

#include <fcntl.h>

#include <algorithm>
#include <cerrno>
#include <limits>
#include <vector>

#include "io/FileSystem.h"

namespace lw::test {

// The real file system with a broken disk where a test asks for one; every knob left alone
// passes its calls straight through.
struct FaultyFileSystem : FileSystem {
    static constexpr std::size_t kNoLimit = std::numeric_limits<std::size_t>::max();

    std::size_t readChunk = kNoLimit;        // bytes a read hands out at most
    std::size_t readFailsAfter = kNoLimit;   // then reads fail with EIO
    std::size_t readEndsAfter = kNoLimit;    // then the file seems to end: it was shortened
    std::size_t writeFailsAfter = kNoLimit;  // then the disk is full
    // Each nonzero error number makes that call fail with it; createError hits only files
    // opened for writing, closeError only their Close.
    int createError = 0, fsyncError = 0, closeError = 0, renameError = 0, syncfsError = 0;
    std::vector<mode_t> createModes;  // the permissions each file was created with

    int Open(const char* path, int flags, mode_t mode) override {
        if ((flags & O_ACCMODE) == O_RDONLY) return FileSystem::Open(path, flags, mode);
        if (createError != 0) return Fail(createError);
        createModes.push_back(mode);
        return outputFd_ = FileSystem::Open(path, flags, mode);
    }
    ssize_t Read(int fd, void* buffer, size_t size) override {
        if (read_ >= readFailsAfter) return Fail(EIO);
        size = std::min({size, readChunk, readFailsAfter - read_,
                         readEndsAfter - std::min(read_, readEndsAfter)});
        const ssize_t got = FileSystem::Read(fd, buffer, size);
        read_ += std::size_t(std::max<ssize_t>(got, 0));
        return got;
    }
    ssize_t Write(int fd, const void* buffer, size_t size) override {
        if (written_ >= writeFailsAfter) return Fail(ENOSPC);
        const ssize_t put =
            FileSystem::Write(fd, buffer, std::min(size, writeFailsAfter - written_));
        written_ += std::size_t(std::max<ssize_t>(put, 0));
        return put;
    }
    int Fsync(int fd) override {
        return fsyncError != 0 ? Fail(fsyncError) : FileSystem::Fsync(fd);
    }
    int Close(int fd) override {
        const int result = FileSystem::Close(fd);  // closed all the same, as close(2) does
        return fd == outputFd_ && closeError != 0 ? Fail(closeError) : result;
    }
    int Syncfs(int fd) override {
        return syncfsError != 0 ? Fail(syncfsError) : FileSystem::Syncfs(fd);
    }
    int Rename(const char* from, const char* to) override {
        return renameError != 0 ? Fail(renameError) : FileSystem::Rename(from, to);
    }

private:
    static int Fail(int error) {
        errno = error;
        return -1;
    }
    std::size_t read_ = 0, written_ = 0;
    int outputFd_ = -1;
};

}  // namespace lw::test
