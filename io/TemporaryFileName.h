#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lw {

// Every temporary file Leadwright writes is named ".leadwright-RRRRRRRRFFFFFFFF.tmp", both
// numbers in lowercase hex: R numbers a run in that folder, F a file of that run. File 0 is the
// run's lock on the folder: while it is held, the run's closed temporary files there are still
// to be put in place.
struct TemporaryFileName {
    static constexpr std::uint32_t kFolderLock = 0;

    std::uint32_t run;
    std::uint32_t file;
};

// folder is empty or ends in '/'.
std::string TemporaryFilePath(std::string_view folder, TemporaryFileName name);

// The numbers of a file name of exactly that form; nothing for any other name.
std::optional<TemporaryFileName> ParseTemporaryFileName(std::string_view fileName);

// The folder that holds an output's temporary files: the output's own, "./" for a bare name.
std::string TemporaryFolderOf(std::string_view outputPath);

}  // namespace lw
