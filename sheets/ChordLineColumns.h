#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "sheets/ChordsOverLyricsLine.h"

namespace lw {

// Writes a chord line again word by word, each word in the column it started in wherever it
// can, so that every chord stays over its syllable. Columns count characters (a UTF-8 sign is
// one, and so is a tab), but notes and their names are ASCII: a moved word is as many
// characters longer as it is bytes longer, so how far the words have shifted is told in bytes.
class ChordLineColumns {
public:
    // Writes into out, after what it holds, a new version of line: the line as it is, changed
    // as its words are placed.
    ChordLineColumns(std::string_view line, std::string& out)
        : line_(line), out_(out), hasTab_(line.find('\t') != std::string_view::npos) {
        out_ += line;
    }

    // Places word as it is written: what is unchanged is copied later, in one piece. Words come
    // in the line's order, each either kept or added. A word after a grown one takes the blanks
    // it needs, leaving at least one before it; a run of blanks that holds a tab is kept.
    void Keep(const ChordLineWord& word);

    // Places word with its chord written as chord; what follows the chord may wait for the next
    // word or Finish.
    void Add(const ChordLineWord& word, std::string_view chord);

    // Writes the rest of the line: the end of its last word and the blanks after it.
    void Finish();

private:
    std::string_view line_;
    std::string& out_;
    bool hasTab_;               // most lines have none, so their gaps need no search
    bool whole_ = true;         // out ends in the line as it is but for chords of the same size
    std::size_t copied_ = 0;    // once not whole_, where the line is written up to
    std::size_t wordEnd_ = 0;   // where the last word placed ends
    std::ptrdiff_t shift_ = 0;  // how much further right out reaches than the line up to copied_
};

}  // namespace lw
