#include "io/FileError.h"

#include <cstring>

namespace lw {

std::string FileErrorText(std::string_view what, std::string_view path, std::string_view reason) {
    std::string text(what);
    text += ' ';
    text += path;
    text += ": ";
    text += reason;
    return text;
}

std::string FileErrorText(std::string_view what, std::string_view path, int errorNumber) {
    return FileErrorText(what, path, std::strerror(errorNumber));
}

void ThrowFileError(std::string_view what, std::string_view path, std::string_view reason) {
    throw FileError(FileErrorText(what, path, reason));
}

void ThrowFileError(std::string_view what, std::string_view path, int errorNumber) {
    throw FileError(FileErrorText(what, path, errorNumber));
}

}  // namespace lw
