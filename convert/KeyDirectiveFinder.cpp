#include "convert/KeyDirectiveFinder.h"

namespace lw {

namespace {

// The finder converts nothing, so nothing is ever shown.
struct SilentMessenger : Messenger {
    void ShowMessage(std::string_view) override {}
    bool AskOkCancel(std::string_view) override { return true; }
};

}  // namespace

bool KeyDirectiveFinder::Feed(std::string_view piece, bool endsLine) {
    SilentMessenger silent;
    lines_.Rewrite(piece, endsLine, copy_, silent);
    copy_.clear();
    return Key().has_value();
}

}  // namespace lw
