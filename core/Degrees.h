#pragma once

#include <optional>
#include <string_view>

#include "core/Messenger.h"
#include "core/Tables.h"

namespace lw {

// The DegreeCode of a whole degree token ("bVII" gives 10, never "bV"'s 6). Any other text
// shows "ERROR! Code not found, GetCodeFromChordRoman(), <inchord>" and gives nothing;
// callers go on with the tonic (.value_or(0)).
std::optional<DegreeCode> GetCodeFromChordRoman(std::string_view inchord, Messenger& messenger);

// The degree of a note in the key whose tonic has code key, and back.
constexpr DegreeCode DegreeOfNote(NoteCode note, NoteCode key) {
    return WrapPitchClass(note - key);
}
constexpr NoteCode NoteOfDegree(DegreeCode degree, NoteCode key) {
    return WrapPitchClass(degree + key);
}

}  // namespace lw
