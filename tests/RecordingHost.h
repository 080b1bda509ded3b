#pragma once

#include <array>
#include <string>
#include <vector>

#include "convert/RunHost.h"

namespace lw::test {

using Texts = std::vector<std::string>;

// A RunHost for tests: keeps every message, with "{dir}/" in place of folder, and the last text
// of each status field; answers a question OK, and cancels the run at its first progress report
// when told to.
struct RecordingHost : RunHost {
    void ShowMessage(std::string_view text) override {
        std::string message(text);
        if (const auto at = message.find(folder); !folder.empty() && at != std::string::npos)
            message.replace(at, folder.size(), "{dir}/");
        messages.push_back(message);
    }
    bool AskOkCancel(std::string_view text) override { return messages.emplace_back(text), true; }
    void SetStatusField(StatusField field, std::string_view text) override {
        fields[std::size_t(field)] = text;
    }
    bool KeepGoing(std::uint64_t, std::uint64_t) override { return !cancel; }

    std::string folder;
    Texts messages;
    std::array<std::string, 4> fields;
    bool cancel = false;
};

}  // namespace lw::test
