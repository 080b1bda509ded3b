#pragma once

#include <ostream>
#include <span>
#include <string_view>

namespace lw {

inline constexpr std::string_view kConvertFileUsage =
    "usage: convert_file [--marker M] [--extension E] "
    "{by-key KEY | by-step STEP #|b | to-figured-bass | from-figured-bass KEY} INPUT";

// The whole program, program name left out of args: one run as the window would make it,
// answering OK to the question, every message on its own line in messages. Returns the exit
// status: 0 when an output was written, 1 when not, 2 for bad arguments (after the usage line).
int ConvertFileMain(std::span<const std::string_view> args, std::ostream& messages);

}  // namespace lw
