#include "io/AtomicOutputFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <map>
#include <random>
#include <utility>

#include "io/FileError.h"
#include "io/FileNames.h"
#include "io/TemporaryFiles.h"

namespace lw {

namespace {

constexpr std::size_t kFlushSize = 256 * 1024;
constexpr std::string_view kCannotWrite = "Cannot write the output file";
constexpr std::string_view kCannotSave = "Cannot save the output file";

std::string FolderOrDot(std::string_view path) {
    const std::string_view folder = FolderOf(path);
    return folder.empty() ? "./" : std::string(folder);
}

std::string RandomSuffix() {
    std::random_device random;
    char text[17];
    std::snprintf(text, sizeof text, "%08x%08x", random(), random());
    return text;
}

mode_t CurrentUmask() {
    const mode_t mask = ::umask(0);  // the only way to read it is to set it
    ::umask(mask);
    return mask;
}

// The permissions of the finished output. A file the user owns keeps its own, so a private
// sheet stays private; one that someone else planted lends nothing. Either way no group or
// other write bit comes back that the umask takes away.
mode_t FinalMode(const std::string& path, FileSystem& fs) {
    const mode_t umask = CurrentUmask();
    struct stat existing {};
    if (fs.Lstat(path.c_str(), &existing) == 0 && S_ISREG(existing.st_mode) &&
        existing.st_uid == ::geteuid())
        return existing.st_mode & 0777 & ~(umask & 022);
    return 0666 & ~umask;
}

// Makes the names in a folder durable: 0, or the error number.
int SyncFolder(const std::string& folder, FileSystem& fs) {
    const int fd = fs.Open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
    if (fd < 0) return errno;
    const int failure = fs.Fsync(fd) == 0 ? 0 : errno;
    fs.Close(fd);
    return failure;
}

}  // namespace

AtomicOutputFile::AtomicOutputFile(std::string path, FileSystem& fs)
    : fs_(fs), path_(std::move(path)) {
    struct stat existing {};
    if (fs_.Stat(path_.c_str(), &existing) == 0 && S_ISDIR(existing.st_mode))
        ThrowFileError(kCannotSave, path_, EISDIR);
    if (FileNameOf(path_).size() > NAME_MAX) ThrowFileError(kCannotSave, path_, ENAMETOOLONG);

    const std::string folder = FolderOrDot(path_);
    // O_EXCL refuses a name that exists already, a planted link included; try a few others.
    // Readable by the user alone until Commit(): nobody can open it while it is written.
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporaryPath_ = folder + ".leadwright-" + RandomSuffix() + ".tmp";
        RegisterTemporaryFile(temporaryPath_);
        fd_ = fs_.Open(temporaryPath_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd_ >= 0) break;
        const int failure = errno;
        ForgetTemporaryFile(temporaryPath_);
        if (failure != EEXIST) ThrowFileError("Cannot create the output file", path_, failure);
    }
    if (fd_ < 0) ThrowFileError("Cannot create the output file", path_, EEXIST);
    pending_.reserve(kFlushSize);
}

AtomicOutputFile::~AtomicOutputFile() {
    if (fd_ >= 0) fs_.Close(fd_);
    if (!committed_) fs_.Unlink(temporaryPath_.c_str());
    ForgetTemporaryFile(temporaryPath_);
}

void AtomicOutputFile::WriteLine(std::string_view line) {
    if (pending_.size() + line.size() + 2 > kFlushSize) {
        Flush();
        if (line.size() + 2 > kFlushSize) {
            WriteAll(line);
            WriteAll("\r\n");
            return;
        }
    }
    pending_.append(line).append("\r\n", 2);
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

void AtomicOutputFile::Commit() {
    Close(DataSync::Now);
    if (const int failure = RenameOverOutput()) ThrowFileError(kCannotSave, path_, failure);
    if (const int failure = SyncFolder(FolderOrDot(path_), fs_))
        ThrowFileError(kCannotSave, path_, failure);
}

void AtomicOutputFile::Close(DataSync sync) {
    Flush();
    pending_.shrink_to_fit();  // empty now; a set keeps many closed files, not their buffers
    if (fs_.Fchmod(fd_, FinalMode(path_, fs_)) != 0) ThrowFileError(kCannotWrite, path_, errno);
    if (sync == DataSync::Now && fs_.Fsync(fd_) != 0) ThrowFileError(kCannotWrite, path_, errno);
    synced_ = sync == DataSync::Now;
    const int fd = std::exchange(fd_, -1);
    if (fs_.Close(fd) != 0) ThrowFileError(kCannotWrite, path_, errno);
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
        folders[FolderOrDot(file->path_)].holdsUnsynced |= !file->synced_;

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
        Folder& folder = folders[FolderOrDot(file.path_)];
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
        const Folder& folder = folders[FolderOrDot(file.path_)];
        if (file.committed_ && folder.syncError != 0)
            failures.push_back({index, FileErrorText(kCannotSave, file.path_, folder.syncError)});
    }
    return failures;
}

}  // namespace lw
