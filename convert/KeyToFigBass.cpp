#include "NoteConversions.h"
#include "RunFrame.h"
#include "Runs.h"

namespace lw {

namespace {

class KeyToFigBassSteps : public ConvertingSteps<NotesToDegrees> {
public:
    // Degrees need no output key, so the run starts before anything is chosen.
    bool NeedsSelection() const override { return false; }

    OutputKeyInName ChooseOutputKey(ModGlobals& globals, RunHost& host) override {
        globals.OutputKeyCode = KeySpellingCodes[0];
        globals.UseSharps = false;
        notes_.emplace(globals, host);
        // The key comes out of the name; the underscore stays right before the dot.
        return {static_cast<std::size_t>(globals.InputKeyLength), ""};
    }
};

}  // namespace

bool KeyToFigBass(ModGlobals& globals, RunHost& host, FileSystem& fs) {
    KeyToFigBassSteps steps;
    return RunFrame(steps, globals, host, fs);
}

}  // namespace lw
