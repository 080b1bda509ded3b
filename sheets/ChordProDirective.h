#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "core/ChordSymbol.h"

namespace lw {

// ChordPro's blanks, space and tab: they part a directive's name from its value, and a grid's
// words.
inline bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Where the first byte of text from p on that is no blank sits; text's size when none is.
inline std::size_t SkipBlanks(std::string_view text, std::size_t p) {
    while (p < text.size() && IsBlank(text[p])) ++p;
    return p;
}

// Where the first blank of text from p on sits; text's size when none is.
inline std::size_t FindBlank(std::string_view text, std::size_t p) {
    while (p < text.size() && !IsBlank(text[p])) ++p;
    return p;
}

// One directive of a ChordPro sheet: "{name: value}", "{name:value}" or "{name value}".
struct Directive {
    std::string_view name;  // as written, without the "-selector" that names an instrument
    TextSpan value;         // where the value sits in the line, blanks around it left out
};

// Reads a line whose first non-blank character is "{". Nothing when no "}" closes it or the
// name is empty; text after the "}" plays no part.
std::optional<Directive> ParseDirective(std::string_view line);

// Where the key sits in a key directive, "{key: X}" or "{meta: key X}" (names in any case);
// nothing for any other directive. "{key}" has an empty key.
std::optional<TextSpan> KeyOfDirective(std::string_view line, const Directive& directive);

// A section whose lines are not lyrics: a grid, or a section kept byte for byte.
struct Section {
    std::string_view start, shortStart, end, shortEnd;  // directive names in lower case
    bool kept;
};

// The section a sheet is in after a directive named name, from current (null: among lyrics,
// where chorus, verse and every other section is). A section ends only at its own end.
const Section* SectionAfter(const Section* current, std::string_view name);

}  // namespace lw
