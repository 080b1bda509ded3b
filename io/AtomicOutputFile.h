#pragma once

#include <string>
#include <string_view>

#include "FileSystem.h"

namespace lw {

// Writes an output lead sheet so that it is complete or absent: the lines go into a new
// temporary file in the output's folder, created private and exclusively under an
// unpredictable name, and Commit() renames it over the output name only once every byte is on
// disk. Until then an existing file of that name is untouched; if Commit() is never reached,
// the temporary file is removed, also when a termination signal ends the program. A symbolic
// link at the output name is replaced, not written through. Failures throw FileError naming
// the output path.
class AtomicOutputFile {
public:
    // Refuses an output name that is a folder or too long before anything is written.
    AtomicOutputFile(std::string path, FileSystem& fs);
    ~AtomicOutputFile();
    AtomicOutputFile(const AtomicOutputFile&) = delete;
    AtomicOutputFile& operator=(const AtomicOutputFile&) = delete;

    // Writes one line and the CR LF that ends every written line.
    void WriteLine(std::string_view line);

    // Gives the file its final permissions, syncs it, renames it over the output name and
    // syncs the folder, so the new output survives a power cut.
    void Commit();

private:
    void Flush();
    void WriteAll(std::string_view bytes);

    FileSystem& fs_;
    std::string path_;
    std::string temporaryPath_;
    int fd_ = -1;
    bool committed_ = false;
    std::string pending_;
};

}  // namespace lw
