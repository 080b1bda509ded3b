#pragma once

// A Messenger for tests: keeps the text of every box shown, in order, and answers each
// OK/Cancel question from the answers the test gave it (Cancel once they run out).

#include <deque>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/Messenger.h"

namespace lw::test {

struct RecordingMessenger : Messenger {
    explicit RecordingMessenger(std::deque<bool> okAnswers = {}) : answers(std::move(okAnswers)) {}

    void ShowMessage(std::string_view text) override { texts.emplace_back(text); }

    bool AskOkCancel(std::string_view text) override {
        texts.emplace_back(text);
        if (answers.empty()) return false;
        const bool ok = answers.front();
        answers.pop_front();
        return ok;
    }

    std::vector<std::string> texts;
    std::deque<bool> answers;
};

using Texts = std::vector<std::string>;

}  // namespace lw::test
