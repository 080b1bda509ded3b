#include "io/OutputSet.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <utility>

#include "io/FileError.h"
#include "io/StaleTemporaryFiles.h"
#include "io/TemporaryFileName.h"
#include "io/TemporaryFiles.h"

namespace lw {

namespace {

mode_t CurrentUmask() {
    const mode_t mask = ::umask(0);  // the only way to read it is to set it
    ::umask(mask);
    return mask;
}

// The permissions of the finished output. A file the user owns keeps its own, so a private
// sheet stays private; one that someone else planted lends nothing. Either way no group or
// other write bit comes back that the umask takes away.
mode_t FinalMode(const struct stat* replaced, mode_t newFileMode, mode_t umask) {
    if (replaced && S_ISREG(replaced->st_mode) && replaced->st_uid == ::geteuid())
        return replaced->st_mode & 0777 & ~(umask & 022);
    return newFileMode & 0777 & ~umask;
}

}  // namespace

OutputSet::OutputSet(FileSystem& fs) : fs_(fs), umask_(CurrentUmask()) {}

OutputSet::~OutputSet() {
    members_.clear();  // their temporary files go while the folders are still locked
    ReleaseFolders();
}

std::unique_ptr<AtomicOutputFile> OutputSet::Create(std::string path, mode_t newFileMode,
                                                    const struct stat* replaced) {
    const std::string folderPath = TemporaryFolderOf(path);
    auto found = folders_.find(folderPath);
    if (found == folders_.end()) {
        LockedTemporaryFile lock = CreateLockedTemporaryFile(
            folderPath, std::nullopt, TemporaryFileName::kFolderLock, 0600, path, fs_);
        struct stat info {};
        fs_.Fstat(lock.fd, &info);
        syncDescriptors_.try_emplace(info.st_dev, lock.fd);
        // Opened now, not after the renames: a folder that cannot be read is known before
        // anything is written, and its outputs are then made durable another way.
        const int descriptor = fs_.Open(folderPath.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
        found =
            folders_.emplace(folderPath, Folder{std::move(lock), descriptor, info.st_dev}).first;
        RemoveStaleTemporaryFiles(folderPath, fs_);
    }
    const mode_t finalMode = FinalMode(replaced, newFileMode, umask_);
    return std::unique_ptr<AtomicOutputFile>(
        new AtomicOutputFile(std::move(path), finalMode, umask_, found->second.lock.run, fs_));
}

void OutputSet::Add(std::unique_ptr<AtomicOutputFile> output) {
    Folder& folder = folders_.at(TemporaryFolderOf(output->path_));
    output->Finish();
    CloseNewest();
    members_.push_back({std::move(output), &folder});
}

std::vector<OutputSet::Failure> OutputSet::Publish() {
    if (members_.size() == 1 && members_[0].output) {
        if (const int failure = members_[0].output->SyncData())
            Fail(0, AtomicOutputFile::kCannotWrite, failure);
    }
    CloseNewest();

    // One syncfs makes the data and permissions of every closed file on that file system
    // durable, where fsync would wait for the disk once per file.
    std::map<dev_t, int> syncFailures;
    if (members_.size() > 1) {
        for (const Member& member : members_) {
            const dev_t device = member.folder->device;
            if (member.output && !syncFailures.contains(device))
                syncFailures[device] = fs_.Syncfs(syncDescriptors_.at(device)) == 0 ? 0 : errno;
        }
    }
    for (std::size_t index = 0; index < members_.size(); ++index) {
        Member& member = members_[index];
        if (!member.output) continue;
        const auto synced = syncFailures.find(member.folder->device);
        if (synced != syncFailures.end() && synced->second != 0)
            Fail(index, AtomicOutputFile::kCannotWrite, synced->second);
        else if (const int failure = member.output->RenameOverOutput())
            Fail(index, AtomicOutputFile::kCannotSave, failure);
        else
            member.folder->renamedInto = true;
    }

    // The renames are on disk once their folders are.
    for (auto& [path, folder] : folders_) {
        if (!folder.renamedInto) continue;
        if (const int failure = SyncNames(folder)) {
            for (std::size_t index = 0; index < members_.size(); ++index)
                if (members_[index].output && members_[index].folder == &folder)
                    Fail(index, AtomicOutputFile::kCannotSave, failure);
        }
    }

    members_.clear();
    ReleaseFolders();
    std::ranges::stable_sort(failures_, {}, &Failure::index);
    return std::exchange(failures_, {});
}

void OutputSet::Fail(std::size_t index, std::string_view what, int errorNumber) {
    failures_.push_back({index, FileErrorText(what, members_[index].output->path_, errorNumber)});
    members_[index].output.reset();
}

void OutputSet::CloseNewest() {
    if (members_.empty() || !members_.back().output || members_.back().output->fd_ < 0) return;
    if (const int failure = members_.back().output->CloseFile())
        Fail(members_.size() - 1, AtomicOutputFile::kCannotWrite, failure);
}

int OutputSet::SyncNames(const Folder& folder) {
    if (folder.descriptor >= 0) return fs_.Fsync(folder.descriptor) == 0 ? 0 : errno;
    // The lock was opened before anything in the folder was written, so its syncfs reports
    // every failure to write back what the set put there, the renames included.
    return fs_.Syncfs(folder.lock.fd) == 0 ? 0 : errno;
}

void OutputSet::ReleaseFolders() {
    // Removed last and under its lock, so no other run sees the set's files unguarded.
    for (auto& [path, folder] : folders_) {
        fs_.Unlink(folder.lock.path.c_str());
        fs_.Close(folder.lock.fd);
        ForgetTemporaryFile(folder.lock.path);
        if (folder.descriptor >= 0) fs_.Close(folder.descriptor);
    }
    folders_.clear();
    syncDescriptors_.clear();
}

}  // namespace lw
