#include "LineReader.h"

#include <fcntl.h>

#include <cerrno>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "RunFailure.h"

namespace lw {

namespace {

constexpr std::size_t kBufferSize = 256 * 1024;

// Offset of the first CR or LF in [data, data + size), or size when there is none. Lines are
// short, so sixteen bytes are compared at a time rather than searched for each end apart.
std::size_t FindLineEnd(const char* data, std::size_t size) {
    std::size_t i = 0;
#if defined(__SSE2__)
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    for (; i + 16 <= size; i += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
        const int ends =
            _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(bytes, cr), _mm_cmpeq_epi8(bytes, lf)));
        if (ends != 0)
            return i + static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(ends)));
    }
#endif
    for (; i < size; ++i)
        if (data[i] == '\r' || data[i] == '\n') return i;
    return size;
}

}  // namespace

LineReader::LineReader(std::string path, FileSystem& fs)
    : fs_(fs),
      path_(std::move(path)),
      buffer_(std::make_unique_for_overwrite<char[]>(kBufferSize)) {
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
        const ssize_t got = fs_.Read(fd_, buffer_.get(), kBufferSize);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) ThrowFileFailure("Cannot read the input file", path_, errno);
        begin_ = 0;
        end_ = static_cast<std::size_t>(got);
        if (got == 0) atEnd_ = true;
        return got > 0;
    }
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
        const std::size_t stop = begin_ + FindLineEnd(buffer_.get() + begin_, end_ - begin_);
        if (stop == end_) {
            longLine_.append(buffer_.get() + begin_, end_ - begin_);
            carried = true;
            begin_ = end_;
            continue;
        }
        std::string_view piece(buffer_.get() + begin_, stop - begin_);
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
