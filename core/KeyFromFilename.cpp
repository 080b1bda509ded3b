#include "core/KeyFromFilename.h"

namespace lw {

bool GetKeyCodeFromFilename(std::string_view path, ModGlobals& globals, Messenger& messenger) {
    // The file name starts after the last '/' (at 0 when there is none: npos + 1 is 0).
    const std::string_view name = path.substr(path.rfind('/') + 1);
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

    if (globals.InputKeyIsMinor) {
        for (const MinorKeySpelling& minor : MinorKeySpellings)
            if (minor.name == key) {
                globals.InputKeyCode = minor.code;
                return true;
            }
    } else {
        for (const KeySpelling& major : KeySpellings)
            if (major.name == key) {
                globals.InputKeyCode = major.code;
                return true;
            }
    }
    messenger.ShowMessage("ERROR! Key not found in input filename...");
    return false;
}

}  // namespace lw
