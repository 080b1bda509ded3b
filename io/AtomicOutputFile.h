#pragma once

#include <cstddef>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "io/FileSystem.h"

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

    enum class DataSync { Now, Later };

    // For an output of a set (PublishTogether): writes what is left, gives the file its final
    // permissions and closes it, so that a set of any size holds no file open. Its data goes to
    // disk now, or later with the rest of its set.
    void Close(DataSync sync);

    // What kept one file of a set from its output name: its position and the user's text.
    struct PublishFailure {
        std::size_t index;
        std::string message;
    };

    // Puts a set of closed files in place with one sync for the set instead of one per file:
    // syncs once each file system that holds a file whose data is not on disk yet, renames each
    // file over its output name, then syncs each of their folders once. A file whose data could not
    // be synced is not renamed (its temporary file goes with it); every failure comes back, the
    // other files are in place.
    static std::vector<PublishFailure> PublishTogether(
        std::span<const std::unique_ptr<AtomicOutputFile>> files, FileSystem& fs);

private:
    void Flush();
    void WriteAll(std::string_view bytes);
    int RenameOverOutput();  // 0, or the error number

    FileSystem& fs_;
    std::string path_;
    std::string temporaryPath_;
    int fd_ = -1;
    bool synced_ = false;  // the data is on disk
    bool committed_ = false;
    std::string pending_;
};

}  // namespace lw
