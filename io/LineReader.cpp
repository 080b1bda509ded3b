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
constexpr std::string_view kCannotRead = "Cannot read the input file";

bool SameTime(const timespec& a, const timespec& b) {
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
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
    if (fd_ < 0) ThrowFileError("Cannot open the input file", path_, errno);
    int failure = 0;
    if (fs_.Fstat(fd_, &opened_) != 0)
        failure = errno;
    else if (S_ISDIR(opened_.st_mode))
        failure = EISDIR;
    else if (!S_ISREG(opened_.st_mode))
        failure = EINVAL;  // a device or pipe might never end
    else if (Size() > maxBytes_)
        failure = EFBIG;
    if (failure != 0) {
        fs_.Close(fd_);
        ThrowFileError("Cannot open the input file", path_, failure);
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
    if (bytesRead_ != Size() || now.st_size != opened_.st_size ||
        !SameTime(now.st_mtim, opened_.st_mtim))
        ThrowFileError(kCannotRead, path_, "the file changed while it was read");
}

bool LineReader::Refill() {
    if (atEnd_) return false;
    for (;;) {
        const ssize_t got = fs_.Read(fd_, buffer_.get(), kBufferSize);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) ThrowFileError(kCannotRead, path_, errno);
        begin_ = 0;
        end_ = static_cast<std::size_t>(got);
        nextCr_ = nextLf_ = kNotSearched;
        bytesRead_ += end_;
        if (bytesRead_ > maxBytes_) ThrowFileError(kCannotRead, path_, EFBIG);
        if (got == 0) {
            atEnd_ = true;
            CheckUnchanged();
        }
        return got > 0;
    }
}

// The first c at or after begin_, or end_. found remembers the last answer, so that each byte
// is searched once even when one kind of line end never comes.
std::size_t LineReader::NextAt(std::size_t& found, char c) const {
    if (found < begin_ || found > end_) {
        const char* data = buffer_.get();
        const void* at = std::memchr(data + begin_, c, end_ - begin_);
        found =
            at == nullptr ? end_ : static_cast<std::size_t>(static_cast<const char*>(at) - data);
    }
    return found;
}

std::optional<std::string_view> LineReader::NextLine() {
    longLine_.clear();
    bool carried = false;  // part of the line is already in longLine_
    for (;;) {
        if (begin_ == end_ && !Refill()) {
            if (carried) return std::string_view(longLine_);
            return std::nullopt;
        }
        if (dropLeadingLf_) {
            dropLeadingLf_ = false;
            if (buffer_[begin_] == '\n' && ++begin_ == end_) continue;
        }
        const char* data = buffer_.get();
        const std::size_t stop = std::min(NextAt(nextCr_, '\r'), NextAt(nextLf_, '\n'));
        if (stop == end_) {
            longLine_.append(data + begin_, end_ - begin_);
            carried = true;
            begin_ = end_;
            continue;
        }
        std::string_view piece(data + begin_, stop - begin_);
        begin_ = stop + 1;
        if (data[stop] == '\r') {
            if (begin_ < end_) {
                if (data[begin_] == '\n') ++begin_;
            } else {
                dropLeadingLf_ = true;  // the LF, if any, comes with the next read
            }
        }
        if (!carried) return piece;
        longLine_.append(piece);
        return std::string_view(longLine_);
    }
}

}  // namespace lw
