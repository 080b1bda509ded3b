#pragma once

#include <optional>
#include <string_view>

#include "sheets/SheetKind.h"

namespace lw {

// What a kind that reads its key from its name or its content says when they disagree, and
// when neither names a key.
struct KeyMessages {
    std::string_view differ;
    std::string_view notFound;
};

// The key of a sheet whose name may carry one ("Song_G.cho") and whose content may name one
// (first): the name's, else the content's, stored in globals as a lead sheet's is. Both present
// and different, or a key in the content that names none: nothing after the message; neither
// present: nothing after its message unless need lets the sheet go without a key.
std::optional<SheetKeys> TakeKeyOfNameOrContent(std::string_view path, SheetContent::Key first,
                                                KeyNeed need, const KeyMessages& messages,
                                                ModGlobals& globals, Messenger& messenger);

}  // namespace lw
