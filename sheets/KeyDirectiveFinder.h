#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "sheets/ChordProRewriter.h"

namespace lw {

// Reads a ChordPro sheet up to its first key directive, to learn the key it is in. Lines are
// told apart as the rewriter tells them: no key is taken from a comment line or a kept section.
class KeyDirectiveFinder {
public:
    // Reads one piece of a line, as ChordProRewriter::Rewrite does. True once the first key
    // directive has been read: the rest of the sheet is not needed.
    bool Feed(std::string_view piece, bool endsLine);

    // The key of the first key directive, as written without the blanks around it ("Em" for
    // "{key: Em }"); nothing while none has been read.
    const std::optional<std::string>& Key() const { return lines_.FirstKey(); }

private:
    ChordProRewriter lines_{std::nullopt, Notation::Letters, std::nullopt};
    std::string copy_;
};

}  // namespace lw
