#include "core/ChordLineRewriter.h"

#include "core/Degrees.h"
#include "core/NoteCodes.h"

namespace lw {

std::array<std::string_view, 12> SpelledNoteNames(Spelling spelling, Messenger& messenger) {
    std::array<std::string_view, 12> names;
    for (NoteCode code = 0; code < kPitchClasses; ++code)
        names[static_cast<std::size_t>(code)] = PickSpelling(
            GetChordFromCode(code, messenger).value_or(""), spelling, kNoteSpellingWidth);
    return names;
}

namespace {

constexpr bool StartsNote(char c, Notation notation) {
    if (notation == Notation::Letters) return c >= 'A' && c <= 'G';
    return c == 'I' || c == 'V' || c == 'b';
}

constexpr ChordScanBytes ScanBytesOf(Notation notation) {
    ChordScanBytes bytes;
    for (int c = 0; c < 256; ++c) {
        const auto byte = static_cast<std::size_t>(c);
        bytes.stopsOutside[byte] = c == '/' || StartsNote(static_cast<char>(c), notation);
        bytes.stopsInChord[byte] = c == '/' || c < '!';
        bytes.lengthensNote[byte] =
            notation == Notation::Letters ? c == '#' || c == 'b' : c == 'I' || c == 'V';
    }
    return bytes;
}

constexpr ChordScanBytes kLetterScanBytes = ScanBytesOf(Notation::Letters);
constexpr ChordScanBytes kDegreeScanBytes = ScanBytesOf(Notation::Degrees);

// The code of each letter A to G, [0, 7): where it stands alone in NoteNames. A "#" adds one
// and a "b" takes one away, so B# is C.
constexpr std::array<int, 7> kLetterCodes = [] {
    std::array<int, 7> codes{};
    for (int code = 0; code < kPitchClasses; ++code) {
        const std::string_view name = NoteNames[static_cast<std::size_t>(code)];
        if (name.size() == 1) codes[static_cast<std::size_t>(name[0] - 'A')] = code;
    }
    return codes;
}();

}  // namespace

ChordLineRewriter::ChordLineRewriter(Notation notation, int step,
                                     const std::array<std::string_view, 12>& names)
    : notation_(notation),
      step_(step),
      names_(names),
      longestNote_(notation == Notation::Letters ? 2 : 4),
      bytes_(notation == Notation::Letters ? kLetterScanBytes : kDegreeScanBytes) {
    if (notation_ != Notation::Letters) return;
    // Each letter note is moved once per run rather than once per chord.
    for (char letter = 'A'; letter <= 'G'; ++letter) {
        for (const char accidental : {'\0', '#', 'b'}) {
            const int code = kLetterCodes[static_cast<std::size_t>(letter - 'A')] +
                             (accidental == '#') - (accidental == 'b');
            movedCodes_[LetterSlot(letter, accidental)] =
                static_cast<std::uint8_t>(WrapPitchClass(code + step_));
        }
    }
}

bool ChordLineRewriter::StartsNote(char c) const { return lw::StartsNote(c, notation_); }

void ChordLineRewriter::AppendMovedDegree(std::string_view note, std::string& out,
                                          Messenger& messenger) const {
    const int code = WrapPitchClass(GetCodeFromChordRoman(note, messenger).value_or(0) + step_);
    out += names_[static_cast<std::size_t>(code)];
}

std::size_t ChordLineRewriter::Feed(ScanState& state, std::string_view piece, bool lastPiece,
                                    std::string& out, Messenger& messenger) const {
    out.clear();
    ScanState s = state;  // a copy of its own, which no write into out can touch
    std::size_t notes = 0;
    std::size_t p = 0;
    const auto at = [&](std::size_t i) { return static_cast<unsigned char>(piece[i]); };
    for (;;) {
        if (s.noteLength_ > 0) {  // a note takes the accidental or degree letters after it
            while (s.noteLength_ < longestNote_ && p < piece.size() && bytes_.lengthensNote[at(p)])
                s.note_[s.noteLength_++] = piece[p++];
            if (s.noteLength_ < longestNote_ && p == piece.size() && !lastPiece)
                break;  // the next piece may lengthen the note
            AppendMovedNote(std::string_view(s.note_.data(), s.noteLength_), out, messenger);
            s.noteLength_ = 0;
            ++notes;
        }
        if (s.afterSlash_ && p < piece.size()) {
            s.afterSlash_ = false;
            if (StartsNote(piece[p])) {  // a slash bass
                s.note_[s.noteLength_++] = piece[p++];
                continue;
            }
            out += piece[p++];  // copied with the slash: not even a space ends the chord
        }

        // Bytes that decide nothing are copied in one go: outside a chord everything but a
        // note and a "/", inside one everything but a separator and a "/".
        const std::array<bool, 256>& stops = s.inChord_ ? bytes_.stopsInChord : bytes_.stopsOutside;
        std::size_t plain = p;
        while (plain < piece.size() && !stops[at(plain)]) ++plain;
        out.append(piece, p, plain - p);
        p = plain;
        if (p == piece.size()) break;

        const char c = piece[p++];
        if (static_cast<unsigned char>(c) < '!') {  // a space, tab or control character
            s.inChord_ = false;
            out += c;
        } else if (!s.inChord_ && StartsNote(c)) {  // the root starts a chord
            s.inChord_ = true;
            s.note_[s.noteLength_++] = c;
        } else {  // a "/"
            out += c;
            s.afterSlash_ = true;
        }
    }
    state = lastPiece ? ScanState{} : s;
    return notes;
}

std::size_t ChordLineRewriter::ChordLineScan(std::string_view line, std::string& out,
                                             Messenger& messenger) const {
    ScanState state;
    return Feed(state, line, /*lastPiece=*/true, out, messenger);
}

}  // namespace lw
