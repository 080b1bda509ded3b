#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "core/ModGlobals.h"

namespace lw {

// The output path beside the input: the input's folder and file name up to its key (the
// keyLength characters right before the file name's last dot), then newKey, "." and extension.
// So "/songs/Song_C.text" with keyLength 1, newKey "D" and extension "txt" gives
// "/songs/Song_D.txt". The character in front of the key, the underscore, stays.
std::string BuildOutputPath(std::string_view inputPath, std::size_t keyLength,
                            std::string_view newKey, std::string_view extension);

// Whether the file name (not a folder) carries no key: "_" right before its last dot.
bool IsFiguredBassName(std::string_view path);

// The output key as written into a file name: from MinorNoteNames when the input key is
// minor, else from NoteNames, spelled as UseSharps says.
std::string OutputKeyNameOf(const ModGlobals& globals);

}  // namespace lw
