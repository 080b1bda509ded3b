#include "sheets/ChordProDirective.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "core/AsciiCase.h"

namespace lw {

namespace {

// What a byte is to a directive's name: 0 part of it, 1 the "-" that starts a selector, 2 an
// end of name and selector (a blank, the ":" before the value, or the "}"). Looked up in a
// table, as most lines of a sheet can be directives.
constexpr std::array<std::uint8_t, 256> kNameStops = [] {
    std::array<std::uint8_t, 256> stops{};
    stops['-'] = 1;
    for (const char c : {' ', '\t', ':', '}'}) stops[static_cast<unsigned char>(c)] = 2;
    return stops;
}();

std::uint8_t NameStop(char c) { return kNameStops[static_cast<unsigned char>(c)]; }

// The sections whose lines are not lyrics, [0, 6): grids, tabs and what other programs read.
constexpr std::array<Section, 6> kSections{{
    {"start_of_grid", "sog", "end_of_grid", "eog", false},
    {"start_of_tab", "sot", "end_of_tab", "eot", true},
    {"start_of_abc", "start_of_abc", "end_of_abc", "end_of_abc", true},
    {"start_of_ly", "start_of_ly", "end_of_ly", "end_of_ly", true},
    {"start_of_svg", "start_of_svg", "end_of_svg", "end_of_svg", true},
    {"start_of_textblock", "start_of_textblock", "end_of_textblock", "end_of_textblock", true},
}};

static_assert(std::ranges::all_of(kSections, [](const Section& s) {
    return s.start[0] == 's' && s.shortStart[0] == 's' && s.end[0] == 'e' && s.shortEnd[0] == 'e';
}));

}  // namespace

std::optional<Directive> ParseDirective(std::string_view line) {
    const std::size_t open = SkipBlanks(line, 0);
    if (open == line.size() || line[open] != '{') return std::nullopt;
    const std::size_t close = line.find('}', open);
    if (close == std::string_view::npos) return std::nullopt;
    // Every search below stops at the "}" at the latest.
    const std::size_t nameBegin = SkipBlanks(line, open + 1);
    std::size_t nameEnd = nameBegin;
    while (NameStop(line[nameEnd]) == 0) ++nameEnd;
    const std::string_view name = line.substr(nameBegin, nameEnd - nameBegin);
    if (name.empty()) return std::nullopt;
    while (NameStop(line[nameEnd]) < 2) ++nameEnd;  // past a selector ("sot-guitar")

    std::size_t valueBegin = SkipBlanks(line, nameEnd);
    if (line[valueBegin] == ':') valueBegin = SkipBlanks(line, valueBegin + 1);
    std::size_t valueEnd = close;
    while (valueEnd > valueBegin && IsBlank(line[valueEnd - 1])) --valueEnd;
    return Directive{name, {valueBegin, valueEnd - valueBegin}};
}

std::optional<TextSpan> KeyOfDirective(std::string_view line, const Directive& directive) {
    if (EqualsIgnoringCase(directive.name, "key")) return directive.value;
    if (!EqualsIgnoringCase(directive.name, "meta")) return std::nullopt;
    // "{meta: key X}": the word "key", blanks, then the key.
    const std::string_view value = line.substr(directive.value.begin, directive.value.size);
    if (!EqualsIgnoringCase(value.substr(0, 3), "key")) return std::nullopt;
    const std::size_t key = SkipBlanks(value, 3);
    if (key == 3 && value.size() > 3) return std::nullopt;  // "keyboard" is not "key"
    return TextSpan{directive.value.begin + key, value.size() - key};
}

const Section* SectionAfter(const Section* current, std::string_view name) {
    auto is = [&](std::string_view a, std::string_view b) {
        return EqualsIgnoringCase(name, a) || EqualsIgnoringCase(name, b);
    };
    // A section's start is named with an "s" and its end with an "e"; most directives are
    // neither.
    const char first = name.empty() ? '\0' : ToLowerAscii(name[0]);
    if (current) return first == 'e' && is(current->end, current->shortEnd) ? nullptr : current;
    if (first != 's') return nullptr;
    for (const Section& section : kSections)
        if (is(section.start, section.shortStart)) return &section;
    return nullptr;
}

}  // namespace lw
