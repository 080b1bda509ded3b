#include "sheets/KeyDirectiveFinder.h"

#include "sheets/ChordProDirective.h"

namespace lw {

namespace {

// The finder converts nothing, so nothing is ever shown.
struct SilentMessenger : Messenger {
    bool ShowBox(std::string_view, std::string_view, MessageButtons) override { return true; }
};

}  // namespace

bool KeyDirectiveFinder::Feed(std::string_view piece, bool endsLine) {
    // Only a directive line names a key or opens or ends a section, so a line whose first byte
    // after its blanks is no "{" is passed over: the rewriter would only copy it.
    if (lineStart_ && !firstLine_) {
        const std::size_t first = SkipBlanks(piece, 0);
        passing_ = first < piece.size() ? piece[first] != '{' : endsLine;
    }
    lineStart_ = endsLine;
    if (endsLine) firstLine_ = false;
    if (passing_) {
        passing_ = !endsLine;
        return false;
    }
    SilentMessenger silent;
    lines_.Rewrite(piece, endsLine, copy_, silent);
    copy_.clear();
    return Key().has_value();
}

}  // namespace lw
