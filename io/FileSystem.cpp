#include "io/FileSystem.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdio>

namespace lw {

int FileSystem::Open(const char* path, int flags, mode_t mode) { return ::open(path, flags, mode); }
ssize_t FileSystem::Read(int fd, void* buffer, size_t size) { return ::read(fd, buffer, size); }
ssize_t FileSystem::Write(int fd, const void* buffer, size_t size) {
    return ::write(fd, buffer, size);
}
int FileSystem::Fsync(int fd) { return ::fsync(fd); }
int FileSystem::StartWriteback(int fd, off_t offset, off_t size) {
    return ::sync_file_range(fd, offset, size, SYNC_FILE_RANGE_WRITE);
}
int FileSystem::Syncfs(int fd) { return ::syncfs(fd); }
int FileSystem::Close(int fd) { return ::close(fd); }
int FileSystem::Rename(const char* from, const char* to) { return std::rename(from, to); }
int FileSystem::Unlink(const char* path) { return ::unlink(path); }
int FileSystem::Fstat(int fd, struct stat* info) { return ::fstat(fd, info); }
int FileSystem::Stat(const char* path, struct stat* info) { return ::stat(path, info); }
int FileSystem::Lstat(const char* path, struct stat* info) { return ::lstat(path, info); }
int FileSystem::Fchmod(int fd, mode_t mode) { return ::fchmod(fd, mode); }
int FileSystem::Flock(int fd, int operation) { return ::flock(fd, operation); }
int FileSystem::Dup(int fd) { return ::fcntl(fd, F_DUPFD_CLOEXEC, 0); }
DIR* FileSystem::Opendir(const char* path) { return ::opendir(path); }
dirent* FileSystem::Readdir(DIR* folder) { return ::readdir(folder); }
int FileSystem::Closedir(DIR* folder) { return ::closedir(folder); }

FileSystem& SystemFileSystem() {
    static FileSystem system;
    return system;
}

}  // namespace lw
