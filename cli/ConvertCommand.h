#pragma once

#include <ostream>
#include <span>
#include <string_view>

namespace lw {

// leadwright-convert with its arguments (the program name left out): converts every file,
// with output names on out for --dry-run and the help, and every message on its own line in
// messages. Returns the exit status: 0 when every output was written, 1 when some file was
// refused, 2 for bad arguments (after a usage message).
int ConvertCommandMain(std::span<const std::string_view> args, std::ostream& out,
                       std::ostream& messages);

}  // namespace lw
