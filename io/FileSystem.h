#pragma once

#include <dirent.h>
#include <sys/stat.h>
#include <sys/types.h>

namespace lw {

// The system calls Leadwright makes on files. Each default forwards to the operating system;
// tests override one of them to break the disk on purpose.
class FileSystem {
public:
    virtual ~FileSystem() = default;
    virtual int Open(const char* path, int flags, mode_t mode);
    virtual ssize_t Read(int fd, void* buffer, size_t size);
    virtual ssize_t Write(int fd, const void* buffer, size_t size);
    virtual int Fsync(int fd);
    // Starts writing a range of a file to disk without waiting for it (Linux's sync_file_range).
    virtual int StartWriteback(int fd, off_t offset, off_t size);
    virtual int Syncfs(int fd);  // every file of the file system that holds fd
    virtual int Close(int fd);
    virtual int Rename(const char* from, const char* to);
    virtual int Unlink(const char* path);
    virtual int Fstat(int fd, struct stat* info);
    virtual int Stat(const char* path, struct stat* info);
    virtual int Lstat(const char* path, struct stat* info);
    virtual int Fchmod(int fd, mode_t mode);
    virtual int Flock(int fd, int operation);
    virtual int Dup(int fd);  // the copy is closed on exec, as every descriptor we open is
    virtual DIR* Opendir(const char* path);
    virtual dirent* Readdir(DIR* folder);
    virtual int Closedir(DIR* folder);
};

// The operating system's files, unchanged.
FileSystem& SystemFileSystem();

}  // namespace lw
