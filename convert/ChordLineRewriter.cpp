#include "convert/ChordLineRewriter.h"

#include "core/Degrees.h"
#include "core/NoteCodes.h"

namespace lw {

namespace {

// Slot of a letter note in letterCodes_: its letter, then plain, sharp or flat.
std::size_t LetterSlot(char letter, char accidental) {
    const std::size_t sign = accidental == '#' ? 1 : accidental == 'b' ? 2 : 0;
    return static_cast<std::size_t>(letter - 'A') * 3 + sign;
}

}  // namespace

std::array<std::string_view, 12> SpelledNoteNames(Spelling spelling, Messenger& messenger) {
    std::array<std::string_view, 12> names;
    for (NoteCode code = 0; code < kPitchClasses; ++code)
        names[static_cast<std::size_t>(code)] = PickSpelling(
            GetChordFromCode(code, messenger).value_or(""), spelling, kNoteSpellingWidth);
    return names;
}

ChordLineRewriter::ChordLineRewriter(Notation notation, int step,
                                     const std::array<std::string_view, 12>& names,
                                     Messenger& messenger)
    : notation_(notation), step_(step), names_(names) {
    for (int c = 0; c < 256; ++c) {
        const auto byte = static_cast<std::size_t>(c);
        stopsOutside_[byte] = c == '/' || StartsNote(static_cast<char>(c));
        stopsInChord_[byte] = c == '/' || c < '!';
    }
    if (notation_ != Notation::Letters) return;
    // Each letter note is looked up once per run rather than once per chord.
    for (char letter = 'A'; letter <= 'G'; ++letter) {
        for (const char accidental : {'\0', '#', 'b'}) {
            const char name[] = {letter, accidental};
            const std::string_view note(name, accidental == '\0' ? 1 : 2);
            letterCodes_[LetterSlot(letter, accidental)] =
                GetCodeFromChord(note, messenger).value_or(0);
        }
    }
}

bool ChordLineRewriter::StartsNote(char c) const {
    if (notation_ == Notation::Letters) return c >= 'A' && c <= 'G';
    return c == 'I' || c == 'V' || c == 'b';
}

std::size_t ChordLineRewriter::NoteLength(std::string_view line, std::size_t p) const {
    if (notation_ == Notation::Letters)
        return p + 1 < line.size() && (line[p + 1] == '#' || line[p + 1] == 'b') ? 2 : 1;
    std::size_t length = 1;
    while (length < 4 && p + length < line.size() &&
           (line[p + length] == 'I' || line[p + length] == 'V'))
        ++length;
    return length;
}

int ChordLineRewriter::CodeOf(std::string_view note, Messenger& messenger) const {
    if (notation_ == Notation::Letters)
        return letterCodes_[LetterSlot(note[0], note.size() > 1 ? note[1] : '\0')];
    return GetCodeFromChordRoman(note, messenger).value_or(0);
}

std::size_t ChordLineRewriter::ChordLineScan(std::string_view line, std::string& out,
                                             Messenger& messenger) const {
    out.clear();
    std::size_t notes = 0;
    std::size_t p = 0;
    auto replaceNoteAt = [&] {
        const std::size_t length = NoteLength(line, p);
        const int code = WrapPitchClass(CodeOf(line.substr(p, length), messenger) + step_);
        out += names_[static_cast<std::size_t>(code)];
        p += length;
        ++notes;
    };

    bool inChord = false;
    while (p < line.size()) {
        // Bytes that decide nothing are copied in one go: outside a chord everything but a
        // note and a "/", inside one everything but a separator and a "/".
        const std::array<bool, 256>& stops = inChord ? stopsInChord_ : stopsOutside_;
        std::size_t plain = p;
        while (plain < line.size() && !stops[static_cast<unsigned char>(line[plain])]) ++plain;
        out.append(line, p, plain - p);
        p = plain;
        if (p == line.size()) break;

        const char c = line[p];
        if (static_cast<unsigned char>(c) < '!') {  // a space, tab or control character
            inChord = false;
            out += line[p++];
        } else if (!inChord && StartsNote(c)) {  // the root starts a chord
            inChord = true;
            replaceNoteAt();
        } else if (p + 1 < line.size()) {  // a "/" with a byte after it
            out += line[p++];
            if (StartsNote(line[p]))
                replaceNoteAt();  // a slash bass
            else
                out += line[p++];  // copied with the slash: not even a space ends the chord
        } else {                   // a "/" that ends the line
            out += line[p++];
        }
    }
    return notes;
}

}  // namespace lw
