// Reading the key from arbitrary paths: when a key is found, the globals say which characters
// before the file name's last dot it is; when none is found, exactly one message says why.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "core/KeyFromFilename.h"

namespace lw::fuzz {
namespace {

struct KeyName {
    std::string_view text;
    int code;  // a minor key has the code of its relative major
};

constexpr KeyName kMajorKeys[] = {{"A", 0},  {"A#", 1}, {"Bb", 1}, {"B", 2},   {"C", 3},  {"C#", 4},
                                  {"Db", 4}, {"D", 5},  {"D#", 6}, {"Eb", 6},  {"E", 7},  {"F", 8},
                                  {"F#", 9}, {"Gb", 9}, {"G", 10}, {"G#", 11}, {"Ab", 11}};

constexpr KeyName kMinorKeys[] = {{"Gbm", 0}, {"Gm", 1},  {"G#m", 2}, {"Abm", 2}, {"Am", 3},
                                  {"A#m", 4}, {"Bbm", 4}, {"Bm", 5},  {"Cm", 6},  {"C#m", 7},
                                  {"Dbm", 7}, {"Dm", 8},  {"D#m", 9}, {"Ebm", 9}, {"Em", 10},
                                  {"Fm", 11}, {"F#m", 0}};

template <std::size_t N>
const KeyName* Find(const KeyName (&keys)[N], std::string_view text) {
    for (const KeyName& key : keys)
        if (key.text == text) return &key;
    return nullptr;
}

// What the help tells users: the key stands right before the dot; a lowercase 'm' there makes it
// minor; a '#' or 'b' before the 'm' (or before the dot) belongs to the key.
std::size_t KeyLengthAsDocumented(std::string_view stem) {
    std::size_t length = 1;
    if (stem.ends_with('m')) ++length;
    if (stem.size() >= length) {
        const char accidental = stem[stem.size() - length];
        if (accidental == '#' || accidental == 'b') ++length;
    }
    return length;
}

}  // namespace
}  // namespace lw::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lw::fuzz;
    const std::string_view path(reinterpret_cast<const char*>(data), size);
    lw::ModGlobals globals;
    KeptMessages messages;
    const bool found = lw::GetKeyCodeFromFilename(path, globals, messages);

    const std::size_t slash = path.rfind('/');
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos) {
        Require(!found, "a file name without a dot has no key");
        Require(
            messages.texts == std::vector<std::string>{"ERROR! '.' not found in input filename..."},
            "a missing dot is reported");
        return 0;
    }
    const std::string_view stem = name.substr(0, dot);
    const std::size_t length = KeyLengthAsDocumented(stem);
    const bool minor = stem.ends_with('m');
    const KeyName* key = nullptr;
    if (length <= stem.size())
        key = minor ? Find(kMinorKeys, stem.substr(stem.size() - length))
                    : Find(kMajorKeys, stem.substr(stem.size() - length));

    if (!found) {
        Require(key == nullptr, "a key the help allows is found");
        Require(messages.texts.size() == 1, "a name without a key gives exactly one message");
        const std::string& text = messages.texts[0];
        Require(text == "ERROR! Key not found in input filename..." ||
                    text == "Key starts before the file name, GetKeyCodeFromFilename()",
                "a name without a key says so");
        return 0;
    }
    Require(messages.texts.empty(), "a key found shows no message");
    Require(key != nullptr, "only keys the help allows are found");
    Require(globals.InputKeyLength >= 1 && globals.InputKeyLength <= 3, "a key is 1 to 3 long");
    const std::string_view read =
        stem.substr(stem.size() - static_cast<std::size_t>(globals.InputKeyLength));
    Require(read == key->text, "InputKeyLength covers the key right before the dot");
    Require(globals.InputKeyIsMinor == minor, "a key ending in 'm' is minor");
    Require(globals.InputKeyCode == key->code, "InputKeyCode is the code of the key read");
    return 0;
}
