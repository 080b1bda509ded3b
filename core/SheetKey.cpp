#include "core/SheetKey.h"

namespace lw {

std::optional<std::size_t> KeyListRow(std::string_view name) {
    for (std::size_t row = 0; row < KeySpellings.size(); ++row)
        if (KeySpellings[row].name == name) return row;
    return std::nullopt;
}

std::optional<SheetKey> ParseKeyName(std::string_view name) {
    if (const std::optional<std::size_t> row = KeyListRow(name))
        return SheetKey{KeySpellings[*row].code, false};
    for (const MinorKeySpelling& minor : MinorKeySpellings)
        if (minor.name == name) return SheetKey{minor.code, true};
    return std::nullopt;
}

}  // namespace lw
