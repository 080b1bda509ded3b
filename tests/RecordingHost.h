#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "convert/RunHost.h"

namespace lw::test {

using Texts = std::vector<std::string>;

// A RunHost for tests: keeps every message, with "{dir}/" in place of folder, answers every
// question OK, and at each progress report calls onProgress; cancels when it says so, or at
// report number cancelAt.
struct RecordingHost : RunHost {
    bool ShowBox(std::string_view text, std::string_view details, MessageButtons) override {
        auto message = std::string(text) + (details.empty() ? "" : " | ") + std::string(details);
        for (std::size_t at; !folder.empty() && (at = message.find(folder)) != message.npos;)
            message.replace(at, folder.size(), "{dir}/");
        messages.push_back(message);
        return true;
    }
    void SetStatusField(StatusField field, std::string_view text) override {
        const auto i = std::size_t(field);
        (i < 2 ? files[i] : lines[i - 2]) = text;
    }
    bool KeepGoing(const Progress&) override {
        return (!onProgress || onProgress()) && --cancelAt != 0;
    }

    std::string folder;
    Texts messages;
    std::string files[2], lines[2];    // the input and output file fields, and line fields
    std::function<bool()> onProgress;  // false: Cancel
    std::size_t cancelAt = SIZE_MAX;   // reports left until Cancel
};

}  // namespace lw::test
