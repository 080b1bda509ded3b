// Chord lines through each run's note conversion, without files.
#include <gtest/gtest.h>

#include "ScriptedRunHost.h"
#include "convert/NoteConversions.h"

namespace lw {
namespace {

using test::ScriptedRunHost;

struct ScanCase {
    const char* name;
    std::string in;
    std::string out;
    std::vector<std::string> messages = {};
};

// By Step: interval and spelling chosen by the user.
struct StepCase : ScanCase {
    int step;
    bool sharps;
};

class TransposeByStep : public testing::TestWithParam<StepCase> {};

TEST_P(TransposeByStep, RewritesOnlyTheNotes) {
    const StepCase& c = GetParam();
    ModGlobals globals;
    globals.StepSemitones = c.step;
    globals.UseSharps = c.sharps;
    ScriptedRunHost host;
    TransposeNotes notes(globals, host, /*byKey=*/false);
    std::string out;
    notes.ConvertLine(c.in, out);
    EXPECT_EQ(out, c.out);
    EXPECT_EQ(host.shown, c.messages);
}

StepCase Step(const char* name, std::string in, std::string out, int step, bool sharps) {
    StepCase c;
    c.name = name;
    c.in = std::move(in);
    c.out = std::move(out);
    c.step = step;
    c.sharps = sharps;
    return c;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, TransposeByStep,
    testing::Values(
        Step("RootAtTheEndOfTheLine", "^G", "^A", 2, true),
        Step("LongerNamesShiftTheRest", "^A  D", "^Bb  Eb", 1, false),
        Step("SharpPreference", "^A  D", "^A#  D#", 1, true),
        Step("DownAHalfStep", "^C Am7 F/G", "^B G#m7 E/F#", -1, true),
        Step("LowercaseIsNeverANote", "^am", "^am", 2, true),
        Step("OnlyTheFirstOfTwoLettersIsARoot", "^CG", "^DG", 2, true),
        Step("SpaceSeparatesChords", "^C G", "^D A", 2, true),
        Step("TabSeparatesChords", "^C\tG", "^D\tA", 2, true),
        Step("SlashBassChanges", "^G13/Ab", "^A13/Bb", 2, false),
        Step("SlashBeforeALowercaseStaysText", "^G13/b9", "^A13/b9", 2, false),
        Step("SpaceAfterSlashDoesNotEndTheChord", "^C/ D", "^D/ D", 2, false),
        Step("SlashAtTheEndIsCopiedOnce", "^C/", "^D/", 2, false),
        Step("EnharmonicExtrasAreRespelled", "^Cb B# E# Fb", "^B C F E", 0, false),
        Step("SuffixLettersAreNotNotes", "^Cmaj7#11 Dsus4 Eb7+5", "^Dmaj7#11 Esus4 F7+5", 2, false),
        Step("MarkerAloneIsKept", "^", "^", 5, false),
        Step("NulEndsAChordLikeASpace", std::string("^C\0G", 4), std::string("^D\0A", 4), 2, true),
        Step("HighBytesPassThrough", "^\xE9" "C \xFF" "D", "^\xE9" "D \xFF" "E", 2, true),
        Step("BracketedChord", "^(C) [Dm]", "^(D) [Em]", 2, true)),
    [](const testing::TestParamInfo<StepCase>& info) { return info.param.name; });

TEST(TransposeByKey, RecordsTheIntervalOfTheKeys) {
    ModGlobals globals;
    globals.InputKeyCode = 11;  // Ab
    globals.OutputKeyCode = 3;  // C
    globals.UseSharps = false;
    globals.StepSemitones = 0;  // as the key list leaves it
    ScriptedRunHost host;
    TransposeNotes notes(globals, host, /*byKey=*/true);
    std::string out;
    notes.ConvertLine("^Ab Fm7 Db/Eb", out);
    EXPECT_EQ(out, "^C Am7 F/G");
    EXPECT_EQ(globals.StepSemitones, -8);
}

// Key to figured bass, in the key of the file name.
struct DegreeCase : ScanCase {
    NoteCode key;
};

class NotesToDegreesLines : public testing::TestWithParam<DegreeCase> {};

TEST_P(NotesToDegreesLines, WritesDegreesOfTheKey) {
    const DegreeCase& c = GetParam();
    ModGlobals globals;
    globals.InputKeyCode = c.key;
    globals.OutputKeyCode = 0;
    ScriptedRunHost host;
    NotesToDegrees notes(globals, host);
    std::string out;
    notes.ConvertLine(c.in, out);
    EXPECT_EQ(out, c.out);
    EXPECT_TRUE(host.shown.empty());
}

DegreeCase InKey(const char* name, std::string in, std::string out, NoteCode key) {
    DegreeCase c;
    c.name = name;
    c.in = std::move(in);
    c.out = std::move(out);
    c.key = key;
    return c;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, NotesToDegreesLines,
    testing::Values(InKey("CommonChordsInC", "^C Am7 Dm7 G7", "^I VIm7 IIm7 V7", 3),
                    InKey("SlashBassInC", "^C/E", "^I/III", 3),
                    InKey("FlatSeventhInC", "^Bb", "^bVII", 3),
                    InKey("HalfDiminishedInC", "^F#m7b5", "^bVm7b5", 3),
                    InKey("LowercaseAfterSlashInC", "^G13/b9", "^V13/b9", 3),
                    InKey("EnharmonicsGiveOneDegree", "^C# Db B#", "^bII bII I", 3),
                    InKey("MinorKeyCountsFromRelativeMajor", "^Am Dm E7", "^VIm IIm III7", 3),
                    InKey("ThirdAndSeventhInBb", "^D A", "^III VII", 1)),
    [](const testing::TestParamInfo<DegreeCase>& info) { return info.param.name; });

// Figured bass to key, in the key chosen from the key list.
struct KeyCase : ScanCase {
    NoteCode key;
    bool sharps;
};

class DegreesToNotesLines : public testing::TestWithParam<KeyCase> {};

TEST_P(DegreesToNotesLines, WritesNotesOfTheKey) {
    const KeyCase& c = GetParam();
    ModGlobals globals;
    globals.InputKeyCode = 0;
    globals.OutputKeyCode = c.key;
    globals.UseSharps = c.sharps;
    ScriptedRunHost host;
    DegreesToNotes notes(globals, host);
    std::string out;
    notes.ConvertLine(c.in, out);
    EXPECT_EQ(out, c.out);
    EXPECT_EQ(host.shown, c.messages);
}

KeyCase ToKey(const char* name, std::string in, std::string out, NoteCode key, bool sharps,
              std::vector<std::string> messages = {}) {
    KeyCase c;
    c.name = name;
    c.in = std::move(in);
    c.out = std::move(out);
    c.key = key;
    c.sharps = sharps;
    c.messages = std::move(messages);
    return c;
}

const std::string kRoman = "ERROR! Code not found, GetCodeFromChordRoman(), ";

INSTANTIATE_TEST_SUITE_P(
    Lines, DegreesToNotesLines,
    testing::Values(
        ToKey("SharpKeyA", "^I bII bIII V", "^A A# C E", 0, true),
        ToKey("FlatKeyC", "^bVII VII", "^Bb B", 3, false),
        ToKey("MinorSuffixStays", "^VIm7", "^Am7", 3, false),
        ToKey("SharpKeyG", "^VII bVII", "^F# F", 10, true),
        ToKey("ShiftsWithNameLength", "^I  IV/V  bVII7", "^Bb  Eb/F  Ab7", 1, false),
        ToKey("LowercaseNumeralsAreText", "^iv", "^iv", 3, false),
        ToKey("LetterRootsAreText", "^C IV", "^C F", 3, false),
        ToKey("FlatSignOfALetterStartsAToken", "^Bb", "^BC", 3, false, {kRoman + "b"}),
        ToKey("BracketsStay", "^(IV)", "^(F)", 3, false),
        ToKey("LaterDegreeLettersInAChordAreText", "^V7b9", "^G7b9", 3, false),
        ToKey("LoneFlatAfterSlashIsTheTonic", "^V13/b9", "^G13/C9", 3, false, {kRoman + "b"}),
        ToKey("TokenStopsAfterFourCharacters", "^bVIII", "^BbI", 3, false),
        ToKey("UnknownTokensBecomeTheTonic", "^VIII IIII VV", "^C C C", 3, false,
              {kRoman + "VIII", kRoman + "IIII", kRoman + "VV"}),
        ToKey("SlashAtTheEnd", "^V/", "^G/", 3, false),
        ToKey("SpaceAfterSlashKeepsTheChord", "^V/ I", "^G/ I", 3, false)),
    [](const testing::TestParamInfo<KeyCase>& info) { return info.param.name; });

}  // namespace
}  // namespace lw
