#include "cli/QuotedName.h"

#include <algorithm>

namespace lw {

namespace {

bool IsControl(char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7f; }

// The escape of a control character inside $'...': its letter where the shell has one,
// otherwise three octal digits.
std::string Escaped(char c) {
    constexpr std::string_view kLetters = "abtnvfr";  // \a is 7, \r is 13
    const auto code = static_cast<unsigned char>(c);
    if (code >= 7 && code <= 13) return {'\\', kLetters[code - 7]};
    return {'\\', static_cast<char>('0' + (code >> 6)), static_cast<char>('0' + ((code >> 3) & 7)),
            static_cast<char>('0' + (code & 7))};
}

}  // namespace

std::string QuotedName(std::string_view name) {
    if (std::ranges::none_of(name, IsControl)) return std::string(name);
    enum class Inside { Quotes, Escapes, Nothing };
    Inside inside = Inside::Quotes;
    std::string quoted = "'";
    for (const char c : name) {
        if (IsControl(c)) {
            if (inside == Inside::Quotes) quoted += '\'';
            if (inside != Inside::Escapes) quoted += "$'";
            if (inside == Inside::Escapes) quoted.pop_back();  // the run goes on
            quoted += Escaped(c) + "'";
            inside = Inside::Escapes;
            continue;
        }
        if (c == '\'') {
            if (inside == Inside::Quotes) quoted += '\'';
            quoted += "\\'";
            inside = Inside::Nothing;
            continue;
        }
        if (inside != Inside::Quotes) quoted += '\'';
        quoted += c;
        inside = Inside::Quotes;
    }
    if (inside == Inside::Quotes) quoted += '\'';
    return quoted;
}

std::string OneLine(std::string_view text) {
    std::string line(text);
    std::ranges::replace_if(line, IsControl, '?');
    return line;
}

}  // namespace lw
