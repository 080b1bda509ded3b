#include "core/KeyFromFilename.h"

#include "core/FileNames.h"
#include "core/SheetKey.h"

namespace lw {

bool GetKeyCodeFromFilename(std::string_view path, ModGlobals& globals, Messenger& messenger) {
    const std::string_view name = FileNameOf(path);
    const auto dot = name.rfind('.');
    if (dot == std::string_view::npos) {
        messenger.ShowMessage("ERROR! '.' not found in input filename...");
        return false;
    }

    // The globals are stored step by step, so a failure part-way leaves what came before it.
    auto keyBeforeDot = [&](std::size_t length, std::string_view& key) {
        if (length > dot) {
            messenger.ShowMessage("Key starts before the file name, GetKeyCodeFromFilename()");
            return false;
        }
        key = name.substr(dot - length, length);
        globals.InputKeyLength = static_cast<int>(length);
        return true;
    };

    std::string_view key;
    if (!keyBeforeDot(1, key)) return false;
    if (key == "m") {
        // A lowercase m marks a minor key; a sharp or flat before it makes the key three long.
        globals.InputKeyIsMinor = true;
        if (!keyBeforeDot(2, key)) return false;
        if ((key[0] == '#' || key[0] == 'b') && !keyBeforeDot(3, key)) return false;
    } else {
        globals.InputKeyIsMinor = false;
        if ((key == "b" || key == "#") && !keyBeforeDot(2, key)) return false;
    }

    // The "m" read above already tells a minor key, so the name's key is the one it reads as.
    if (const std::optional<SheetKey> named = ParseKeyName(key)) {
        globals.InputKeyCode = named->code;
        return true;
    }
    messenger.ShowMessage("ERROR! Key not found in input filename...");
    return false;
}

}  // namespace lw
