#pragma once

#include <algorithm>
#include <string_view>

namespace lw {

// Whether text is lowerCase with any of its ASCII letters in either case.
constexpr bool EqualsIgnoringCase(std::string_view text, std::string_view lowerCase) {
    return std::ranges::equal(text, lowerCase, [](char a, char b) {
        return (a >= 'A' && a <= 'Z' ? static_cast<char>(a - 'A' + 'a') : a) == b;
    });
}

}  // namespace lw
