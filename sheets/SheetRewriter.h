#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/Messenger.h"

namespace lw {

// Rewrites one sheet handed over line by line, each line in one or more pieces without its line
// end. Each kind of sheet has its own; the run writes the line ends as the kind says.
class SheetRewriter {
public:
    virtual ~SheetRewriter() = default;

    // Appends to out what the piece gives as far as it is decided, and returns how many notes
    // were replaced. endsLine is true on the last piece of each line, the sheet's last line too.
    virtual std::size_t Rewrite(std::string_view piece, bool endsLine, std::string& out,
                                Messenger& messenger) = 0;

    // Whether the line of the last piece is one the kind converts, such as a chord line, so
    // that the window shows what it became.
    virtual bool ConvertsLine() const { return true; }

    // Messages that go with the written file, once every line has been rewritten.
    virtual std::vector<std::string> OutputNotes() const { return {}; }
};

}  // namespace lw
