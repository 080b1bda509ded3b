#include "sheets/KeyOfNameOrContent.h"

#include "core/FileNames.h"
#include "sheets/OutputPath.h"

namespace lw {

std::optional<SheetKeys> TakeKeyOfNameOrContent(std::string_view path, SheetContent::Key first,
                                                KeyNeed need, const KeyMessages& messages,
                                                ModGlobals& globals, Messenger& messenger) {
    // A key no musician could play in refuses the sheet in every mode.
    if (first.named && !first.key) {
        messenger.ShowMessage(messages.notFound);
        return std::nullopt;
    }
    if (need == KeyNeed::NotInName) return SheetKeys{false, first.key};
    if (FileNameOf(path).find('.') == std::string_view::npos) {
        messenger.ShowMessage("ERROR! '.' not found in input filename...");
        return std::nullopt;
    }
    const std::optional<KeyInName> named = KeyOfName(path);
    // Gb and F# are one key; G and Em are not.
    if (named && first.key && named->key != *first.key) {
        messenger.ShowMessage(messages.differ);
        return std::nullopt;
    }
    const std::optional<SheetKey> sheet = named ? named->key : first.key;
    if (!sheet && need == KeyNeed::Required) {
        messenger.ShowMessage(messages.notFound);
        return std::nullopt;
    }
    globals.InputKeyCode = sheet ? sheet->code : 0;  // a sheet with no key is named by its step
    globals.InputKeyIsMinor = sheet && sheet->minor;
    globals.InputKeyLength = named ? static_cast<int>(named->length) : 0;
    return SheetKeys{!sheet, first.key};
}

}  // namespace lw
