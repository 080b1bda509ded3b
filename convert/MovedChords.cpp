#include "convert/MovedChords.h"

#include <cstdint>
#include <utility>

namespace lw {

MovedChords::MovedChords(ChordLineRewriter rewriter, Notation notation)
    : rewriter_(std::move(rewriter)), notation_(notation) {}

const MovedChords::Chord& MovedChords::Of(std::string_view text, Messenger& messenger) {
    if (text.empty() || !MayStartChordSymbol(text[0], notation_)) return noChord_;
    if (text.size() > kLongestRemembered) {
        longChord_ = Move(text, messenger);
        return longChord_;
    }
    std::uint32_t hash = 2166136261u;  // FNV-1a
    for (const char c : text) hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    Remembered& place = remembered_[hash % remembered_.size()];
    if (place.text != text) Remember(place, text, messenger);  // an empty place matches none
    return place.chord;
}

// A new chord takes the place of the one there.
void MovedChords::Remember(Remembered& place, std::string_view text, Messenger& messenger) {
    place.chord = Move(text, messenger);
    place.text = text;
}

// Each note is named on its own as the chord-line scan names it, so a chord is spelled as on a
// chord line, and the tension of "I13/b9" is never taken for a degree "b".
MovedChords::Chord MovedChords::Move(std::string_view text, Messenger& messenger) const {
    Chord chord;
    const std::optional<ChordSymbolNotes> notes = ReadChordSymbol(text, notation_);
    if (!notes) return chord;
    chord.startsWithRoot = notes->root.size > 0 && notes->root.begin == 0;
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
