#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "convert/RunConversion.h"
#include "convert/RunHost.h"
#include "core/ModGlobals.h"
#include "core/Tables.h"

namespace lw {

enum class RunMode { ByKey, ByStep, ToFiguredBass, FromFiguredBass };

// One conversion as a user would ask for it in the window.
struct ScriptedRun {
    RunMode mode = RunMode::ByKey;
    int keyIndex = 0;                      // row of the key list: By Key, Figured Bass to Key
    int stepIndex = 0;                     // row of the step list: By Step
    Spelling preference = Spelling::Flat;  // the "#" / "b" buttons: By Step
    std::string inputPath;                 // what the file dialog returns
    std::string chordLineMarker = "^";
    std::string fileExtension = "txt";
};

// Plays the window for one run: the dialog returns the scripted path, the question is answered
// OK, the lists show the scripted choice, the status fields are ignored and every message goes
// to onMessage.
class ScriptedRunHost : public RunHost {
public:
    using MessageSink = std::function<void(std::string_view)>;

    ScriptedRunHost(const ScriptedRun& run, MessageSink onMessage)
        : run_(run), onMessage_(std::move(onMessage)) {}

    void ShowMessage(std::string_view text) override { onMessage_(text); }
    bool AskOkCancel(std::string_view) override { return true; }
    std::optional<std::string> ChooseInputFile() override { return run_.inputPath; }
    void SetStatusField(StatusField, std::string_view) override {}

    ShownList VisibleList() const override {
        switch (run_.mode) {
            case RunMode::ByKey:
            case RunMode::FromFiguredBass:
                return ShownList::Key;
            case RunMode::ByStep:
                return ShownList::Step;
            case RunMode::ToFiguredBass:
                break;
        }
        return ShownList::None;
    }

    std::optional<int> SelectedKeyIndex() const override {
        if (VisibleList() != ShownList::Key) return std::nullopt;
        return run_.keyIndex;
    }

    Spelling Preference() const override { return run_.preference; }

private:
    const ScriptedRun& run_;
    MessageSink onMessage_;
};

// Sets the globals as the window leaves them after the mode button and list click of run,
// then runs the conversion. True when an output file was written.
inline bool RunScripted(const ScriptedRun& run, ScriptedRunHost::MessageSink onMessage) {
    ModGlobals globals;
    globals.ChordLineMarker = run.chordLineMarker;
    globals.FileExtension = run.fileExtension;
    switch (run.mode) {
        case RunMode::ByKey:
            globals.ConvertMode = 0;
            lstKey_Click(globals);
            break;
        case RunMode::ByStep:
            globals.ConvertMode = 1;
            lstStep_Click(globals, run.stepIndex);
            break;
        case RunMode::FromFiguredBass:
            globals.ConvertMode = 2;
            lstKey_Click(globals);
            break;
        case RunMode::ToFiguredBass:
            globals.ConvertMode = 3;  // no list shown, nothing chosen
            break;
    }
    ScriptedRunHost host(run, std::move(onMessage));
    return RunConversion(globals, host);
}

}  // namespace lw
