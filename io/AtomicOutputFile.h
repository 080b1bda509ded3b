#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "io/FileSystem.h"

namespace lw {

// Writes an output lead sheet so that it is complete or absent: the bytes go into a new
// temporary file in the output's folder, created private and exclusively under an
// unpredictable name and locked while it is written, and its OutputSet renames it over the output
// name only once every byte is on disk. Until then an existing file of that name is untouched;
// if that never happens, the temporary file is removed, also when a termination signal
// ends the program, and by the next run in that folder when the program was killed. A symbolic
// link at the output name is replaced, not written through. Failures throw FileError naming the
// output path. Several outputs that go in place together come from an OutputSet.
class AtomicOutputFile {
public:
    // Refuses an output name that is a folder or too long before anything is written, then
    // removes the temporary files that earlier runs left in the folder. newFileMode (the
    // input's st_mode) gives the permissions of an output that does not exist yet, less the
    // umask, as cp does; a replaced output keeps those of the file it replaces if the user owns
    // that file, less any group or other write bit the umask takes away.
    AtomicOutputFile(std::string path, mode_t newFileMode, FileSystem& fs);
    ~AtomicOutputFile();
    AtomicOutputFile(const AtomicOutputFile&) = delete;
    AtomicOutputFile& operator=(const AtomicOutputFile&) = delete;

    // Writes bytes as they are; Write and WriteLine share one buffer.
    void Write(std::string_view bytes);
    // Writes one line and the CR LF that ends every written line.
    void WriteLine(std::string_view line);



private:
    friend class OutputSet;

    static constexpr std::string_view kCannotWrite = "Cannot write the output file";
    static constexpr std::string_view kCannotSave = "Cannot save the output file";

    // Creates the temporary file, as the run numbered run (a new one if none is given).
    AtomicOutputFile(std::string path, mode_t newFileMode, std::optional<std::uint32_t> run,
                     FileSystem& fs);

    // Refuses an output name that is a folder or too long.
    static void CheckOutputName(const std::string& path, FileSystem& fs);

    // Writes what is left and gives the file its final permissions.
    void Finish();
    void Flush();
    void WriteAll(std::string_view bytes);
    // Each returns 0, or the error number.
    int SyncData();
    int CloseFile();
    int RenameOverOutput();

    FileSystem& fs_;
    std::string path_;
    mode_t newFileMode_;
    std::string temporaryPath_;
    int fd_ = -1;
    bool synced_ = false;  // the data is on disk
    bool committed_ = false;
    std::string pending_;
    off_t writtenSize_ = 0;  // the bytes written to the file so far
};

}  // namespace lw
