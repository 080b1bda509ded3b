// Reading the key from arbitrary paths. A path either gives a key or exactly one message; and
// the output name made from a key carries it where the next run finds it again.

#include <cstdint>

#include "FuzzSupport.h"
#include "convert/OutputPath.h"
#include "core/KeyFromFilename.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lw;
    const std::string_view path(reinterpret_cast<const char*>(data), size);
    ModGlobals globals;
    fuzz::KeptMessages messages;
    if (!GetKeyCodeFromFilename(path, globals, messages)) {
        fuzz::Require(messages.texts.size() == 1, "a path without a key gives one message");
        return 0;
    }
    fuzz::Require(messages.texts.empty(), "a key found shows no message");
    fuzz::Require(globals.InputKeyLength >= 1 && globals.InputKeyLength <= 3,
                  "a key is 1 to 3 long");
    fuzz::Require(globals.InputKeyCode >= 0 && globals.InputKeyCode < 12, "a key is a pitch class");

    // Spelled back as the key list would, the key names an output in which it is read again.
    const ModGlobals input = globals;
    globals.OutputKeyCode = input.InputKeyCode;
    globals.UseSharps = true;
    const std::string output =
        BuildOutputPath(path, std::size_t(input.InputKeyLength), OutputKeyNameOf(globals), "txt");
    fuzz::Require(GetKeyCodeFromFilename(output, globals, messages), "an output name has a key");
    fuzz::Require(globals.InputKeyCode == input.InputKeyCode &&
                      globals.InputKeyIsMinor == input.InputKeyIsMinor,
                  "an output name carries the key it was made with");
    return 0;
}
