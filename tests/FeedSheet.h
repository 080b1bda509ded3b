#pragma once

#include <algorithm>
#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <utility>

#include "core/ChordLineRewriter.h"
#include "core/Tables.h"
#include "sheets/SheetRewriter.h"

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

// The sheet as rewriter writes it when fed as FeedSheet feeds it, and the notes it replaced.
inline std::pair<std::string, std::size_t> RewriteSheet(SheetRewriter& rewriter,
                                                        std::string_view sheet, std::size_t size,
                                                        Messenger& messenger) {
    std::string out;
    std::size_t notes = 0;
    FeedSheet(sheet, size, out, [&](std::string_view piece, bool endsLine) {
        notes += rewriter.Rewrite(piece, endsLine, out, messenger);
    });
    return {out, notes};
}

// The names a run writes notes with.
enum class Names { Sharps, Flats, Degrees };

inline std::array<std::string_view, 12> NamesOf(Names names, Messenger& messenger) {
    if (names == Names::Degrees) return DegreeNames;
    return SpelledNoteNames(names == Names::Flats ? Spelling::Flat : Spelling::Sharp, messenger);
}

}  // namespace lw::test
