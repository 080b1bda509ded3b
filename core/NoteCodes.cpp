#include "core/NoteCodes.h"


#include <array>
#include <string>

#include "core/SheetKey.h"

namespace lw {

namespace {

struct EnharmonicExtra {
    std::string_view name;
    NoteCode code;  // the code of its twin: B# is C, Cb is B, E# is F, Fb is E
};

// Chord roots may use these, though no key is named so.
constexpr std::array<EnharmonicExtra, 4> kEnharmonicExtras{{
    {"B#", 3},
    {"Cb", 2},
    {"E#", 8},
    {"Fb", 7},
}};

}  // namespace

std::optional<NoteCode> GetCodeFromChord(std::string_view inchord, Messenger& messenger) {
    if (const std::optional<std::size_t> row = KeyListRow(inchord)) return KeySpellings[*row].code;
    for (const EnharmonicExtra& extra : kEnharmonicExtras)
        if (extra.name == inchord) return extra.code;
    messenger.ShowMessage(std::string("ERROR! Code not found, GetCodeFromChord(), ") +
                          std::string(inchord));
    return std::nullopt;
}

std::optional<std::string_view> GetChordFromCode(int incode, Messenger& messenger) {
    if (incode < 0 || incode >= kPitchClasses) {
        messenger.ShowMessage("Subscript out of range, GetChordFromCode");
        return std::nullopt;
    }
    return NoteNames[static_cast<std::size_t>(incode)];
}

}  // namespace lw
