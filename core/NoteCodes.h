#pragma once

#include <optional>
#include <string_view>

#include "core/Messenger.h"
#include "core/Tables.h"

namespace lw {

// The code of a note name: one of KeySpellings, or one of the enharmonic extras B#, Cb, E#, Fb.
// Any other text shows "ERROR! Code not found, GetCodeFromChord(), <inchord>" and gives nothing;
// callers go on as if the note were A (.value_or(0)).
std::optional<NoteCode> GetCodeFromChord(std::string_view inchord, Messenger& messenger);

// The NoteNames entry of a code in [0, 12): a letter, or a combined name such as "A#Bb".
// Any other code shows "Subscript out of range, GetChordFromCode" and gives nothing;
// callers go on with an empty name (.value_or("")).
std::optional<std::string_view> GetChordFromCode(int incode, Messenger& messenger);

}  // namespace lw
