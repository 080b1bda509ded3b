#include "io/LockedTemporaryFile.h"

#include <fcntl.h>
#include <sys/file.h>

#include <cerrno>
#include <random>

#include "io/FileError.h"
#include "io/TemporaryFiles.h"

namespace lw {

namespace {

// 0, or the error number.
int Lock(int fd, FileSystem& fs) {
    while (fs.Flock(fd, LOCK_EX) != 0)
        if (errno != EINTR) return errno;
    return 0;
}

}  // namespace

LockedTemporaryFile CreateLockedTemporaryFile(const std::string& folder,
                                              std::optional<std::uint32_t> run,
                                              std::optional<std::uint32_t> file, mode_t mode,
                                              std::string_view outputPath, FileSystem& fs) {
    std::random_device random;
    const auto fileNumber = [&] {
        std::uint32_t number = random();
        while (number == TemporaryFileName::kFolderLock) number = random();
        return number;
    };
    int failure = EEXIST;
    for (int attempt = 0; attempt < 100 && failure == EEXIST; ++attempt) {
        const TemporaryFileName name{run.value_or(random()), file ? *file : fileNumber()};
        std::string path = TemporaryFilePath(folder, name);
        RegisterTemporaryFile(path);
        const int fd = fs.Open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd < 0) {
            failure = errno;
        } else if (name.file != TemporaryFileName::kFolderLock) {
            return {std::move(path), fd, name.run};
        } else if ((failure = Lock(fd, fs)) != 0) {
            fs.Unlink(path.c_str());
            fs.Close(fd);
        } else {
            struct stat info {};
            if (fs.Fstat(fd, &info) == 0 && info.st_nlink > 0)
                return {std::move(path), fd, name.run};
            // Another run removed it as a leftover before the lock was ours: take a new name.
            fs.Close(fd);
            failure = EEXIST;
        }
        ForgetTemporaryFile(path);
    }
    ThrowFileError("Cannot create the output file", outputPath, failure);
}

}  // namespace lw
