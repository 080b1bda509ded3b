#pragma once

#include <string>
#include <string_view>

namespace lw {

// The name as it is when it holds no control character; otherwise quoted as a shell reads it
// back, each run of control characters in $'...': "a\nb_C.txt" gives 'a'$'\n''b_C.txt'. So a
// name never breaks the line it is printed on.
std::string QuotedName(std::string_view name);

// The text with each control character left in it shown as '?', for a text that must stay on
// one line whatever it took from the files or the arguments.
std::string OneLine(std::string_view text);

}  // namespace lw
