#include "sheets/ChordLineColumns.h"

#include <algorithm>

namespace lw {

// What comes before the first word (blanks, a label) is never shifted, and neither is a run of
// blanks that holds a tab: nobody can tell the column after a tab. Blanks that stay as they are
// wait to be copied with the rest of the line.
void ChordLineColumns::Keep(const ChordLineWord& word) {
    if (shift_ != 0) {
        const std::string_view gap = line_.substr(wordEnd_, word.begin - wordEnd_);
        const auto blanks = std::max<std::ptrdiff_t>(std::ssize(gap) - shift_, 1);
        if (blanks != std::ssize(gap) && (!hasTab_ || gap.find('\t') == std::string_view::npos)) {
            out_.append(line_.data() + copied_, wordEnd_ - copied_);
            out_.append(static_cast<std::size_t>(blanks), ' ');
            shift_ += blanks - std::ssize(gap);
            copied_ = word.begin;
        }
    }
    wordEnd_ = word.begin + word.size;
}

// Most chords keep their size, and most lines have no other: such a chord is written over the
// line already written. From the first chord that changes size on, the rest of the line is
// written piece by piece.
void ChordLineColumns::Add(const ChordLineWord& word, std::string_view chord) {
    if (whole_) {
        const std::size_t at = out_.size() - line_.size() + word.chord.begin;
        if (chord.size() == word.chord.size) {
            std::copy(chord.begin(), chord.end(), out_.begin() + static_cast<std::ptrdiff_t>(at));
            return;
        }
        out_.resize(at);
        copied_ = word.chord.begin;
        whole_ = false;
    }
    Keep(word);
    out_.append(line_.data() + copied_, word.chord.begin - copied_);
    out_ += chord;
    shift_ += std::ssize(chord) - static_cast<std::ptrdiff_t>(word.chord.size);
    copied_ = word.chord.begin + word.chord.size;
}

void ChordLineColumns::Finish() {
    if (!whole_) out_.append(line_.data() + copied_, line_.size() - copied_);
}

}  // namespace lw
