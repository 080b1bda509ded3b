#include "FileError.h"

#include <cstring>
#include <string>

namespace lw {

void ThrowFileError(std::string_view what, std::string_view path, std::string_view reason) {
    std::string text(what);
    text += ' ';
    text += path;
    text += ": ";
    text += reason;
    throw FileError(text);
}

void ThrowFileError(std::string_view what, std::string_view path, int errorNumber) {
    ThrowFileError(what, path, std::strerror(errorNumber));
}

}  // namespace lw
