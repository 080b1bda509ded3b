// Fuzzes the ChordPro rewriter. Whatever the sheet: how its lines are cut into pieces changes
// nothing, a sheet without note letters comes out as it went in, and up by a step then down
// again is the same as respelling only, so no byte outside a chord's notes or a key is touched.

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "sheets/ChordProRewriter.h"
#include "tests/FeedSheet.h"

namespace {

// Every chord that reads as one has notes the tables know, so any message is a fault.
struct NoMessages : lw::Messenger {
    bool ShowBox(std::string_view, std::string_view, lw::MessageButtons) override { std::abort(); }
} messenger;

// Rewrites sheet as a run does with notes for chords and keys, each line in pieces of size
// bytes (whole when 0); nothing when the sheet is refused.
std::optional<std::string> Rewrite(std::string_view sheet, const lw::ChordLineRewriter& notes,
                                   std::size_t size) {
    lw::ChordProRewriter rewriter(notes, lw::Notation::Letters, notes);
    try {
        return lw::test::RewriteSheet(rewriter, sheet, size, messenger).first;
    } catch (const lw::SheetRefused&) {
        return std::nullopt;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const int step = 1 + data[0] % 11;
    const lw::Spelling spelling = data[0] & 0x80 ? lw::Spelling::Sharp : lw::Spelling::Flat;
    const std::string sheet(reinterpret_cast<const char*>(data) + 2, size - 2);

    const auto names = lw::SpelledNoteNames(spelling, messenger);
    const lw::ChordLineRewriter up(lw::Notation::Letters, step, names);
    const lw::ChordLineRewriter down(lw::Notation::Letters, -step, names);
    const lw::ChordLineRewriter respell(lw::Notation::Letters, 0, names);

    // A sheet with a key directive that names no key is refused however it is cut.
    const std::optional<std::string> whole = Rewrite(sheet, up, 0);
    if (Rewrite(sheet, up, 1 + data[1] % 32) != whole) std::abort();
    if (!whole) return 0;

    // Without note letters, the sheet is what it was, but for keys that now name no key.
    std::string masked = sheet;
    for (char& c : masked) c = c >= 'A' && c <= 'G' ? 'x' : c;
    if (const auto out = Rewrite(masked, up, 0); out && out != masked) std::abort();

    // A root's sign followed by another sign ("C#b5") reads as another root once the root is
    // respelled, as on chord lines; a text near the hold limit may outgrow it.
    bool readsAlike = sheet.size() + 2 < lw::ChordProRewriter::kHoldLimit;
    for (const char* pair : {"##", "#b", "b#", "bb"}) readsAlike &= sheet.find(pair) == sheet.npos;
    if (readsAlike && Rewrite(*whole, down, 0) != Rewrite(sheet, respell, 0)) std::abort();
    return 0;
}
