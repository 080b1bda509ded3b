#include <optional>

#include "NoteConversions.h"
#include "OutputPath.h"
#include "RunFrame.h"
#include "Runs.h"
#include "core/KeyFromFilename.h"

namespace lw {

namespace {

class TransposeSteps : public RunSteps {
public:
    bool NeedsSelection() const override { return true; }

    bool ReadInputKey(std::string_view path, ModGlobals& globals, RunHost& host) override {
        return GetKeyCodeFromFilename(path, globals, host);
    }

    OutputKeyInName ChooseOutputKey(ModGlobals& globals, RunHost& host) override {
        const bool byKey = host.VisibleList() != ShownList::Step;
        if (byKey) {
            const std::size_t key = SelectedKey(host);
            globals.OutputKeyCode = KeySpellingCodes[key];
            globals.UseSharps = KeyListSpellings[key] == Spelling::Sharp;
        } else {
            globals.OutputKeyCode =
                WrapPitchClass(globals.InputKeyCode + globals.StepSemitones.value_or(0));
            globals.UseSharps = host.Preference() == Spelling::Sharp;
        }
        globals.OutputKeyName = OutputKeyNameOf(globals);
        notes_.emplace(globals, host, byKey);
        return {static_cast<std::size_t>(globals.InputKeyLength), globals.OutputKeyName};
    }

    void ConvertChordLine(std::string_view line, std::string& out) override {
        notes_->ConvertLine(line, out);
    }

private:
    std::optional<TransposeNotes> notes_;
};

}  // namespace

bool TransposeRun(ModGlobals& globals, RunHost& host, FileSystem& fs) {
    TransposeSteps steps;
    return RunFrame(steps, globals, host, fs);
}

}  // namespace lw
