#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <limits>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "io/FileSystem.h"

namespace lw::test {

// The broken disk a test asks for; a row of a table can name it. Every knob left alone passes
// its calls straight through.
struct Faults {
    static constexpr std::size_t kNoLimit = std::numeric_limits<std::size_t>::max();

    // The bytes a read hands out at most; the bytes read after which reads fail with EIO, or
    // after which the file seems to end (it was shortened); the bytes written after which the
    // disk is full.
    std::size_t readChunk = kNoLimit, readFailsAfter = kNoLimit, readEndsAfter = kNoLimit;
    std::size_t writeFailsAfter = kNoLimit;
    // Each read that brings bytes is followed by one more byte in the file, or by a new time of
    // last change, as when another program rewrites it at the same size.
    bool growsAfterRead = false, touchedAfterRead = false;
    // Each nonzero error number makes that call fail with it; closeError hits only an output's
    // Close. As the kernel's, a failed syncfs is reported only through a descriptor opened
    // before the last write.
    int fsyncError = 0, closeError = 0, renameError = 0, syncfsError = 0, flockError = 0;
    // A folder opened for reading fails with this (a folder the user may write into but not
    // read); the writeback hint fails with this.
    int folderOpenError = 0, writebackError = 0;
    // The file created as number n (0 the first) is removed before it is locked, as another
    // run's cleaning can.
    std::size_t takenBeforeLock = kNoLimit;
};

// The real file system with the faults asked for.
struct FaultyFileSystem : FileSystem, Faults {
    explicit FaultyFileSystem(const Faults& faults = {}) : Faults(faults) {}

    std::vector<mode_t> createModes;  // the permissions each file was created with
    // "open-folder write fchmod fsync ...": the calls that make outputs durable, in order.
    std::string calls;

    int Open(const char* path, int flags, mode_t mode) override {
        if (flags & O_DIRECTORY)
            return folderOpenError != 0 ? Fail(folderOpenError)
                                        : Log("open-folder").Open(path, flags, mode);
        const bool output = (flags & O_ACCMODE) != O_RDONLY;
        if (output && createModes.size() == takenBeforeLock) taken_ = path;
        if (output) createModes.push_back(mode);
        const int fd = FileSystem::Open(path, flags, mode);
        if (output) outputFd_ = fd;
        writtenWhenOpened_[fd] = written_;
        return fd;
    }
    int Flock(int fd, int operation) override {
        if (flockError != 0) return Fail(flockError);
        if (!taken_.empty()) ::unlink(std::exchange(taken_, "").c_str());
        return FileSystem::Flock(fd, operation);
    }
    int Fchmod(int fd, mode_t mode) override { return Log("fchmod").Fchmod(fd, mode); }
    ssize_t Read(int fd, void* buffer, size_t size) override {
        if (read_ >= readFailsAfter) return Fail(EIO);
        size = std::min({size, readChunk, readFailsAfter - read_,
                         readEndsAfter - std::min(read_, readEndsAfter)});
        const ssize_t got = FileSystem::Read(fd, buffer, size);
        read_ += std::size_t(std::max<ssize_t>(got, 0));
        if ((growsAfterRead || touchedAfterRead) && got > 0) ChangeAfterRead(fd);
        return got;
    }
    ssize_t Write(int fd, const void* buffer, size_t size) override {
        if (written_ >= writeFailsAfter) return Fail(ENOSPC);
        const ssize_t put =
            Log("write").Write(fd, buffer, std::min(size, writeFailsAfter - written_));
        written_ += std::size_t(std::max<ssize_t>(put, 0));
        return put;
    }
    int Fsync(int fd) override { return fsyncError ? Fail(fsyncError) : Log("fsync").Fsync(fd); }
    int StartWriteback(int fd, off_t offset, off_t size) override {
        return writebackError != 0 ? Fail(writebackError)
                                   : FileSystem::StartWriteback(fd, offset, size);
    }
    int Close(int fd) override {
        const int result = FileSystem::Close(fd);  // closed all the same, as close(2) does
        return fd == outputFd_ && closeError != 0 ? Fail(closeError) : result;
    }
    int Syncfs(int fd) override {
        if (syncfsError != 0 && writtenWhenOpened_[fd] < written_) return Fail(syncfsError);
        return Log("syncfs").Syncfs(fd);
    }
    int Rename(const char* from, const char* to) override {
        return renameError != 0 ? Fail(renameError) : Log("rename").Rename(from, to);
    }

private:
    static int Fail(int error) { return errno = error, -1; }
    // As another program would, through a descriptor of its own.
    void ChangeAfterRead(int fd) const {
        const int other = ::open(("/proc/self/fd/" + std::to_string(fd)).c_str(),
                                 O_WRONLY | O_APPEND | O_CLOEXEC);
        const timespec epoch[2] = {};
        if (other < 0 || (growsAfterRead && ::write(other, "x", 1) != 1) ||
            (touchedAfterRead && ::futimens(other, epoch) != 0))
            ADD_FAILURE() << "cannot change the file";
        ::close(other);
    }
    // Notes a call that goes through to the real file system.
    FileSystem& Log(std::string_view call) {
        calls.append(call).append(" ");
        return SystemFileSystem();
    }
    std::size_t read_ = 0, written_ = 0;
    std::map<int, std::size_t> writtenWhenOpened_;  // the bytes written when each fd was opened
    int outputFd_ = -1;
    std::string taken_;
};

}  // namespace lw::test
