#include "io/AtomicOutputFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <map>
#include <utility>

#include "core/FileNames.h"
#include "io/FileError.h"
#include "io/LockedTemporaryFile.h"
#include "io/TemporaryFileName.h"
#include "io/TemporaryFiles.h"

namespace lw {

namespace {

constexpr std::size_t kFlushSize = 256 * 1024;

// The disk writes in pages: a hint for less than one is a system call for nothing.
constexpr std::size_t kWritebackUnit = 4096;

// Whether a file created with mode under umask gets exactly mode, and no one else may write
// into it while it is written.
bool SafeToCreateWith(mode_t mode, mode_t umask) {
    return (mode & 022) == 0 && (mode & ~umask) == mode;
}

}  // namespace

AtomicOutputFile::AtomicOutputFile(std::string path, mode_t finalMode, mode_t umask,
                                   std::uint32_t run, FileSystem& fs)
    : fs_(fs),
      path_(std::move(path)),
      finalMode_(finalMode),
      createdMode_(SafeToCreateWith(finalMode, umask) ? finalMode : 0600) {
    // A name that is a folder now fails at the rename, with the same message.
    if (FileNameOf(path_).size() > NAME_MAX) ThrowFileError(kCannotSave, path_, ENAMETOOLONG);
    // The set's lock on the folder keeps other runs' cleaning away from the file.
    LockedTemporaryFile file = CreateLockedTemporaryFile(TemporaryFolderOf(path_), run,
                                                         std::nullopt, createdMode_, path_, fs_);
    temporaryPath_ = std::move(file.path);
    fd_ = file.fd;
    pending_.reserve(kFlushSize);
}

AtomicOutputFile::~AtomicOutputFile() {
    // Removed while the set still holds the folder, so no other run's cleaning races us for it.
    if (!committed_) fs_.Unlink(temporaryPath_.c_str());
    if (fd_ >= 0) fs_.Close(fd_);
    ForgetTemporaryFile(temporaryPath_);
}

void AtomicOutputFile::Write(std::string_view bytes) {
    if (pending_.size() + bytes.size() > kFlushSize) {
        Flush();
        if (bytes.size() > kFlushSize) {
            WriteAll(bytes);
            return;
        }
    }
    pending_.append(bytes);
}

void AtomicOutputFile::WriteLine(std::string_view line) {
    Write(line);
    Write("\r\n");
}

void AtomicOutputFile::Flush() {
    WriteAll(pending_);
    pending_.clear();
}

void AtomicOutputFile::WriteAll(std::string_view bytes) {
    const std::size_t size = bytes.size();
    while (!bytes.empty()) {
        const ssize_t written = fs_.Write(fd_, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) ThrowFileError(kCannotWrite, path_, written < 0 ? errno : ENOSPC);
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    // The disk starts on what was written while the rest is converted, so that the sync at the
    // end waits for less. Only a hint: whatever fails here fails again at that sync.
    if (size >= kWritebackUnit) fs_.StartWriteback(fd_, writtenSize_, static_cast<off_t>(size));
    writtenSize_ += static_cast<off_t>(size);
}

void AtomicOutputFile::Finish() {
    Flush();
    pending_.shrink_to_fit();  // empty now; a set keeps many finished files, not their buffers
    // Private until the last byte is written, where others could write into it otherwise.
    if (createdMode_ != finalMode_ && fs_.Fchmod(fd_, finalMode_) != 0)
        ThrowFileError(kCannotWrite, path_, errno);
}

int AtomicOutputFile::SyncData() { return fs_.Fsync(fd_) == 0 ? 0 : errno; }

int AtomicOutputFile::CloseFile() { return fs_.Close(std::exchange(fd_, -1)) == 0 ? 0 : errno; }

int AtomicOutputFile::RenameOverOutput() {
    if (fs_.Rename(temporaryPath_.c_str(), path_.c_str()) != 0) return errno;
    committed_ = true;
    return 0;
}

}  // namespace lw
