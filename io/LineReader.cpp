#include "io/LineReader.h"

#include <fcntl.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

#include "io/FileError.h"

namespace lw {

namespace {

constexpr std::size_t kBufferSize = 256 * 1024;
constexpr std::string_view kCannotOpen = "Cannot open the input file";
constexpr std::string_view kCannotRead = "Cannot read the input file";

constexpr std::string_view kChanged = "the file changed while it was read";

// Whether two looks at a file show it the same size and last changed at the same time.
bool SameVersion(const struct stat& a, const struct stat& b) {
    return a.st_size == b.st_size && a.st_mtim.tv_sec == b.st_mtim.tv_sec &&
           a.st_mtim.tv_nsec == b.st_mtim.tv_nsec;
}

}  // namespace

LineReader::LineReader(std::string path, FileSystem& fs, std::uint64_t maxBytes)
    : fs_(fs),
      path_(std::move(path)),
      maxBytes_(maxBytes),
      buffer_(std::make_unique_for_overwrite<char[]>(kBufferSize)) {
    // Without O_NONBLOCK, opening a named pipe waits for a writer that may never come, before
    // the check below can refuse it. Reads from a regular file ignore the flag.
    fd_ = fs_.Open(path_.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC, 0);
    if (fd_ < 0) ThrowFileError(kCannotOpen, path_, errno);
    std::string_view refusal;  // why the file cannot be read, if it cannot
    if (fs_.Fstat(fd_, &opened_) != 0)
        refusal = std::strerror(errno);
    else if (S_ISDIR(opened_.st_mode))
        refusal = std::strerror(EISDIR);
    else if (!S_ISREG(opened_.st_mode))
        refusal = "not a regular file";  // a device or pipe might never end
    else if (Size() > maxBytes_)
        refusal = std::strerror(EFBIG);
    if (!refusal.empty()) {
        fs_.Close(fd_);
        ThrowFileError(kCannotOpen, path_, refusal);
    }
}

LineReader::~LineReader() {
    if (fd_ >= 0) fs_.Close(fd_);
}

// A file that another program shortens, lengthens or rewrites while it is read would give
// an output that is neither the old sheet nor the new one.
void LineReader::CheckUnchanged() {
    struct stat now {};
    if (fs_.Fstat(fd_, &now) != 0) ThrowFileError(kCannotRead, path_, errno);
    if (bytesRead_ != Size() || !SameVersion(now, opened_))
        ThrowFileError(kCannotRead, path_, kChanged);
}

void LineReader::CheckSameFileAs(const struct stat& before) const {
    if (opened_.st_dev != before.st_dev || opened_.st_ino != before.st_ino ||
        !SameVersion(opened_, before))
        ThrowFileError(kCannotRead, path_, kChanged);
}

// Reads once into the room after the bytes not handed out yet, which first move to the front:
// so a line that began late in the buffer gets the whole buffer.
void LineReader::ReadMore() {
    char* data = buffer_.get();
    if (begin_ > 0) {
        std::memmove(data, data + begin_, end_ - begin_);
        end_ -= begin_;
        for (std::size_t& searchedTo : searchedTo_)
            searchedTo = std::max(searchedTo, begin_) - begin_;
        begin_ = 0;
    }
    ssize_t got = 0;
    do {
        got = fs_.Read(fd_, data + end_, kBufferSize - end_);
    } while (got < 0 && errno == EINTR);
    if (got < 0) ThrowFileError(kCannotRead, path_, errno);
    end_ += static_cast<std::size_t>(got);
    bytesRead_ += static_cast<std::size_t>(got);
    if (bytesRead_ > maxBytes_) ThrowFileError(kCannotRead, path_, EFBIG);
    // A file read up to the size it had when opened, with room left in the buffer, is at its
    // end unless it changed: the check tells, and saves the read that would only find the end.
    if (got == 0 || (bytesRead_ == Size() && end_ < kBufferSize)) {
        atEnd_ = true;
        CheckUnchanged();
    }
}

// The first c at or after begin_, or end_.
std::size_t LineReader::NextAt(char c) {
    std::size_t& searchedTo = searchedTo_[static_cast<unsigned char>(c)];
    const std::size_t from = std::max(searchedTo, begin_);
    if (from == end_) return end_;  // nothing left to search, as when the file lacks this line end
    const char* data = buffer_.get();
    const void* at = std::memchr(data + from, c, end_ - from);
    searchedTo =
        at == nullptr ? end_ : static_cast<std::size_t>(static_cast<const char*>(at) - data);
    return searchedTo;
}

std::optional<Piece> LineReader::NextPiece() {
    const char* data = buffer_.get();
    for (;;) {
        const std::size_t stop = std::min(NextAt('\r'), NextAt('\n'));
        // Whether a CR stands alone shows only with the byte after it.
        if (stop < end_ && (data[stop] == '\n' || stop + 1 < end_ || atEnd_)) {
            Piece piece{std::string_view(data + begin_, stop - begin_), LineEnd::Lf};
            begin_ = stop + 1;
            if (data[stop] == '\r') {
                const bool lfFollows = begin_ < end_ && data[begin_] == '\n';
                piece.end = lfFollows ? LineEnd::CrLf : LineEnd::Cr;
                begin_ += lfFollows ? 1 : 0;
            }
            midLine_ = false;
            return piece;
        }
        if (atEnd_) {  // no line end is left
            if (begin_ == end_ && !midLine_) return std::nullopt;
            const Piece piece{std::string_view(data + begin_, end_ - begin_), LineEnd::EndOfFile};
            begin_ = end_;
            midLine_ = false;
            return piece;
        }
        if (begin_ == 0 && end_ == kBufferSize) {  // a line too long for the buffer
            begin_ = stop;  // a CR at the very end waits for the byte after it
            midLine_ = true;
            return Piece{std::string_view(data, stop), LineEnd::Continues};
        }
        ReadMore();
    }
}

// Where the line that the byte before at belongs to starts: after the last line end before at.
std::size_t LineReader::LineStartBefore(std::size_t at) const {
    const char* data = buffer_.get();
    while (at > begin_ && data[at - 1] != '\n' && data[at - 1] != '\r') --at;
    return at;
}

void LineReader::SkipLinesWithout(std::string_view bytes) {
    for (;;) {
        std::size_t first = end_;  // of bytes, but for line ends: no line holds its own
        for (const char c : bytes)
            if (c != '\r' && c != '\n') first = std::min(first, NextAt(c));
        if (first < end_) {
            begin_ = LineStartBefore(first);
            return;
        }
        if (atEnd_) {
            begin_ = end_;
            return;
        }
        // A full buffer gives up its whole lines, to make room. A CR at its very end may be the
        // first half of a CR LF: its LF, first in the next read, is passed over as an empty line.
        if (end_ == kBufferSize) {
            begin_ = LineStartBefore(end_);
            if (begin_ == 0) return;  // a line too long for the buffer
        }
        ReadMore();
    }
}

std::optional<std::string_view> LineReader::NextLine() {
    std::optional<Piece> piece = NextPiece();
    if (!piece) return std::nullopt;
    if (piece->end != LineEnd::Continues) return piece->bytes;
    longLine_.assign(piece->bytes);
    while (piece->end == LineEnd::Continues) {
        piece = NextPiece();  // a line that goes on always has a last piece
        longLine_ += piece->bytes;
    }
    return std::string_view(longLine_);
}

}  // namespace lw
