// Fuzzes the ChordPro rewriter. Whatever the sheet: how its lines are cut into pieces changes
// nothing, a sheet without note letters comes out as it went in, and up by a step then down
// again is the same as respelling only, so no byte outside a chord's notes or a key is touched.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "convert/ChordProRewriter.h"

namespace {

// Every chord that reads as one has notes the tables know, so any message is a fault.
struct NoMessages : lw::Messenger {
    bool ShowBox(std::string_view, std::string_view, lw::MessageButtons) override { std::abort(); }
};

NoMessages messenger;

// Rewrites sheet as a run does with notes for chords and keys, each line in pieces of 1 to 32
// bytes that seed picks, or whole when seed is 0.
std::string Rewrite(std::string_view sheet, const lw::ChordLineRewriter& notes, unsigned seed) {
    lw::ChordProRewriter rewriter(notes, lw::Notation::Letters, notes);
    const bool inPieces = seed != 0;
    std::string out;
    while (!sheet.empty()) {
        const std::size_t end = std::min(sheet.find_first_of("\r\n"), sheet.size());
        std::string_view line = sheet.substr(0, end);
        do {
            std::size_t size = line.size();
            if (inPieces) {
                seed = seed * 1103515245 + 12345;
                size = std::min<std::size_t>(1 + (seed >> 16) % 32, size);
            }
            rewriter.Rewrite(line.substr(0, size), size == line.size(), out, messenger);
            line.remove_prefix(size);
        } while (!line.empty());
        const std::size_t lineEnd = sheet.compare(end, 2, "\r\n") == 0 ? 2 : end < sheet.size();
        out += sheet.substr(end, lineEnd);
        sheet.remove_prefix(end + lineEnd);
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const int step = 1 + data[0] % 11;
    const lw::Spelling spelling = data[0] & 0x80 ? lw::Spelling::Sharp : lw::Spelling::Flat;
    const std::string sheet(reinterpret_cast<const char*>(data) + 2, size - 2);

    const auto names = lw::SpelledNoteNames(spelling, messenger);
    const lw::ChordLineRewriter up(lw::Notation::Letters, step, names, messenger);
    const lw::ChordLineRewriter down(lw::Notation::Letters, -step, names, messenger);
    const lw::ChordLineRewriter respell(lw::Notation::Letters, 0, names, messenger);

    std::string whole;
    try {
        whole = Rewrite(sheet, up, 0);
    } catch (const lw::SheetRefused&) {
        // A sheet with a key directive that names no key is refused however it is cut.
        try {
            Rewrite(sheet, up, data[1] | 1u);
        } catch (const lw::SheetRefused&) {
            return 0;
        }
        std::abort();
    }
    if (Rewrite(sheet, up, data[1] | 1u) != whole) std::abort();

    // Without note letters, the sheet is what it was, but for keys that now name no key.
    std::string masked = sheet;
    std::replace_if(
        masked.begin(), masked.end(), [](char c) { return c >= 'A' && c <= 'G'; }, 'x');
    try {
        if (Rewrite(masked, up, 0) != masked) std::abort();
    } catch (const lw::SheetRefused&) {
    }

    // A root's sign followed by another sign ("C#b5") reads as another root once the root is
    // respelled, as on chord lines; a text near the hold limit may outgrow it.
    bool readsAlike = sheet.size() + 2 < lw::ChordProRewriter::kHoldLimit;
    for (const char* pair : {"##", "#b", "b#", "bb"}) readsAlike &= sheet.find(pair) == sheet.npos;
    if (readsAlike && Rewrite(whole, down, 0) != Rewrite(sheet, respell, 0)) std::abort();
    return 0;
}
