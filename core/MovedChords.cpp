#include "core/MovedChords.h"

#include <algorithm>
#include <utility>

namespace lw {

MovedChords::MovedChords(ChordLineRewriter rewriter, Notation notation)
    : rewriter_(std::move(rewriter)), notation_(notation) {}

// A new chord takes the place of the one there, unless what it becomes does not fit.
MovedChords::Chord MovedChords::Remember(std::size_t place, TextKey key, std::string_view text,
                                         Messenger& messenger) {
    const std::size_t notes = Move(text, messenger);
    Remembered& remembered = remembered_[place];
    if (moved_.size() > remembered.moved.size()) return {notes, moved_};
    remembered.text = key;
    remembered.notes = static_cast<std::uint8_t>(notes);
    remembered.movedSize = static_cast<std::uint8_t>(moved_.size());
    std::ranges::copy(moved_, remembered.moved.begin());
    held_[place] = true;
    return {notes, std::string_view(remembered.moved.data(), remembered.movedSize)};
}

// Each note is named on its own as the chord-line scan names it, so a chord is spelled as on a
// chord line, and the tension of "I13/b9" is never taken for a degree "b".
std::size_t MovedChords::Move(std::string_view text, Messenger& messenger) {
    moved_.clear();
    const std::optional<ChordSymbolNotes> notes = ReadChordSymbol(text, notation_);
    if (!notes) return 0;
    std::size_t moved = 0, copied = 0;
    for (const TextSpan& note : {notes->root, notes->bass}) {
        if (note.size == 0) continue;
        moved_.append(text, copied, note.begin - copied);
        rewriter_.AppendMovedNote(text.substr(note.begin, note.size), moved_, messenger);
        ++moved;
        copied = note.begin + note.size;
    }
    moved_.append(text, copied);
    return moved;
}

}  // namespace lw
