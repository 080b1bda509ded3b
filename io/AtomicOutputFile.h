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
// temporary file in the output's folder, created exclusively under an unpredictable name while
// its OutputSet holds the folder locked, and the set renames it over the output
// name only once every byte is on disk. Until then an existing file of that name is untouched;
// if that never happens, the temporary file is removed, also when a termination signal
// ends the program, and by the next run in that folder when the program was killed. A symbolic
// link at the output name is replaced, not written through. Failures throw FileError naming the
// output path. Every output comes from an OutputSet, which puts it in place with the others.
class AtomicOutputFile {
public:
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

    // Creates the temporary file as a file of the run numbered run, which holds the folder
    // locked, with finalMode as its permissions: at once if nobody else could write into it so,
    // otherwise once its last byte is written.
    AtomicOutputFile(std::string path, mode_t finalMode, mode_t umask, std::uint32_t run,
                     FileSystem& fs);

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
    mode_t finalMode_;
    mode_t createdMode_;
    std::string temporaryPath_;
    int fd_ = -1;
    bool synced_ = false;  // the data is on disk
    bool committed_ = false;
    std::string pending_;
    off_t writtenSize_ = 0;  // the bytes written to the file so far
};

}  // namespace lw
