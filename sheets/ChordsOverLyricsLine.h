#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "core/ChordLineRewriter.h"
#include "core/ChordSymbol.h"

namespace lw {

// Longer lines are never chord lines or key lines: no real chord line is that long, and the
// rewriter holds no more than this of a line.
inline constexpr std::size_t kLongestChordLine = 65536;

enum class LineKind {
    Lyrics,          // anything that is not one of the others, kept as it is
    ChordLine,       // chords (with marks), chord-line words, a label and comments
    KeyLine,         // "Key: G" and the like
    AlmostChordLine  // mostly chords with a word that is none: kept, and named to the user
};

// A word of a chord line after its label; a comment is one word.
struct ChordLineWord {
    std::size_t begin = 0;  // in the line
    std::size_t size = 0;
    TextSpan chord;  // the chord symbol inside the word's marks, in the line; size 0: no chord
};

// What a short word read as on an earlier line: a song's few chords and bar marks come back
// line after line, and are read once.
struct RememberedWord {
    std::uint64_t text = 0;       // the word's bytes, then its size and notation; 0 for none
    std::uint8_t kind = 0;        // how the word reads
    std::uint8_t chordBegin = 0;  // where its chord sits in it, if it is one
    std::uint8_t chordSize = 0;
};

struct ReadLine {
    LineKind kind = LineKind::Lyrics;
    std::vector<ChordLineWord> words;  // ChordLine only
    TextSpan key;                      // KeyLine only: the key name as written, in the line
    // Recent words, each in the place its text gives.
    static constexpr int kRememberedBits = 6;
    std::vector<RememberedWord> remembered = std::vector<RememberedWord>(1u << kRememberedBits);
};

// Reads one whole line, without its line end and without a byte-order mark, as a line of a
// chords-over-lyrics sheet whose chords are written in notation, into reading, whose room for
// words and recent words are kept from line to line. Key lines read the same in every notation.
void ReadChordsOverLyricsLine(std::string_view line, Notation notation, ReadLine& reading);

}  // namespace lw
