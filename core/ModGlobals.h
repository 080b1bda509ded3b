#pragma once

#include <optional>
#include <string>

#include "core/Tables.h"

namespace lw {

// The mode buttons, numbered as the window numbers them.
enum class ConvertMode { ByKey = 0, ByStep = 1, FiguredBassToKey = 2, KeyToFiguredBass = 3 };

// The program's settings and the state that one run leaves for the next. The window owns
// one instance and hands it to the runs.
struct ModGlobals {
    // Settings, written only at start-up from the configuration file.
    std::string ChordLineMarker = "^";
    std::string FileExtension = "txt";

    // By Key and By Step runs are told apart by the list the window shows, not by the mode.
    lw::ConvertMode ConvertMode = lw::ConvertMode::ByKey;

    // Transposition interval in [-11, 11]; empty until a list selection or a run sets it.
    std::optional<int> StepSemitones;

    NoteCode OutputKeyCode = -1;

    // The key read from the input file name.
    NoteCode InputKeyCode = 0;
    bool InputKeyIsMinor = false;
    int InputKeyLength = 0;  // characters the key takes right before the dot, 1 to 3

    bool UseSharps = false;
    std::string OutputKeyName;  // the output key as written into the output file name
};

// The spelling a run writes its black keys in.
inline Spelling SpellingOf(const ModGlobals& globals) {
    return globals.UseSharps ? Spelling::Sharp : Spelling::Flat;
}

// What a click in the key list records: only that something is chosen (interval 0).
void lstKey_Click(ModGlobals& globals);

// What a click in the step list records: the interval of the row at stepIndex, [0, 22).
void lstStep_Click(ModGlobals& globals, int stepIndex);

}  // namespace lw
