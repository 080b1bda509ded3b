#include "core/Degrees.h"

#include <string>

namespace lw {

std::optional<DegreeCode> GetCodeFromChordRoman(std::string_view inchord, Messenger& messenger) {
    for (std::size_t i = 0; i < DegreeNames.size(); ++i)
        if (DegreeNames[i] == inchord) return static_cast<DegreeCode>(i);
    messenger.ShowMessage(std::string("ERROR! Code not found, GetCodeFromChordRoman(), ") +
                          std::string(inchord));
    return std::nullopt;
}

}  // namespace lw
