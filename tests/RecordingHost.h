#pragma once

// A RunHost for tests: keeps every message and the last text of each status field, answers
// each question from the answers given (Cancel once they run out) and cancels the run at its
// first progress report when told to.

#include <array>
#include <deque>
#include <string>
#include <vector>

#include "convert/RunHost.h"

namespace lw::test {

using Texts = std::vector<std::string>;

struct RecordingHost : RunHost {
    void ShowMessage(std::string_view text) override { messages.emplace_back(text); }
    bool AskOkCancel(std::string_view text) override {
        messages.emplace_back(text);
        const bool ok = !answers.empty() && answers.front();
        if (!answers.empty()) answers.pop_front();
        return ok;
    }
    void SetStatusField(StatusField field, std::string_view text) override {
        fields[std::size_t(field)] = text;
    }
    bool KeepGoing(std::uint64_t, std::uint64_t) override { return !cancel; }

    Texts messages;
    std::deque<bool> answers;
    std::array<std::string, 4> fields;
    bool cancel = false;
};

}  // namespace lw::test
