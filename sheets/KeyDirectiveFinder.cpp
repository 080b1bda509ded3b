#include "sheets/KeyDirectiveFinder.h"

namespace lw {

namespace {

// The finder converts nothing, so nothing is ever shown.
struct SilentMessenger : Messenger {
    bool ShowBox(std::string_view, std::string_view, MessageButtons) override { return true; }
};

}  // namespace

bool KeyDirectiveFinder::Feed(std::string_view piece, bool endsLine) {
    SilentMessenger silent;
    lines_.Rewrite(piece, endsLine, copy_, silent);
    copy_.clear();
    return Key().has_value();
}

}  // namespace lw
