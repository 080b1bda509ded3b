#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "io/FileSystem.h"
#include "io/TemporaryFileName.h"

namespace lw {

// A temporary file open for writing, locked by its descriptor or by its run's lock on the folder.
struct LockedTemporaryFile {
    std::string path;
    int fd;
    std::uint32_t run;
};

// Creates a temporary file in folder (see TemporaryFileName) with the permissions mode, created
// exclusively so that a planted file or link is refused, and removed if a termination signal
// ends the program. So that another run never takes it for a leftover, a folder lock (file
// TemporaryFileName::kFolderLock) is held with flock(LOCK_EX) as long as its descriptor is open;
// any other file is a file of a run that holds such a lock already, which speaks for it. run and
// file are the numbers of its name; each one left out is drawn at random, again for each name
// already taken. Failures throw FileError naming outputPath.
LockedTemporaryFile CreateLockedTemporaryFile(const std::string& folder,
                                              std::optional<std::uint32_t> run,
                                              std::optional<std::uint32_t> file, mode_t mode,
                                              std::string_view outputPath, FileSystem& fs);

}  // namespace lw
