#pragma once

// One run as File, Open makes it once the dialog has given a path and the question has been
// answered OK: plan, then execute.

#include <optional>

#include "RecordingHost.h"
#include "TempFolder.h"
#include "convert/RunPlan.h"
#include "io/FileError.h"

namespace lw::test {

// The window as a run finds it: a mode (0 By Key, 1 By Step, 2 Figured Bass to Key, 3 Key to
// Figured Bass); in modes 0 and 2 the key row chosen (-1: a step was chosen instead), in mode 1
// the step row; and the sharp or flat preference.
struct Window {
    int mode;
    int row = -1;
    Spelling preference = Spelling::Flat;
};

struct Outcome {
    bool written = false;
    Texts messages;
    ModGlobals globals;
    RecordingHost host;
};

// Plans and executes one run on folder/input; "{dir}" in a message stands for the folder.
inline Outcome RunOnce(const Window& window, const TempFolder& folder, const std::string& input,
                       FileSystem& fs = SystemFileSystem()) {
    Outcome outcome;
    ModGlobals& globals = outcome.globals;
    globals.ConvertMode = window.mode;
    RunChoices choices{ShownList::Key, std::nullopt, window.preference};
    if (window.mode == 1) {
        choices.visibleList = ShownList::Step;
        lstStep_Click(globals, window.row);
    } else if (window.mode == 3) {
        choices.visibleList = ShownList::None;
    } else if (window.row < 0) {
        lstStep_Click(globals, 0);
    } else {
        choices.keyIndex = window.row;
        lstKey_Click(globals);
    }
    try {
        std::optional<RunPlan> plan =
            PlanRun(globals, choices, folder.Path(input), outcome.host, fs);
        outcome.written = plan && ExecutePlan(*plan, globals, outcome.host, fs);
    } catch (const FileError& failure) {
        outcome.host.ShowMessage(failure.what());
    }
    for (std::string text : outcome.host.messages) {
        if (const auto at = text.find(folder.Path("")); at != std::string::npos)
            text.replace(at, folder.Path("").size(), "{dir}/");
        outcome.messages.push_back(text);
    }
    return outcome;
}

}  // namespace lw::test
