#pragma once

#include <sys/stat.h>

#include <array>
#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "io/FileSystem.h"

namespace lw {

// How a piece of a line ends: the line goes on in the next piece, or it ends there and how.
enum class LineEnd {
    Continues,  // the line goes on in the next piece
    CrLf,
    Lf,
    Cr,
    EndOfFile,  // the last line, which has no line end
};

// The bytes of a line end as the file has them; none for the last line or a piece that goes on.
constexpr std::string_view LineEndBytes(LineEnd end) {
    return end == LineEnd::CrLf ? "\r\n"
           : end == LineEnd::Lf ? "\n"
           : end == LineEnd::Cr ? "\r"
                                : "";
}

// A UTF-8 byte-order mark: the reader leaves it at the start of the first line, where each kind
// of sheet tells it from the text.
inline constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Some bytes of a line, without its line end, valid until the next read from the reader.
struct Piece {
    std::string_view bytes;
    LineEnd end;
};

// Reads a text file in pieces of lines, holding one buffer at a time. A line ends at CR LF, a
// lone CR or a lone LF, and a file that ends with a line end has no empty line after it. Every
// other byte, NUL included, comes through as is. A line of up to 256 KB less two bytes comes as
// one piece; a longer one as several, none longer than 256 KB, of which the last may be empty.
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

    // The next piece of the file; nothing at its end.
    std::optional<Piece> NextPiece();

    // Passes over the lines ahead that hold none of bytes (no line holds its line end), so that
    // the next piece starts the first line that holds one, or is the file's end; the pieces of a
    // line too long for the buffer may still come. Many lines at a time, with one search for each
    // byte. Called where a line starts.
    void SkipLinesWithout(std::string_view bytes);

    // The next whole line without its line end, valid until the next call; nothing at the end
    // of the file. Gathers a long line in memory, so it suits files of a known small size.
    std::optional<std::string_view> NextLine();

    // Device and inode of the open file, to tell whether another path names the same file.
    const struct stat& Identity() const { return opened_; }

    // Throws when the open file is another one than before shows, or has changed since.
    void CheckSameFileAs(const struct stat& before) const;

    std::uint64_t Size() const { return static_cast<std::uint64_t>(opened_.st_size); }
    std::uint64_t BytesRead() const { return bytesRead_; }

private:
    void ReadMore();
    std::size_t NextAt(char c);
    std::size_t LineStartBefore(std::size_t at) const;
    void CheckUnchanged();

    FileSystem& fs_;
    std::string path_;
    std::uint64_t maxBytes_;
    int fd_ = -1;
    struct stat opened_ {};  // the file as it was when it was opened
    std::uint64_t bytesRead_ = 0;
    std::unique_ptr<char[]> buffer_;  // what the reads brought, from begin_ to end_
    std::size_t begin_ = 0;           // next byte not handed out
    std::size_t end_ = 0;             // end of the bytes read
    // For each byte value, none lies between begin_ and this, so that each byte is searched
    // for once even when it never comes (a kind of line end a file does not use).
    std::array<std::size_t, 256> searchedTo_{};
    bool atEnd_ = false;
    bool midLine_ = false;  // the last piece said that the line goes on
    std::string longLine_;  // a line of several pieces, for NextLine
};

}  // namespace lw
