// Properties of the chord-line conversions over many generated chord lines.
#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>

#include "ScriptedRunHost.h"
#include "convert/NoteConversions.h"

namespace lw {
namespace {

using test::ScriptedRunHost;

// Chord lines whose notes are spelled one way only (naturals plus sharps, or plus flats), with
// suffixes, slash basses, brackets, bar lines and bytes above 127 between them. Nothing in them
// reads as a degree token except the notes' own conversions.
class ChordLineGenerator {
public:
    ChordLineGenerator(Spelling spelling, unsigned seed) : spelling_(spelling), random_(seed) {}

    std::string Next() {
        std::string line = "^";
        const int chords = Pick(1, 8);
        for (int i = 0; i < chords; ++i) {
            line += Pick(kGaps);
            if (Pick(0, 9) == 0) line += Pick(kNoise);
            line += Note();
            line += Pick(kSuffixes);
            if (Pick(0, 3) == 0) line += "/" + Note();
        }
        return line;
    }

private:
    static constexpr std::array<std::string_view, 4> kGaps{" ", "  ", "\t", "   "};
    static constexpr std::array<std::string_view, 5> kNoise{"(", "| ", "x2 ", "\xE9", "[ "};
    static constexpr std::array<std::string_view, 12> kSuffixes{
        "", "m", "m7", "7", "maj7", "sus4", "7+5", "13", "m7-5", "dim", "6/9", "add9)"};

    std::string Note() {
        std::string note(1, static_cast<char>('A' + Pick(0, 6)));
        const char accidental = spelling_ == Spelling::Sharp ? '#' : 'b';
        // Only the accidentals of the five black keys: no B#, Cb, E# or Fb.
        const bool blackKeyAbove = note != "B" && note != "E";
        const bool blackKeyBelow = note != "C" && note != "F";
        if (Pick(0, 2) == 0 && (spelling_ == Spelling::Sharp ? blackKeyAbove : blackKeyBelow))
            note += accidental;
        return note;
    }

    int Pick(int low, int high) { return std::uniform_int_distribution<>(low, high)(random_); }
    template <std::size_t N>
    std::string_view Pick(const std::array<std::string_view, N>& from) {
        return from[static_cast<std::size_t>(Pick(0, static_cast<int>(N) - 1))];
    }

    Spelling spelling_;
    std::mt19937 random_;
};

constexpr int kLines = 300;

std::string Transpose(const std::string& line, int step, Spelling spelling, Messenger& messenger) {
    ModGlobals globals;
    globals.StepSemitones = step;
    globals.UseSharps = spelling == Spelling::Sharp;
    TransposeNotes notes(globals, messenger, /*byKey=*/false);
    std::string out;
    notes.ConvertLine(line, out);
    return out;
}

class BothSpellings : public testing::TestWithParam<Spelling> {};

TEST_P(BothSpellings, NoIntervalChangesNothing) {
    ChordLineGenerator lines(GetParam(), 1);
    ScriptedRunHost host;
    for (int i = 0; i < kLines; ++i) {
        const std::string line = lines.Next();
        ASSERT_EQ(Transpose(line, 0, GetParam(), host), line);
    }
    EXPECT_TRUE(host.shown.empty());
}

TEST_P(BothSpellings, UpThenDownGivesTheSameLine) {
    ChordLineGenerator lines(GetParam(), 2);
    ScriptedRunHost host;
    for (int i = 0; i < kLines; ++i) {
        const std::string line = lines.Next();
        for (int step = 1; step <= 11; ++step) {
            const std::string up = Transpose(line, step, GetParam(), host);
            ASSERT_EQ(Transpose(up, -step, GetParam(), host), line) << "step " << step;
        }
    }
    EXPECT_TRUE(host.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(Spellings, BothSpellings, testing::Values(Spelling::Sharp, Spelling::Flat),
                         [](const testing::TestParamInfo<Spelling>& info) {
                             return info.param == Spelling::Sharp ? "Sharps" : "Flats";
                         });

// Every key of the key list: its lines to degrees and back come out as they went in.
class EveryKey : public testing::TestWithParam<std::size_t> {};

TEST_P(EveryKey, DegreesAndBackGiveTheSameLine) {
    const std::size_t key = GetParam();
    ChordLineGenerator lines(KeyListSpellings[key], 3 + static_cast<unsigned>(key));
    ScriptedRunHost host;

    ModGlobals toDegrees;
    toDegrees.InputKeyCode = KeySpellingCodes[key];
    toDegrees.OutputKeyCode = 0;
    NotesToDegrees degrees(toDegrees, host);

    ModGlobals toNotes;
    toNotes.InputKeyCode = 0;
    toNotes.OutputKeyCode = KeySpellingCodes[key];
    toNotes.UseSharps = KeyListSpellings[key] == Spelling::Sharp;
    DegreesToNotes notes(toNotes, host);

    std::string figured, back;
    for (int i = 0; i < kLines; ++i) {
        const std::string line = lines.Next();
        degrees.ConvertLine(line, figured);
        notes.ConvertLine(figured, back);
        ASSERT_EQ(back, line) << "through " << figured;
    }
    EXPECT_TRUE(host.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(Keys, EveryKey, testing::Range<std::size_t>(0, kKeyCount),
                         [](const testing::TestParamInfo<std::size_t>& info) {
                             std::string name(KeySpellings[info.param]);
                             if (name.size() > 1) name[1] = name[1] == '#' ? 's' : 'b';
                             return name;
                         });

}  // namespace
}  // namespace lw
