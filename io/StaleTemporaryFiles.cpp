#include "io/StaleTemporaryFiles.h"

#include <fcntl.h>
#include <sys/file.h>

#include <cerrno>
#include <vector>

#include "io/TemporaryFileName.h"

namespace lw {

namespace {

// O_NONBLOCK: a fifo planted under our name must not stop the run.
constexpr int kLookFlags = O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Whether a live run holds path; a file that cannot be opened counts as held.
bool IsHeld(const std::string& path, FileSystem& fs) {
    const int fd = fs.Open(path.c_str(), kLookFlags, 0);
    if (fd < 0) return errno != ENOENT;
    const bool held = fs.Flock(fd, LOCK_SH | LOCK_NB) != 0;
    fs.Close(fd);
    return held;
}

// Removes path if it is a regular file that nobody holds. It is unlinked under our lock and
// only while its name still leads to the file locked: a run puts its file in place (or gives
// it up) before it lets go of the lock, so a name that moved on belongs to someone else.
void RemoveIfNotHeld(const std::string& path, FileSystem& fs) {
    const int fd = fs.Open(path.c_str(), kLookFlags, 0);
    if (fd < 0) return;
    struct stat opened {};
    struct stat named {};
    if (fs.Fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) &&
        fs.Flock(fd, LOCK_EX | LOCK_NB) == 0 && fs.Lstat(path.c_str(), &named) == 0 &&
        SameFile(named, opened))
        fs.Unlink(path.c_str());
    fs.Close(fd);
}

}  // namespace

void RemoveStaleTemporaryFiles(const std::string& folder, FileSystem& fs) {
    // Listed first: names removed while the folder is read may hide others.
    std::vector<std::string> names;
    if (DIR* listing = fs.Opendir(folder.c_str())) {
        while (const dirent* entry = fs.Readdir(listing))
            if (ParseTemporaryFileName(entry->d_name)) names.emplace_back(entry->d_name);
        fs.Closedir(listing);
    }
    for (const std::string& name : names) {
        const TemporaryFileName parsed = *ParseTemporaryFileName(name);
        // A closed file of a live run is not locked itself; the run's folder lock is. The lock
        // is created before any other file of the run and removed after all of them.
        const std::string folderLock =
            TemporaryFilePath(folder, {parsed.run, TemporaryFileName::kFolderLock});
        if (parsed.file != TemporaryFileName::kFolderLock && IsHeld(folderLock, fs)) continue;
        RemoveIfNotHeld(folder + name, fs);
    }
}

}  // namespace lw
