#include <optional>

#include "NoteConversions.h"
#include "RunFrame.h"
#include "Runs.h"
#include "core/KeyFromFilename.h"

namespace lw {

namespace {

class KeyToFigBassSteps : public RunSteps {
public:
    // Degrees need no output key, so the run starts before anything is chosen.
    bool NeedsSelection() const override { return false; }

    bool ReadInputKey(std::string_view path, ModGlobals& globals, RunHost& host) override {
        return GetKeyCodeFromFilename(path, globals, host);
    }

    OutputKeyInName ChooseOutputKey(ModGlobals& globals, RunHost& host) override {
        globals.OutputKeyCode = KeySpellingCodes[0];
        globals.UseSharps = false;
        notes_.emplace(globals, host);
        // The key comes out of the name; the underscore stays right before the dot.
        return {static_cast<std::size_t>(globals.InputKeyLength), ""};
    }

    void ConvertChordLine(std::string_view line, std::string& out) override {
        notes_->ConvertLine(line, out);
    }

private:
    std::optional<NotesToDegrees> notes_;
};

}  // namespace

bool KeyToFigBass(ModGlobals& globals, RunHost& host, FileSystem& fs) {
    KeyToFigBassSteps steps;
    return RunFrame(steps, globals, host, fs);
}

}  // namespace lw
