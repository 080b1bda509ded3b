#include "sheets/ChordLineColumns.h"

#include <algorithm>

namespace lw {

// While nothing has shifted, the line is copied as it is up to the next chord, in one piece.
// What comes before the first word (blanks, a label) is never shifted, and neither is a run of
// blanks that holds a tab: nobody can tell the column after a tab.
void ChordLineColumns::Add(const ChordLineWord& word, std::string_view chord) {
    if (shift_ != 0) {
        const std::string_view gap = line_.substr(wordEnd_, word.begin - wordEnd_);
        if (!hasTab_ || gap.find('\t') == std::string_view::npos) {
            out_.append(line_.data() + copied_, wordEnd_ - copied_);
            const auto blanks = std::max<std::ptrdiff_t>(std::ssize(gap) - shift_, 1);
            out_.append(static_cast<std::size_t>(blanks), ' ');
            shift_ += blanks - std::ssize(gap);
            copied_ = word.begin;
        }
    }
    out_.append(line_.data() + copied_, word.chord.begin - copied_);
    out_ += chord;
    shift_ += std::ssize(chord) - static_cast<std::ptrdiff_t>(word.chord.size);
    copied_ = word.chord.begin + word.chord.size;
    wordEnd_ = word.begin + word.size;
}

}  // namespace lw
