#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "core/SheetKey.h"
#include "core/Messenger.h"
#include "io/LineReader.h"

namespace lw {

// What a ChordPro sheet says of its key: in its file name, and in its first key directive.
struct ChordProKeys {
    std::optional<SheetKey> sheet;           // the name's key, else the first directive's
    std::size_t keyLengthInName = 0;         // characters the name's key takes; 0 for none
    std::optional<SheetKey> firstDirective;  // what the first {key} directive says
};

// Reads the sheet from reader up to its first key directive. When keyInName, the file name may
// carry a key too (a figured-bass name carries none). Nothing, after its message, when the two
// keys differ ("ERROR! The key in the filename and the {key} directive differ..."); throws
// SheetRefused when the directive names no key.
std::optional<ChordProKeys> ReadChordProKeys(std::string_view path, LineReader& reader,
                                             bool keyInName, Messenger& messenger);

}  // namespace lw
