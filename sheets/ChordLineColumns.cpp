#include "sheets/ChordLineColumns.h"

#include <algorithm>

namespace lw {

void ChordLineColumns::Add(const ChordLineWord& word, std::string_view chord) {
    const std::string_view gap = line_.substr(copied_, word.begin - copied_);
    // What comes before the first word (blanks, a label) is written as it is, and so is a run
    // of blanks that holds a tab: nobody can tell the column after a tab.
    if (firstWord_ || (hasTab_ && gap.find('\t') != std::string_view::npos)) {
        out_ += gap;
    } else {
        const auto blanks = std::max<std::ptrdiff_t>(std::ssize(gap) - shift_, 1);
        out_.append(static_cast<std::size_t>(blanks), ' ');
        shift_ += blanks - std::ssize(gap);
    }
    firstWord_ = false;
    const std::size_t chordEnd = word.chord.begin + word.chord.size;
    out_.append(line_, word.begin, word.chord.begin - word.begin);
    out_ += chord;
    out_.append(line_, chordEnd, word.begin + word.size - chordEnd);
    shift_ += std::ssize(chord) - static_cast<std::ptrdiff_t>(word.chord.size);
    copied_ = word.begin + word.size;
}

}  // namespace lw
