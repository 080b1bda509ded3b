#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace lw::test {

// Piece sizes that make every byte position a cut and let a held text meet a limit within a
// piece or at its end; the last one hands over whole lines.
constexpr std::size_t kPieceSizes[] = {1,  2,  3,  4,  5,  6,  7,  8,       9,
                                       10, 11, 12, 13, 14, 15, 16, SIZE_MAX};

// Hands a sheet over as a reader does: line by line without line ends, each line in pieces of
// size bytes and a last one of the rest, and copies each line end (LF, CR LF or CR) into out.
inline void FeedSheet(std::string_view sheet, std::size_t size, std::string& out,
                      const std::function<void(std::string_view piece, bool endsLine)>& feed) {
    while (!sheet.empty()) {
        const std::size_t end = std::min(sheet.find_first_of("\r\n"), sheet.size());
        std::string_view line = sheet.substr(0, end);
        for (; line.size() > size; line.remove_prefix(size)) feed(line.substr(0, size), false);
        feed(line, true);
        const std::size_t lineEnd = sheet.compare(end, 2, "\r\n") == 0 ? 2 : end < sheet.size();
        out += sheet.substr(end, lineEnd);
        sheet.remove_prefix(end + lineEnd);
    }
}

}  // namespace lw::test
