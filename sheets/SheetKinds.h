#pragma once

#include <memory>
#include <span>
#include <string_view>

#include "io/LineReader.h"
#include "sheets/SheetKind.h"

namespace lw {

// Every kind of sheet, in the order in which a file's content decides between them: a marker
// line makes a lead sheet whatever else the file holds, then ChordPro, then chords over lyrics;
// a file that shows none is a lead sheet without chord lines.
std::span<const SheetKind* const> SheetKinds();

// The kind --format names ("chordpro"); nothing for any other name.
const SheetKind* SheetKindNamed(std::string_view name);

// A sheet's kind and what planning read of its content.
struct SheetReading {
    const SheetKind* kind;
    std::unique_ptr<SheetContent> content;
};

// Reads the sheet at reader as format, or, without one, as the kind its name claims or its
// content shows. Reads no further than the kinds need.
SheetReading ReadSheet(std::string_view path, LineReader& reader, const SheetKind* format,
                       Notation notation, const ModGlobals& globals);

}  // namespace lw
