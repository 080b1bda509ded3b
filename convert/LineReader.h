#pragma once

#include <sys/stat.h>

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "FileSystem.h"

namespace lw {

// Reads a text file line by line, holding one buffer and one line at a time. A line ends at
// CR LF, a lone CR or a lone LF; the end is not part of the line, and a file that ends with a
// line end has no empty line after it. Every other byte, NUL included, comes through as is.
// Failures throw RunFailure with the path in their description.
class LineReader {
public:
    // Opens a regular file for reading.
    LineReader(std::string path, FileSystem& fs);
    ~LineReader();
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    // The next line, valid until the next call; nothing at the end of the file.
    std::optional<std::string_view> NextLine();

    // Device and inode of the open file, to tell whether another path names the same file.
    const struct stat& Identity() const { return identity_; }

private:
    bool Refill();

    FileSystem& fs_;
    std::string path_;
    int fd_ = -1;
    struct stat identity_ {};
    std::unique_ptr<char[]> buffer_;  // what the last read brought, from begin_ to end_
    std::size_t begin_ = 0;           // next unread byte
    std::size_t end_ = 0;             // end of the bytes read
    bool atEnd_ = false;
    bool dropLeadingLf_ = false;  // the last line ended in CR: an LF right after belongs to it
    std::string longLine_;        // a line that did not fit into the buffer
};

}  // namespace lw
