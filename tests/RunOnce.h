#pragma once

// One run as File, Open makes it once the dialog has given a path and the question has been
// answered OK: plan, then execute.

#include <optional>

#include "RecordingHost.h"
#include "TempFolder.h"
#include "convert/RunPlan.h"
#include "io/FileError.h"

namespace lw::test {

// The window as a run finds it: a mode, and a key row or a step row chosen.
struct Window {
    int mode = 0;
    std::optional<int> keyRow;
    std::optional<int> stepRow;
    Spelling preference = Spelling::Flat;
};

inline Window Mode(int mode, std::optional<int> keyRow, std::optional<int> stepRow = {},
                   Spelling preference = Spelling::Flat) {
    Window window;
    window.mode = mode;
    window.keyRow = keyRow;
    window.stepRow = stepRow;
    window.preference = preference;
    return window;
}
inline Window ByKey(int row) { return Mode(0, row); }
inline Window ByStep(int row, Spelling preference) { return Mode(1, {}, row, preference); }
inline Window FromFiguredBass(int row) { return Mode(2, row); }
inline const Window ToFiguredBass = Mode(3, {});

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
    RunChoices choices;
    choices.keyIndex = window.keyRow;
    choices.preference = window.preference;
    if (window.keyRow) lstKey_Click(globals);
    if (window.stepRow) lstStep_Click(globals, *window.stepRow);
    if (window.mode == 1) choices.visibleList = ShownList::Step;
    if (window.mode == 3) choices.visibleList = ShownList::None;
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
