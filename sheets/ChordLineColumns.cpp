#include "sheets/ChordLineColumns.h"

#include <algorithm>

namespace lw {

namespace {

// How many characters text holds: every byte but the continuation bytes of UTF-8 starts one.
std::size_t Columns(std::string_view text) {
    return static_cast<std::size_t>(std::ranges::count_if(
        text, [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

}  // namespace

void ChordLineColumns::Add(const ChordLineWord& word, std::string_view chord) {
    const std::string_view gap = line_.substr(copied_, word.begin - copied_);
    const std::size_t wordColumn = lineColumn_ + Columns(gap);
    // What comes before the first word (blanks, a label) is written as it is, and so is a run
    // of blanks that holds a tab: nobody can tell the column after a tab.
    if (firstWord_ || gap.find('\t') != std::string_view::npos) {
        out_ += gap;
        outColumn_ += Columns(gap);
    } else {
        const std::size_t blanks = wordColumn > outColumn_ ? wordColumn - outColumn_ : 1;
        out_.append(blanks, ' ');
        outColumn_ += blanks;
    }
    firstWord_ = false;

    const std::string_view before = line_.substr(word.begin, word.chord.begin - word.begin);
    const std::string_view written = line_.substr(word.begin, word.size);
    const std::size_t chordEnd = word.chord.begin + word.chord.size;
    const std::string_view after = line_.substr(chordEnd, word.begin + word.size - chordEnd);
    out_ += before;
    out_ += chord;
    out_ += after;
    outColumn_ += Columns(before) + Columns(chord) + Columns(after);
    lineColumn_ = wordColumn + Columns(written);
    copied_ = word.begin + word.size;
}

}  // namespace lw
