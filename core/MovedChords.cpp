#include "core/MovedChords.h"

#include <utility>

namespace lw {

MovedChords::MovedChords(ChordLineRewriter rewriter, Notation notation)
    : rewriter_(std::move(rewriter)), notation_(notation) {}

// A new chord takes the place of the one there; a long one is read and moved each time.
const MovedChords::Chord& MovedChords::Remember(Remembered& place, std::string_view text,
                                                Messenger& messenger) {
    if (text.size() > kLongestRemembered) {
        longChord_ = Move(text, messenger);
        return longChord_;
    }
    place.chord = Move(text, messenger);
    place.text = text;
    return place.chord;
}

// Each note is named on its own as the chord-line scan names it, so a chord is spelled as on a
// chord line, and the tension of "I13/b9" is never taken for a degree "b".
MovedChords::Chord MovedChords::Move(std::string_view text, Messenger& messenger) const {
    Chord chord;
    const std::optional<ChordSymbolNotes> notes = ReadChordSymbol(text, notation_);
    if (!notes) return chord;
    std::size_t copied = 0;
    for (const TextSpan& note : {notes->root, notes->bass}) {
        if (note.size == 0) continue;
        chord.moved.append(text, copied, note.begin - copied);
        rewriter_.AppendMovedNote(text.substr(note.begin, note.size), chord.moved, messenger);
        ++chord.notes;
        copied = note.begin + note.size;
    }
    chord.moved.append(text, copied);
    return chord;
}

}  // namespace lw
