#pragma once

#include <algorithm>
#include <string_view>

namespace lw {

// c with an ASCII capital letter made small; every other byte as it is.
constexpr char ToLowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Whether text is lowerCase with any of its ASCII letters in either case.
constexpr bool EqualsIgnoringCase(std::string_view text, std::string_view lowerCase) {
    return std::ranges::equal(text, lowerCase, [](char a, char b) { return ToLowerAscii(a) == b; });
}

}  // namespace lw
