#include "core/SheetKey.h"

namespace lw {

std::optional<SheetKey> ParseKeyName(std::string_view name) {
    for (const KeySpelling& major : KeySpellings)
        if (major.name == name) return SheetKey{major.code, false};
    for (const MinorKeySpelling& minor : MinorKeySpellings)
        if (minor.name == name) return SheetKey{minor.code, true};
    return std::nullopt;
}

}  // namespace lw
