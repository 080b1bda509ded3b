#pragma once

#include <string>
#include <vector>

#include "convert/RunHost.h"

namespace lw::test {

using Texts = std::vector<std::string>;

// A RunHost for tests: keeps every message, with "{dir}/" in place of folder.
struct RecordingHost : RunHost {
    void ShowMessage(std::string_view text) override {
        std::string message(text);
        if (const auto at = message.find(folder); !folder.empty() && at != std::string::npos)
            message.replace(at, folder.size(), "{dir}/");
        messages.push_back(message);
    }
    bool AskOkCancel(std::string_view) override { return true; }
    void SetStatusField(StatusField, std::string_view) override {}
    bool KeepGoing(std::uint64_t, std::uint64_t) override { return true; }

    std::string folder;
    Texts messages;
};

}  // namespace lw::test
