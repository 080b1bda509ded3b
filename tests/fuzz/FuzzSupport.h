#pragma once

// What the fuzz targets share: a way to report a broken property, and a Messenger that keeps
// what it was told.

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/Messenger.h"

namespace lw::fuzz {

// Stops the fuzzer with a report when a property does not hold; libFuzzer then saves the input.
inline void Require(bool holds, const char* property) {
    if (holds) return;
    std::fprintf(stderr, "Property broken: %s\n", property);
    std::abort();
}

struct KeptMessages : Messenger {
    void ShowMessage(std::string_view text) override { texts.emplace_back(text); }
    bool AskOkCancel(std::string_view) override { return false; }
    std::vector<std::string> texts;
};

}  // namespace lw::fuzz
