#include "RunFailure.h"

#include <cstring>

namespace lw {

void ThrowFileFailure(std::string_view what, std::string_view path, int errorNumber) {
    std::string text(what);
    text += ' ';
    text += path;
    text += ": ";
    text += std::strerror(errorNumber);
    throw RunFailure(text);
}

}  // namespace lw
