// Fuzzes every kind of sheet as a run reads it: the kind the content shows, then the kind's
// rewriter over the reader's pieces. Whatever the sheet: no line gains a line break, each line
// keeps its line end (a lead sheet's becomes CR LF), every line the kind does not convert
// comes out byte for byte, and the bytes out do not depend on how the lines are cut.

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "sheets/ChordProRewriter.h"
#include "sheets/SheetKinds.h"
#include "tests/FeedSheet.h"

namespace {

// Every chord that reads as one has notes the tables know, so any message is a fault.
struct NoMessages : lw::Messenger {
    bool ShowBox(std::string_view, std::string_view, lw::MessageButtons) override { std::abort(); }
} messenger;

void Check(bool holds) {
    if (!holds) std::abort();
}

// The sheet as a file, for the reader.
struct SheetFile {
    explicit SheetFile(std::string_view sheet) : fd(memfd_create("sheet", 0)) {
        Check(fd >= 0 && write(fd, sheet.data(), sheet.size()) == ssize_t(sheet.size()));
        path = "/proc/self/fd/" + std::to_string(fd);
    }
    ~SheetFile() { close(fd); }
    int fd;
    std::string path;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const lw::Spelling spelling = data[0] & 0x80 ? lw::Spelling::Sharp : lw::Spelling::Flat;
    const std::string sheet(reinterpret_cast<const char*>(data) + 2, size - 2);
    const lw::ChordLineRewriter up(lw::Notation::Letters, 1 + data[0] % 11,
                                   lw::SpelledNoteNames(spelling, messenger));
    const std::optional<lw::ChordLineRewriter> keys = up;
    const lw::ModGlobals globals;  // "^" marks chord lines, lead sheets end in .txt
    const SheetFile file(sheet);

    lw::LineReader detecting(file.path, lw::SystemFileSystem());
    const lw::SheetReading reading =
        lw::ReadSheet(file.path, detecting, nullptr, lw::Notation::Letters, globals);
    const lw::RewriterParts parts{up, lw::Notation::Letters, keys, globals.ChordLineMarker};
    const bool keepsLineEnds = reading.kind->KeepsLineEnds();

    // As a run writes it, checking each line as it ends.
    std::string out, line;
    try {
        const auto rewriter = reading.kind->MakeRewriter(parts);
        lw::LineReader input(file.path, lw::SystemFileSystem());
        std::size_t lineBegin = 0;
        while (const std::optional<lw::Piece> piece = input.NextPiece()) {
            const bool endsLine = piece->end != lw::LineEnd::Continues;
            line += piece->bytes;
            rewriter->Rewrite(piece->bytes, endsLine, out, messenger);
            if (!endsLine) continue;
            const std::string_view written = std::string_view(out).substr(lineBegin);
            Check(written.find_first_of("\r\n") == written.npos);
            if (!rewriter->ConvertsLine()) Check(written == line);
            out += keepsLineEnds ? lw::LineEndBytes(piece->end) : "\r\n";
            lineBegin = out.size();
            line.clear();
        }
    } catch (const lw::SheetRefused&) {
        return 0;  // a {key} that names no key: refused while planning
    }
    // Cut into pieces of another size, the same bytes come out (a lead sheet's line ends aside,
    // which the reader's tests hold).
    if (!keepsLineEnds) return 0;
    const auto rewriter = reading.kind->MakeRewriter(parts);
    Check(lw::test::RewriteSheet(*rewriter, sheet, 1 + data[1] % 32, messenger).first == out);
    return 0;
}
