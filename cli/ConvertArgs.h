#pragma once

#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "convert/RunPlan.h"

namespace lw {

inline constexpr std::string_view kConvertUsage =
    "usage: leadwright-convert [OPTIONS] by-key KEY FILE...\n"
    "       leadwright-convert [OPTIONS] by-step STEP [--sharps|--flats] FILE...\n"
    "       leadwright-convert [OPTIONS] to-figured-bass FILE...\n"
    "       leadwright-convert [OPTIONS] from-figured-bass KEY FILE...\n";

// The help after the usage: the modes, the keys and the options, the formats as the kinds of
// sheet name themselves.
std::string ConvertHelp();

// A conversion the arguments ask for: the globals and list choices as the window would have
// them after the clicks, and the files.
struct ConvertRequest {
    ModGlobals globals;
    RunChoices choices;
    std::vector<std::string> inputPaths;
    bool dryRun = false;
};

enum class InfoRequest { Help, Version };

// What is wrong with the arguments, in a sentence without the program name.
struct UsageError {
    std::string text;
};

std::variant<ConvertRequest, InfoRequest, UsageError> ParseConvertArgs(
    std::span<const std::string_view> args);

}  // namespace lw
