#pragma once

#include <optional>
#include <ostream>
#include <span>
#include <string_view>

#include "bench/ScriptedRunHost.h"

namespace lw {

inline constexpr std::string_view kConvertFileUsage =
    "usage: convert_file [--marker M] [--extension E] "
    "{by-key KEY | by-step STEP #|b | to-figured-bass | from-figured-bass KEY} INPUT";

// Reads the arguments of convert_file, program name left out: options, mode, its choices and
// the input path. Nothing when they do not fit the usage line.
std::optional<ScriptedRun> ParseConvertFileArgs(std::span<const std::string_view> args);

// The whole program: one run as the window would make it, every message on its own line in
// messages. Returns the exit status: 0 when an output was written, 1 when not, 2 for bad
// arguments (after the usage line).
int ConvertFileMain(std::span<const std::string_view> args, std::ostream& messages);

}  // namespace lw
