#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "io/FileSystem.h"
#include "io/TemporaryFileName.h"

namespace lw {

// A temporary file open for writing, locked by its descriptor.
struct LockedTemporaryFile {
    std::string path;
    int fd;
    std::uint32_t run;
};

// Creates a temporary file in folder (see TemporaryFileName): private to the user until it is
// finished, created exclusively so that a planted file or link is refused, removed if a
// termination signal ends the program, and held with flock(LOCK_EX) as long as the descriptor
// is open, so that another run never takes it for a leftover. run and file are the numbers of
// its name; each one left out is drawn at random, again for each name already taken. Failures
// throw FileError naming outputPath.
LockedTemporaryFile CreateLockedTemporaryFile(const std::string& folder,
                                              std::optional<std::uint32_t> run,
                                              std::optional<std::uint32_t> file,
                                              std::string_view outputPath, FileSystem& fs);

}  // namespace lw
