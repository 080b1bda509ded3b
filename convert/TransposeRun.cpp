#include "NoteConversions.h"
#include "OutputPath.h"
#include "RunFrame.h"
#include "Runs.h"

namespace lw {

namespace {

class TransposeSteps : public ConvertingSteps<TransposeNotes> {
public:
    bool NeedsSelection() const override { return true; }

    OutputKeyInName ChooseOutputKey(ModGlobals& globals, RunHost& host) override {
        const bool byKey = host.VisibleList() != ShownList::Step;
        if (byKey) {
            TakeOutputKeyFromList(globals, host);
        } else {
            globals.OutputKeyCode =
                WrapPitchClass(globals.InputKeyCode + globals.StepSemitones.value_or(0));
            globals.UseSharps = host.Preference() == Spelling::Sharp;
        }
        globals.OutputKeyName = OutputKeyNameOf(globals);
        notes_.emplace(globals, host, byKey);
        return {static_cast<std::size_t>(globals.InputKeyLength), globals.OutputKeyName};
    }
};

}  // namespace

bool TransposeRun(ModGlobals& globals, RunHost& host, FileSystem& fs) {
    TransposeSteps steps;
    return RunFrame(steps, globals, host, fs);
}

}  // namespace lw
