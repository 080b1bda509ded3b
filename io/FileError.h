#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace lw {

// A file that cannot be opened, read or written; what() is the text the user is shown.
class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The text "<what> <path>: <reason>", e.g.
// "Cannot open the input file /songs/Tune_C.txt: No such file or directory".
std::string FileErrorText(std::string_view what, std::string_view path, std::string_view reason);

// Throws a FileError with that text.
[[noreturn]] void ThrowFileError(std::string_view what, std::string_view path,
                                 std::string_view reason);

// The same two with the system's text for errorNumber as the reason.
std::string FileErrorText(std::string_view what, std::string_view path, int errorNumber);
[[noreturn]] void ThrowFileError(std::string_view what, std::string_view path, int errorNumber);

}  // namespace lw
