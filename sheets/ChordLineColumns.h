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
    // Writes into out, after what it holds, a new version of line.
    ChordLineColumns(std::string_view line, std::string& out)
        : line_(line), out_(out), hasTab_(line.find('\t') != std::string_view::npos) {}

    // Writes the blanks before word, then word with its chord written as chord; what follows
    // the chord may wait for the next word or Finish. Words come in the line's order. A word
    // after a grown one takes the blanks it needs, leaving at least one before it; a run of
    // blanks that holds a tab is written as it is.
    void Add(const ChordLineWord& word, std::string_view chord);

    // Appends the rest of the line: the end of its last word and the blanks after it.
    void Finish() { out_.append(line_.data() + copied_, line_.size() - copied_); }

private:
    std::string_view line_;
    std::string& out_;
    bool hasTab_;               // most lines have none, so their gaps need no search
    std::size_t copied_ = 0;    // where the line is written up to; what follows is unchanged
    std::size_t wordEnd_ = 0;   // where the last word added ends
    std::ptrdiff_t shift_ = 0;  // how much further right out reaches than the line up to copied_
};

}  // namespace lw
