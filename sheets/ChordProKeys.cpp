#include "sheets/ChordProKeys.h"

#include "sheets/ChordProPath.h"
#include "sheets/KeyDirectiveFinder.h"

namespace lw {

std::optional<ChordProKeys> ReadChordProKeys(std::string_view path, LineReader& reader,
                                             bool keyInName, Messenger& messenger) {
    KeyDirectiveFinder finder;
    while (const std::optional<Piece> piece = reader.NextPiece())
        if (finder.Feed(piece->bytes, piece->end != LineEnd::Continues)) break;

    ChordProKeys keys;
    if (finder.Key()) keys.firstDirective = ParseKeyName(*finder.Key());
    const std::optional<KeyInName> named =
        keyInName ? KeyOfChordProName(path) : std::optional<KeyInName>();
    // Gb and F# are one key; G and Em are not.
    if (named && keys.firstDirective && named->key != *keys.firstDirective) {
        messenger.ShowMessage("ERROR! The key in the filename and the {key} directive differ...");
        return std::nullopt;
    }
    keys.sheet = named ? named->key : keys.firstDirective;
    keys.keyLengthInName = named ? named->length : 0;
    return keys;
}

}  // namespace lw
