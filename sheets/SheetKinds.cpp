#include "sheets/SheetKinds.h"

#include <array>
#include <vector>

#include "sheets/ChordProSheet.h"
#include "sheets/ChordsOverLyricsSheet.h"
#include "sheets/LeadSheet.h"

namespace lw {

namespace {

const LeadSheet kLeadSheet;
const ChordProSheet kChordProSheet;
const ChordsOverLyricsSheet kChordsOverLyricsSheet;
constexpr std::array<const SheetKind*, 3> kKinds{&kLeadSheet, &kChordProSheet,
                                                 &kChordsOverLyricsSheet};

// Whether only the lines that hold one of some bytes can change what contents say, and those
// bytes. The last kinds are asked first: they are the ones that read every line longest.
bool OnlySomeLinesTell(std::span<const std::unique_ptr<SheetContent>> contents,
                       std::string& bytes) {
    bytes.clear();
    for (auto content = contents.rbegin(); content != contents.rend(); ++content) {
        const std::optional<std::string_view> telling = (*content)->TellingBytes();
        if (!telling) return false;
        bytes += *telling;
    }
    return true;
}

// Reads the kind's content until it needs no more.
SheetReading ReadAs(const SheetKind& kind, LineReader& reader, Notation notation,
                    const ModGlobals& globals) {
    SheetReading reading{&kind, kind.ReadContent(notation, globals)};
    bool lineStart = true;
    while (!reading.content->Done()) {
        if (lineStart)
            if (const std::optional<std::string_view> telling = reading.content->TellingBytes())
                reader.SkipLinesWithout(*telling);
        const std::optional<Piece> piece = reader.NextPiece();
        if (!piece) break;
        reading.content->Feed(*piece);
        lineStart = piece->end != LineEnd::Continues;
    }
    return reading;
}

}  // namespace

std::span<const SheetKind* const> SheetKinds() { return kKinds; }

const SheetKind* SheetKindNamed(std::string_view name) {
    for (const SheetKind* kind : kKinds)
        if (kind->Name() == name) return kind;
    return nullptr;
}

SheetReading ReadSheet(std::string_view path, LineReader& reader, const SheetKind* format,
                       Notation notation, const ModGlobals& globals) {
    if (format) return ReadAs(*format, reader, notation, globals);
    for (const SheetKind* kind : kKinds)
        if (kind->ClaimsName(path)) return ReadAs(*kind, reader, notation, globals);

    std::vector<std::unique_ptr<SheetContent>> contents;
    for (const SheetKind* kind : kKinds) contents.push_back(kind->ReadContent(notation, globals));
    // Only the first kind can win before the end: any later one may yet lose to an earlier. No
    // content after one that shows its kind is read: that kind wins over every later one.
    std::size_t read = contents.size();
    bool lineStart = true;
    std::string telling;  // the bytes of the lines that can change what they say
    while (!(contents[0]->ShowsKind() && contents[0]->Done())) {
        if (lineStart && OnlySomeLinesTell(std::span(contents).first(read), telling))
            reader.SkipLinesWithout(telling);
        const std::optional<Piece> piece = reader.NextPiece();
        if (!piece) break;
        for (std::size_t i = 0; i < read; ++i) {
            if (!contents[i]->Done() || !contents[i]->ShowsKind()) contents[i]->Feed(*piece);
            if (contents[i]->ShowsKind()) read = i + 1;
        }
        lineStart = piece->end != LineEnd::Continues;
    }
    for (std::size_t i = 0; i < kKinds.size(); ++i)
        if (contents[i]->ShowsKind()) return {kKinds[i], std::move(contents[i])};
    return {kKinds[0], std::move(contents[0])};
}

}  // namespace lw
