#include "io/AtomicOutputFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <map>
#include <utility>

#include "io/FileError.h"
#include "core/FileNames.h"
#include "io/LockedTemporaryFile.h"
#include "io/StaleTemporaryFiles.h"
#include "io/TemporaryFileName.h"
#include "io/TemporaryFiles.h"

namespace lw {

namespace {

constexpr std::size_t kFlushSize = 256 * 1024;

mode_t CurrentUmask() {
    const mode_t mask = ::umask(0);  // the only way to read it is to set it
    ::umask(mask);
    return mask;
}

// The permissions of the finished output. A file the user owns keeps its own, so a private
// sheet stays private; one that someone else planted lends nothing. Either way no group or
// other write bit comes back that the umask takes away.
mode_t FinalMode(const std::string& path, mode_t newFileMode, FileSystem& fs) {
    const mode_t umask = CurrentUmask();
    struct stat existing {};
    if (fs.Lstat(path.c_str(), &existing) == 0 && S_ISREG(existing.st_mode) &&
        existing.st_uid == ::geteuid())
        return existing.st_mode & 0777 & ~(umask & 022);
    return newFileMode & 0777 & ~umask;
}

}  // namespace

AtomicOutputFile::AtomicOutputFile(std::string path, mode_t newFileMode, FileSystem& fs)
    : AtomicOutputFile(std::move(path), newFileMode, std::nullopt, fs) {
    // Our own file is locked by now, so the cleaning passes it by.
    RemoveStaleTemporaryFiles(TemporaryFolderOf(path_), fs_);
}

AtomicOutputFile::AtomicOutputFile(std::string path, mode_t newFileMode,
                                   std::optional<std::uint32_t> run, FileSystem& fs)
    : fs_(fs), path_(std::move(path)), newFileMode_(newFileMode) {
    CheckOutputName(path_, fs_);
    LockedTemporaryFile file =
        CreateLockedTemporaryFile(TemporaryFolderOf(path_), run, std::nullopt, path_, fs_);
    temporaryPath_ = std::move(file.path);
    fd_ = file.fd;
    pending_.reserve(kFlushSize);
}

AtomicOutputFile::~AtomicOutputFile() {
    // Removed while still locked, so no other run's cleaning races us for it.
    if (!committed_) fs_.Unlink(temporaryPath_.c_str());
    if (fd_ >= 0) fs_.Close(fd_);
    ForgetTemporaryFile(temporaryPath_);
}

void AtomicOutputFile::CheckOutputName(const std::string& path, FileSystem& fs) {
    struct stat existing {};
    if (fs.Stat(path.c_str(), &existing) == 0 && S_ISDIR(existing.st_mode))
        ThrowFileError(kCannotSave, path, EISDIR);
    if (FileNameOf(path).size() > NAME_MAX) ThrowFileError(kCannotSave, path, ENAMETOOLONG);
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
    fs_.StartWriteback(fd_, writtenSize_, static_cast<off_t>(size));
    writtenSize_ += static_cast<off_t>(size);
}

void AtomicOutputFile::Finish() {
    Flush();
    pending_.shrink_to_fit();  // empty now; a set keeps many finished files, not their buffers
    // Private until the last byte is written.
    if (fs_.Fchmod(fd_, FinalMode(path_, newFileMode_, fs_)) != 0)
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
