#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "FileSystem.h"
#include "RunHost.h"
#include "core/ModGlobals.h"

namespace lw {

// Where the output key goes in the output file name.
struct OutputKeyInName {
    std::size_t replacedLength;  // characters of the input's key right before the dot
    std::string name;            // what stands there instead (empty for a figured-bass name)
};

// What one kind of run plugs into the shared run frame.
class RunSteps {
public:
    virtual ~RunSteps() = default;

    // Whether the run is refused while nothing is chosen in either list.
    virtual bool NeedsSelection() const = 0;

    // Looks at the chosen path before the file is opened; false ends the run, its message shown.
    virtual bool AcceptsInputPath(std::string_view path, RunHost& host);

    // Reads the input key into the globals; false ends the run, its message shown. Unless a
    // run says otherwise, the key is the one in the file name.
    virtual bool ReadInputKey(std::string_view path, ModGlobals& globals, RunHost& host);

    // Sets OutputKeyCode, UseSharps and OutputKeyName; throws RunFailure when it cannot.
    virtual OutputKeyInName ChooseOutputKey(ModGlobals& globals, RunHost& host) = 0;

    // Rewrites one chord line into out.
    virtual void ConvertChordLine(std::string_view line, std::string& out) = 0;
};

// Steps whose chord lines go through a Notes conversion, made once the keys are known.
template <class Notes>
class ConvertingSteps : public RunSteps {
public:
    void ConvertChordLine(std::string_view line, std::string& out) final {
        notes_->ConvertLine(line, out);
    }

protected:
    std::optional<Notes> notes_;
};

// One run from the file dialog to the finished output: checks the selection, asks for the
// input, reads its key, builds the output name, asks "Any you ready to write the file?" and
// copies the input line by line, converting the chord lines. Every failure is shown and ends
// the run with the input untouched and no output written. True when an output was written.
bool RunFrame(RunSteps& steps, ModGlobals& globals, RunHost& host, FileSystem& fs);

// Takes OutputKeyCode and UseSharps from the row selected in the key list; throws RunFailure
// when no row is selected.
void TakeOutputKeyFromList(ModGlobals& globals, const RunHost& host);

}  // namespace lw
