#pragma once

#include <algorithm>
#include <functional>
#include <string>
#include <string_view>

namespace lw::test {

// The largest piece size a test feeds: with sizes 1 to it, every byte position is a cut and a
// held text meets a limit within a piece or at its end.
constexpr std::size_t kMaxPiece = 16;

// Hands a sheet over as a reader does: line by line without line ends, each line in pieces of
// size bytes (whole when size is 0) and a last one of the rest, and copies each line end (LF,
// CR LF or CR) into out.
inline void FeedSheet(std::string_view sheet, std::size_t size, std::string& out,
                      const std::function<void(std::string_view piece, bool endsLine)>& feed) {
    while (!sheet.empty()) {
        const std::size_t end = std::min(sheet.find_first_of("\r\n"), sheet.size());
        std::string_view line = sheet.substr(0, end);
        for (; size != 0 && line.size() > size; line.remove_prefix(size))
            feed(line.substr(0, size), false);
        feed(line, true);
        const std::size_t lineEnd = sheet.compare(end, 2, "\r\n") == 0 ? 2 : end < sheet.size();
        out += sheet.substr(end, lineEnd);
        sheet.remove_prefix(end + lineEnd);
    }
}

}  // namespace lw::test
