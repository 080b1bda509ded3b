#include "io/AtomicOutputFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <map>
#include <utility>

#include "io/FileError.h"
#include "io/FileNames.h"
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

AtomicOutputFile::AtomicOutputFile(std::string path, FileSystem& fs)
    : AtomicOutputFile(std::move(path), 0666, std::nullopt, fs) {}

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

int AtomicOutputFile::SyncFolder(const std::string& folder, FileSystem& fs) {
    const int fd = fs.Open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
    if (fd < 0) return errno;
    const int failure = fs.Fsync(fd) == 0 ? 0 : errno;
    fs.Close(fd);
    return failure;
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
    while (!bytes.empty()) {
        const ssize_t written = fs_.Write(fd_, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) ThrowFileError(kCannotWrite, path_, written < 0 ? errno : ENOSPC);
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
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

void AtomicOutputFile::Commit() {
    Finish();
    if (const int failure = SyncData()) ThrowFileError(kCannotWrite, path_, failure);
    // Closing is where some file systems report a failed write; a copy of the descriptor keeps
    // the lock meanwhile, until the file has its name.
    const int lockHolder = fs_.Dup(fd_);
    const int closeFailure = CloseFile();
    fd_ = lockHolder;
    if (closeFailure != 0) ThrowFileError(kCannotWrite, path_, closeFailure);
    if (const int failure = RenameOverOutput()) ThrowFileError(kCannotSave, path_, failure);
    CloseFile();
    if (const int failure = SyncFolder(TemporaryFolderOf(path_), fs_))
        ThrowFileError(kCannotSave, path_, failure);
}

void AtomicOutputFile::Close(DataSync sync) {
    Finish();
    if (sync == DataSync::Now && fs_.Fsync(fd_) != 0) ThrowFileError(kCannotWrite, path_, errno);
    synced_ = sync == DataSync::Now;
    if (const int failure = CloseFile()) ThrowFileError(kCannotWrite, path_, failure);
}

int AtomicOutputFile::RenameOverOutput() {
    if (fs_.Rename(temporaryPath_.c_str(), path_.c_str()) != 0) return errno;
    committed_ = true;
    return 0;
}

std::vector<AtomicOutputFile::PublishFailure> AtomicOutputFile::PublishTogether(
    std::span<const std::unique_ptr<AtomicOutputFile>> files, FileSystem& fs) {
    struct Folder {
        int syncError = 0;  // of the file system sync, then of the folder's own
        bool holdsUnsynced = false;
        bool renamedInto = false;
    };
    std::map<std::string, Folder> folders;
    for (const auto& file : files)
        folders[TemporaryFolderOf(file->path_)].holdsUnsynced |= !file->synced_;

    // One syncfs makes the data and permissions of every closed file on that file system
    // durable, where fsync would wait for the disk once per file.
    std::map<dev_t, int> fileSystems;  // each one synced, with the error of its sync
    for (auto& [path, folder] : folders) {
        if (!folder.holdsUnsynced) continue;
        const int fd = fs.Open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
        struct stat info {};
        if (fd < 0 || fs.Fstat(fd, &info) != 0) {
            folder.syncError = errno;
        } else {
            const auto [synced, first] = fileSystems.try_emplace(info.st_dev, 0);
            if (first && fs.Syncfs(fd) != 0) synced->second = errno;
            folder.syncError = synced->second;
        }
        if (fd >= 0) fs.Close(fd);
    }

    std::vector<PublishFailure> failures;
    for (std::size_t index = 0; index < files.size(); ++index) {
        AtomicOutputFile& file = *files[index];
        Folder& folder = folders[TemporaryFolderOf(file.path_)];
        if (folder.syncError != 0)
            failures.push_back({index, FileErrorText(kCannotWrite, file.path_, folder.syncError)});
        else if (const int failure = file.RenameOverOutput())
            failures.push_back({index, FileErrorText(kCannotSave, file.path_, failure)});
        else
            folder.renamedInto = true;
    }

    // The renames are on disk once their folders are.
    for (auto& [path, folder] : folders)
        if (folder.renamedInto) folder.syncError = SyncFolder(path, fs);
    for (std::size_t index = 0; index < files.size(); ++index) {
        const AtomicOutputFile& file = *files[index];
        const Folder& folder = folders[TemporaryFolderOf(file.path_)];
        if (file.committed_ && folder.syncError != 0)
            failures.push_back({index, FileErrorText(kCannotSave, file.path_, folder.syncError)});
    }
    return failures;
}

}  // namespace lw
