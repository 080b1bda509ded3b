#pragma once

#include <string_view>

namespace lw {

enum class MessageButtons { Ok, OkCancel };

// How the notation core and the runs talk to the user. Every message is modal: the call
// returns when the user has closed it. The window shows real message boxes, the command line
// prints, tests record.
class Messenger {
public:
    virtual ~Messenger() = default;

    // A message with a single OK button; details, if any, are shown on request.
    void ShowMessage(std::string_view text, std::string_view details = {}) {
        ShowBox(text, details, MessageButtons::Ok);
    }

    // A question with OK and Cancel; true when the user answered OK.
    bool AskOkCancel(std::string_view text, std::string_view details = {}) {
        return ShowBox(text, details, MessageButtons::OkCancel);
    }

    // Shows one message and waits for the answer: true for OK.
    virtual bool ShowBox(std::string_view text, std::string_view details,
                         MessageButtons buttons) = 0;
};

}  // namespace lw
