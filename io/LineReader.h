#pragma once

#include <sys/stat.h>

#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "io/FileSystem.h"

namespace lw {

// Reads a text file line by line, holding one buffer and one line at a time. A line ends at
// CR LF, a lone CR or a lone LF; the end is not part of the line, and a file that ends with a
// line end has no empty line after it. Every other byte, NUL included, comes through as is.
// Failures throw FileError with the path in their text, among them a file that changes size
// or is modified while it is read, and a file larger than maxBytes.
class LineReader {
public:
    static constexpr std::uint64_t kNoLimit = std::numeric_limits<std::uint64_t>::max();

    // Opens a regular file for reading.
    LineReader(std::string path, FileSystem& fs, std::uint64_t maxBytes = kNoLimit);
    ~LineReader();
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    // The next line, valid until the next call; nothing at the end of the file.
    std::optional<std::string_view> NextLine();

    // Device and inode of the open file, to tell whether another path names the same file.
    const struct stat& Identity() const { return opened_; }

    std::uint64_t Size() const { return static_cast<std::uint64_t>(opened_.st_size); }
    std::uint64_t BytesRead() const { return bytesRead_; }

private:
    static constexpr std::size_t kNotSearched = std::numeric_limits<std::size_t>::max();

    bool Refill();
    std::size_t NextAt(std::size_t& found, char c) const;
    void CheckUnchanged();

    FileSystem& fs_;
    std::string path_;
    std::uint64_t maxBytes_;
    int fd_ = -1;
    struct stat opened_ {};  // the file as it was when it was opened
    std::uint64_t bytesRead_ = 0;
    std::unique_ptr<char[]> buffer_;     // what the last read brought, from begin_ to end_
    std::size_t begin_ = 0;              // next unread byte
    std::size_t end_ = 0;                // end of the bytes read
    std::size_t nextCr_ = kNotSearched;  // where the next CR and LF are, once searched
    std::size_t nextLf_ = kNotSearched;
    bool atEnd_ = false;
    bool dropLeadingLf_ = false;  // the last line ended in CR: an LF right after belongs to it
    std::string longLine_;        // a line that did not fit into the buffer
};

}  // namespace lw
