#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace lw {

// A failure that abandons a run; what() is the description the user is shown.
class RunFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// "<what> <path>: <the system's text for errorNumber>", e.g.
// "Cannot open the input file /songs/Tune_C.txt: No such file or directory".
[[noreturn]] void ThrowFileFailure(std::string_view what, std::string_view path, int errorNumber);

}  // namespace lw
