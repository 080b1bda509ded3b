#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "core/ModGlobals.h"
#include "core/SheetKey.h"

namespace lw {

// The extension of a file name, after its last dot; empty when the name has no dot.
std::string_view ExtensionOf(std::string_view path);

// The output path beside the input: the input's folder and file name up to its key (the
// keyLength characters right before the file name's last dot), then newKey, "." and extension.
// So "/songs/Song_C.text" with keyLength 1, newKey "D" and extension "txt" gives
// "/songs/Song_D.txt". The character in front of the key, the underscore, stays; a name without
// a key (keyLength 0) gets newKey after a "_", unless the name already ends in "_".
std::string OutputPathOf(std::string_view inputPath, std::size_t keyLength,
                         std::string_view newKey, std::string_view extension);

// Whether the file name (not a folder) carries no key: "_" right before its last dot.
bool IsFiguredBassName(std::string_view path);

// A key in a file name and the characters it takes right before the last dot.
struct KeyInName {
    SheetKey key;
    std::size_t length;
};

// The key of a file name when the whole text between the name's last "_" and its last dot is a
// key name ("Amazing Grace_Em.cho"). Nothing for "My_Song.cho", "SongG.cho".
std::optional<KeyInName> KeyOfName(std::string_view path);

// The output key as written into a file name: from MinorNoteNames when the input key is
// minor, else from NoteNames, spelled as UseSharps says.
std::string OutputKeyNameOf(const ModGlobals& globals);

// A step in semitones as it takes a key's place in a file name, its sign always written: "+2".
std::string SignedStepName(int semitones);

}  // namespace lw
