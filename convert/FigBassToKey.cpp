#include "NoteConversions.h"
#include "OutputPath.h"
#include "RunFrame.h"
#include "Runs.h"
#include "core/KeyFromFilename.h"

namespace lw {

namespace {

// Degrees are relative, so a figured-bass sheet is read as if it were in A major.
constexpr std::string_view NeutralKeyFileName = "XXXX_A.txt";

class FigBassToKeySteps : public ConvertingSteps<DegreesToNotes> {
public:
    bool NeedsSelection() const override { return true; }

    bool AcceptsInputPath(std::string_view path, RunHost& host) override {
        if (IsFiguredBassName(path)) return true;
        host.ShowMessage("Not a proper Figured Bass filename!!");
        return false;
    }

    bool ReadInputKey(std::string_view, ModGlobals& globals, RunHost& host) override {
        GetKeyCodeFromFilename(NeutralKeyFileName, globals, host);
        return true;
    }

    OutputKeyInName ChooseOutputKey(ModGlobals& globals, RunHost& host) override {
        TakeOutputKeyFromList(globals, host);
        globals.OutputKeyName = OutputKeyNameOf(globals);
        notes_.emplace(globals, host);
        // A figured-bass name has no key: the new key goes right before the dot.
        return {0, globals.OutputKeyName};
    }
};

}  // namespace

bool FigBassToKey(ModGlobals& globals, RunHost& host, FileSystem& fs) {
    FigBassToKeySteps steps;
    return RunFrame(steps, globals, host, fs);
}

}  // namespace lw
