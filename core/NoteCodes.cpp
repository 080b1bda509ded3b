#include "NoteCodes.h"

#include <array>
#include <string>
#include <utility>

namespace lw {

namespace {

// Index into KeySpellings of a spelling; the table is fixed, so a wrong name fails to compile.
consteval std::size_t KeySpellingIndex(std::string_view name) {
    for (std::size_t i = 0; i < KeySpellings.size(); ++i)
        if (KeySpellings[i] == name) return i;
    throw "not a key spelling";
}

struct EnharmonicExtra {
    std::string_view name;
    std::size_t sameAs;  // index in KeySpellings of the same pitch
};

// Chord roots may use these, though no key is named so; each borrows the code of its twin.
constexpr std::array<EnharmonicExtra, 4> kEnharmonicExtras{{
    {"B#", KeySpellingIndex("C")},
    {"Cb", KeySpellingIndex("B")},
    {"E#", KeySpellingIndex("F")},
    {"Fb", KeySpellingIndex("E")},
}};

}  // namespace

std::optional<NoteCode> GetCodeFromChord(std::string_view inchord, Messenger& messenger) {
    for (std::size_t i = 0; i < KeySpellings.size(); ++i)
        if (KeySpellings[i] == inchord) return KeySpellingCodes[i];
    for (const auto& extra : kEnharmonicExtras)
        if (extra.name == inchord) return KeySpellingCodes[extra.sameAs];
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
