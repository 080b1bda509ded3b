// Every letter-note conversion over arbitrary chord lines: each transposition by 0 to 11 steps
// up and down in both spellings, and each key to degrees and back. Only note names change,
// every other byte stays in order, and each note comes out at the right pitch.

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

// The line the segments should become: copied pieces as they are, tokens as replace says.
template <class Replace>
std::string Rewritten(const std::vector<Segment>& segments, Replace replace) {
    std::string line;
    for (const Segment& segment : segments) {
        if (segment.isToken)
            line += replace(segment.text);
        else
            line += segment.text;
    }
    return line;
}

struct Sheet {
    std::vector<std::string_view> lines;
    std::vector<std::vector<Segment>> segments;  // of each line
};

void CheckTranspositions(const Sheet& sheet) {
    std::string out;
    for (int step = -11; step <= 11; ++step) {
        for (const bool sharps : {false, true}) {
            ModGlobals globals;
            globals.StepSemitones = step;
            globals.UseSharps = sharps;
            KeptMessages messages;
            // One converter for the whole sheet, as in a run.
            TransposeNotes notes(globals, messages, /*byKey=*/false);
            for (std::size_t i = 0; i < sheet.lines.size(); ++i) {
                notes.ConvertLine(sheet.lines[i], out);
                Require(out == Rewritten(sheet.segments[i],
                                         [&](std::string_view note) {
                                             return NameOf((PitchOf(note) + step + 12) % 12,
                                                           sharps);
                                         }),
                        "a transposed line is its input with each note moved by the step");
            }
            Require(messages.texts.empty(), "every letter with or without '#'/'b' is a note");
            Require(globals.StepSemitones == step, "a step transposition keeps its step");
        }
    }
}

void CheckByKey(const Sheet& sheet, int inputKey, int outputKey) {
    ModGlobals globals;
    globals.StepSemitones = 0;  // what a click in the key list records
    globals.InputKeyCode = inputKey;
    globals.OutputKeyCode = outputKey;
    globals.UseSharps = true;
    KeptMessages messages;
    TransposeNotes notes(globals, messages, /*byKey=*/true);
    std::string out;
    bool anyNote = false;
    for (std::size_t i = 0; i < sheet.lines.size(); ++i) {
        notes.ConvertLine(sheet.lines[i], out);
        Require(out == Rewritten(sheet.segments[i],
                                 [&](std::string_view note) {
                                     anyNote = true;
                                     return NameOf((PitchOf(note) + outputKey - inputKey + 12) % 12,
                                                   true);
                                 }),
                "a line in the new key is its input with each note moved between the keys");
    }
    if (anyNote)
        Require(globals.StepSemitones == outputKey - inputKey,
                "a key transposition records the interval between the keys");
}

// Adjacent degree tokens or degree letters in the copied text read back differently; the way
// back is only promised when the degree line splits into the same pieces.
bool SameSegments(const std::vector<Segment>& a, const std::vector<Segment>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].isToken != b[i].isToken || a[i].text != b[i].text) return false;
    return true;
}

void CheckDegreesAndBack(const Sheet& sheet) {
    std::string degreeLine;
    std::string back;
    for (int key = 0; key < 12; ++key) {
        ModGlobals toDegreesGlobals;
        toDegreesGlobals.InputKeyCode = key;
        toDegreesGlobals.OutputKeyCode = 0;
        KeptMessages messages;
        NotesToDegrees toDegrees(toDegreesGlobals, messages);
        for (std::size_t i = 0; i < sheet.lines.size(); ++i) {
            toDegrees.ConvertLine(sheet.lines[i], degreeLine);
            auto degreeOf = [&](std::string_view note) {
                return kDegrees[(PitchOf(note) - key + 12) % 12];
            };
            Require(degreeLine == Rewritten(sheet.segments[i], degreeOf),
                    "a degree line is its input with each note replaced by its degree");

            std::vector<Segment> expected = sheet.segments[i];
            for (Segment& segment : expected)
                if (segment.isToken) segment.text = degreeOf(segment.text);
            if (!SameSegments(SplitDegrees(degreeLine), expected)) continue;

            // A figured-bass sheet is read in A; the chosen key brings back the same pitches.
            for (const bool sharps : {false, true}) {
                ModGlobals backGlobals;
                backGlobals.InputKeyCode = 0;
                backGlobals.OutputKeyCode = key;
                backGlobals.UseSharps = sharps;
                DegreesToNotes toNotes(backGlobals, messages);
                toNotes.ConvertLine(degreeLine, back);
                Require(back == Rewritten(sheet.segments[i],
                                          [&](std::string_view note) {
                                              return NameOf(PitchOf(note), sharps);
                                          }),
                        "degrees read back in their key give the same pitches");
            }
        }
        Require(messages.texts.empty(), "notes and their degrees are all known");
    }
}

}  // namespace
}  // namespace lw::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lw::fuzz;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    Sheet sheet;
    sheet.lines = SplitLines(bytes);
    for (const std::string_view line : sheet.lines) sheet.segments.push_back(SplitNotes(line));

    CheckTranspositions(sheet);
    CheckByKey(sheet, static_cast<int>(size % 12), static_cast<int>(size / 12 % 12));
    CheckDegreesAndBack(sheet);
    return 0;
}
