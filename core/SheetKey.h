#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "core/Tables.h"

namespace lw {

// The key a sheet is in, stored as the program stores keys: a minor key by the code of its
// relative major.
struct SheetKey {
    NoteCode code;
    bool minor;

    bool operator==(const SheetKey&) const = default;
};

// The row of the key list, [0, 17), whose major key is spelled name ("Bb"); nothing for any
// other text.
std::optional<std::size_t> KeyListRow(std::string_view name);

// The key a name spells: one of the 17 major key names ("Bb") or the same with "m" ("Bbm").
// Nothing for any other text, so "H", "AMix", "B#m" and " G" give nothing.
std::optional<SheetKey> ParseKeyName(std::string_view name);

}  // namespace lw
