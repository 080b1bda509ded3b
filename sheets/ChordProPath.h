#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "core/SheetKey.h"

namespace lw {

// Whether a file is read as a ChordPro sheet by its name: the extension is .cho, .crd, .chopro,
// .chordpro or .pro, in any letter case.
bool IsChordProName(std::string_view path);

// A key in a ChordPro file name and the characters it takes right before the last dot.
struct KeyInName {
    SheetKey key;
    std::size_t length;
};

// The key of a ChordPro file name: the whole text between the name's last "_" and its last dot,
// when that text is a key name ("Amazing Grace_Em.cho"). Nothing for "My_Song.cho", "SongG.cho".
std::optional<KeyInName> KeyOfChordProName(std::string_view path);

// The output path of a ChordPro sheet: the input's folder and name with newKey in place of the
// keyLength characters of its key, and the input's own extension. A name without a key
// (keyLength 0) gets newKey after a "_", unless the name already ends in "_". newKey is a key
// name, empty (figured bass) or a signed step. The file name must have a dot.
std::string ChordProOutputPath(std::string_view inputPath, std::size_t keyLength,
                               std::string_view newKey);

// A step in semitones as it takes a key's place in a file name, its sign always written: "+2".
std::string SignedStepName(int semitones);

}  // namespace lw
