#include "LineReader.h"

#include <fcntl.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "RunFailure.h"

namespace lw {

namespace {
constexpr std::size_t kBufferSize = 256 * 1024;
}

LineReader::LineReader(std::string path, FileSystem& fs)
    : fs_(fs), path_(std::move(path)), buffer_(kBufferSize) {
    // Without O_NONBLOCK, opening a named pipe waits for a writer that may never come, before
    // the check below can refuse it. Reads from a regular file ignore the flag.
    fd_ = fs_.Open(path_.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC, 0);
    if (fd_ < 0) ThrowFileFailure("Cannot open the input file", path_, errno);
    int failure = 0;
    if (fs_.Fstat(fd_, &identity_) != 0)
        failure = errno;
    else if (S_ISDIR(identity_.st_mode))
        failure = EISDIR;
    else if (!S_ISREG(identity_.st_mode))
        failure = EINVAL;  // a device or pipe might never end
    if (failure != 0) {
        fs_.Close(fd_);
        ThrowFileFailure("Cannot open the input file", path_, failure);
    }
}

LineReader::~LineReader() {
    if (fd_ >= 0) fs_.Close(fd_);
}

bool LineReader::Refill() {
    if (atEnd_) return false;
    for (;;) {
        const ssize_t got = fs_.Read(fd_, buffer_.data(), buffer_.size());
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) ThrowFileFailure("Cannot read the input file", path_, errno);
        begin_ = 0;
        end_ = static_cast<std::size_t>(got);
        nextCr_ = nextLf_ = kStale;
        if (got == 0) atEnd_ = true;
        return got > 0;
    }
}

std::size_t LineReader::FindLineEnd() {
    // Each search result is kept until the reader passes it, so a file of lone CRs (or lone
    // LFs) is not searched again for the other character at every line.
    auto find = [&](std::size_t& cached, char wanted) {
        if (cached == kStale || cached < begin_) {
            const void* hit = std::memchr(buffer_.data() + begin_, wanted, end_ - begin_);
            cached = hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - buffer_.data())
                         : end_;
        }
        return cached;
    };
    return std::min(find(nextCr_, '\r'), find(nextLf_, '\n'));
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
        const std::size_t stop = FindLineEnd();
        if (stop == end_) {
            longLine_.append(buffer_.data() + begin_, end_ - begin_);
            carried = true;
            begin_ = end_;
            continue;
        }
        std::string_view piece(buffer_.data() + begin_, stop - begin_);
        begin_ = stop + 1;
        if (buffer_[stop] == '\r') {
            if (begin_ < end_) {
                if (buffer_[begin_] == '\n') ++begin_;
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
