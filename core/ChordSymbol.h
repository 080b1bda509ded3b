#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "core/ChordLineRewriter.h"

namespace lw {

// Where a part of a text sits, such as one note of a chord; size 0 when there is none.
struct TextSpan {
    std::size_t begin = 0;
    std::size_t size = 0;
};

// The notes of a text that reads as one chord symbol.
struct ChordSymbolNotes {
    TextSpan root;  // none for a lone slash bass ("/F#")
    TextSpan bass;  // the note after the "/" that ends the chord, if any
};

// Reads a whole text as one chord symbol as ChordPro sheets write them: a root, then any number
// of digits, signs (+ - # b ( ) , ^ ° º ø Δ), chord words (m, min, maj, sus, add, ...) and
// tensions ("/9", "/b9", "/#11"), then optionally "/" and a bass; or a "/" and a bass alone; or
// either in parentheses. Roots and basses are notes in the notation, taken as the chord-line
// scan takes them, so that every note read here is one the scan knows. Nothing for "Chorus",
// "N.C.", "x2", "Verse 2", "bIV" and the like.
std::optional<ChordSymbolNotes> ReadChordSymbol(std::string_view text, Notation notation);

// Whether a chord symbol can start with the byte first: a root, a "/" or a "(". Most words
// that are no chord ("|", "x2", "Chorus") are told at once.
constexpr bool MayStartChordSymbol(char first, Notation notation) {
    if (first == '/' || first == '(') return true;
    if (notation == Notation::Letters) return first >= 'A' && first <= 'G';
    return first == 'I' || first == 'V' || first == 'b';
}

inline bool ReadsAsChord(std::string_view text, Notation notation) {
    return ReadChordSymbol(text, notation).has_value();
}

}  // namespace lw
