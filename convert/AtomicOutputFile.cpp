#include "AtomicOutputFile.h"

#include <fcntl.h>

#include <cerrno>
#include <cstdio>
#include <random>

#include "RunFailure.h"
#include "core/KeyFromFilename.h"

namespace lw {

namespace {

constexpr std::size_t kFlushSize = 256 * 1024;

// The folder part of a path, ending in "/".
std::string FolderOf(const std::string& path) {
    const std::string folder = path.substr(0, path.size() - FileNameOf(path).size());
    return folder.empty() ? "./" : folder;
}

std::string RandomSuffix() {
    std::random_device random;
    char text[17];
    std::snprintf(text, sizeof text, "%08x%08x", random(), random());
    return text;
}

}  // namespace

AtomicOutputFile::AtomicOutputFile(std::string path, FileSystem& fs)
    : fs_(fs), path_(std::move(path)) {
    const std::string folder = FolderOf(path_);
    // O_EXCL refuses a name that exists already, a planted link included; try a few others.
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporaryPath_ = folder + ".leadwright-" + RandomSuffix() + ".tmp";
        fd_ = fs_.Open(temporaryPath_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ >= 0 || errno != EEXIST) break;
    }
    if (fd_ < 0) ThrowFileFailure("Cannot create the output file", path_, errno);
    // A file that is replaced keeps its permissions: a private lead sheet stays private.
    struct stat existing {};
    if (fs_.Lstat(path_.c_str(), &existing) == 0 && S_ISREG(existing.st_mode) &&
        fs_.Fchmod(fd_, existing.st_mode & 07777) != 0) {
        const int failure = errno;
        fs_.Close(fd_);  // no destructor runs for an object that was never made
        fs_.Unlink(temporaryPath_.c_str());
        ThrowFileFailure("Cannot create the output file", path_, failure);
    }
    pending_.reserve(kFlushSize);
}

AtomicOutputFile::~AtomicOutputFile() {
    if (fd_ >= 0) fs_.Close(fd_);
    if (!committed_) fs_.Unlink(temporaryPath_.c_str());
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
        if (written <= 0)
            ThrowFileFailure("Cannot write the output file", path_, written < 0 ? errno : ENOSPC);
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

void AtomicOutputFile::Commit() {
    Flush();
    if (fs_.Fsync(fd_) != 0) ThrowFileFailure("Cannot write the output file", path_, errno);
    const int fd = fd_;
    fd_ = -1;
    if (fs_.Close(fd) != 0) ThrowFileFailure("Cannot write the output file", path_, errno);
    if (fs_.Rename(temporaryPath_.c_str(), path_.c_str()) != 0)
        ThrowFileFailure("Cannot save the output file", path_, errno);
    committed_ = true;
}

}  // namespace lw
