// Figured-bass chord lines of arbitrary bytes into each of the 17 keys of the key list: every
// degree token becomes the note of its degree, an unknown token the tonic after its message,
// and every other byte stays in order.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ChordSegments.h"
#include "FuzzSupport.h"
#include "convert/NoteConversions.h"

namespace lw::fuzz {
namespace {

struct OutputKey {
    int code;
    bool sharps;  // how the key list spells that key's black keys
};

// The rows of the key list, "A (F#m)" to "Ab (Fm)".
constexpr OutputKey kOutputKeys[17] = {{0, true},  {1, true},  {1, false}, {2, true},  {3, false},
                                       {4, true},  {4, false}, {5, true},  {6, true},  {6, false},
                                       {7, true},  {8, false}, {9, true},  {9, false}, {10, true},
                                       {11, true}, {11, false}};

const std::string kUnknown = "ERROR! Code not found, GetCodeFromChordRoman(), ";

int DegreeOf(std::string_view token) {
    for (int d = 0; d < 12; ++d)
        if (kDegrees[d] == token) return d;
    return -1;
}

void CheckKey(const std::vector<std::string_view>& lines, const OutputKey& key) {
    ModGlobals globals;
    globals.InputKeyCode = 0;  // a figured-bass sheet is read as if in A
    globals.OutputKeyCode = key.code;
    globals.UseSharps = key.sharps;
    KeptMessages messages;
    DegreesToNotes notes(globals, messages);

    std::vector<std::string> expectedMessages;
    std::string out;
    for (const std::string_view line : lines) {
        notes.ConvertLine(line, out);
        std::string expected;
        for (const Segment& segment : SplitDegrees(line)) {
            if (!segment.isToken) {
                expected += segment.text;
                continue;
            }
            int degree = DegreeOf(segment.text);
            if (degree < 0) {
                expectedMessages.push_back(kUnknown + std::string(segment.text));
                degree = 0;
            }
            expected += NameOf((degree + key.code) % 12, key.sharps);
        }
        Require(out == expected,
                "a line in a key is its degree line with each token replaced by its note");
    }
    for (const std::string& text : messages.texts)
        Require(text.starts_with(kUnknown), "only unknown degree tokens are reported");
    Require(messages.texts == expectedMessages, "each unknown token is reported once, in order");
    Require(globals.StepSemitones.value_or(key.code) == key.code,
            "a conversion records the interval from A to the key");
}

}  // namespace
}  // namespace lw::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lw::fuzz;
    const std::vector<std::string_view> lines =
        SplitLines(std::string_view(reinterpret_cast<const char*>(data), size));
    for (const OutputKey& key : kOutputKeys) CheckKey(lines, key);
    return 0;
}
