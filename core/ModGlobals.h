#pragma once

#include <optional>
#include <string>

#include "core/Tables.h"

namespace lw {

// The program's settings and the state that one run leaves for the next. The window owns
// one instance and hands it to the runs.
struct ModGlobals {
    // Settings, written only at start-up from the configuration file.
    std::string ChordLineMarker = "^";
    std::string FileExtension = "txt";

    // Index of the mode button: 0 By Key, 1 By Step, 2 Figured Bass to Key, 3 Key to Figured Bass.
    int ConvertMode = 0;

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
