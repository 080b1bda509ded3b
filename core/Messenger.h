#pragma once

#include <string_view>

namespace lw {

// How the notation core and the runs talk to the user. Every message is modal: the call
// returns when the user has closed it. The window shows real message boxes; tests record.
class Messenger {
public:
    virtual ~Messenger() = default;

    // A message with a single OK button.
    virtual void ShowMessage(std::string_view text) = 0;

    // A question with OK and Cancel; true when the user answered OK.
    virtual bool AskOkCancel(std::string_view text) = 0;
};

}  // namespace lw
