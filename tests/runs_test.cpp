// Whole runs through plan and execute, as File, Open makes them once the dialog has given a
// path and the question has been answered OK.

#include <gtest/gtest.h>

#include <filesystem>

#include "RunOnce.h"

namespace lw {
namespace {

using namespace std::string_literals;
using namespace test;

constexpr int kC = 4, kBb = 2, kD = 7;  // rows of the key list

struct RunCase {
    const char* name;
    Window window;
    std::string input;  // file name in the folder, and its bytes
    std::string sheet;
    std::string output;  // the file written, with its bytes; none when empty
    std::string expected;
    Texts messages = {};
};

const RunCase kRuns[] = {
    {"By Key from Ab to C", ByKey(kC), "Another Ewe_Ab.txt", "^Ab Fm7 Db/Eb\r\nla la\r\n",
     "Another Ewe_C.txt", "^C Am7 F/G\r\nla la\r\n"},
    {"By Key keeps a minor key minor", ByKey(0), "Song_Em.txt", "^Em D", "Song_F#m.txt",
     "^F#m E\r\n"},
    {"By Key to the same pitch respells", ByKey(12), "Song_Gb.txt", "^Gb Ebm Db7/Ab", "Song_F#.txt",
     "^F# D#m C#7/G#\r\n"},
    {"By Step up a whole step from a minor key", ByStep(1, Spelling::Sharp),
     "SongoftheNight_Dm.txt", "^Dm A7 Bb", "SongoftheNight_Em.txt", "^Em B7 C\r\n"},
    {"By Step down a half step in flats", ByStep(11, Spelling::Flat), "Tune_C.text", "^C  F",
     "Tune_B.txt", "^B  E\r\n"},
    {"every line end becomes CR LF, every other byte stays", ByKey(kD), "Tune_C.txt",
     "a\rb\nc\r\n\0\xff\r\r\n^C"s, "Tune_D.txt", "a\r\nb\r\nc\r\n\0\xff\r\n\r\n^D\r\n"s},
    {"an empty sheet gives an empty output", ByKey(kD), "Tune_C.txt", "", "Tune_D.txt", ""},
    {"Key to Figured Bass counts a minor key from its relative major", ToFiguredBass,
     "Medication_F#m.txt", "^F#m Bm C#7\r\n^", "Medication_.txt", "^VIm IIm III7\r\n^\r\n"},
    {"Figured Bass to Key", FromFiguredBass(kBb), "Another Ewe_.txt", "^I  IV/V  bVII7",
     "Another Ewe_Bb.txt", "^Bb  Eb/F  Ab7\r\n"},
    {"Figured Bass to Key writes the tonic for a token it does not know",
     FromFiguredBass(kC),
     "Song_.txt",
     "^V13/b9",
     "Song_C.txt",
     "^G13/C9\r\n",
     {"ERROR! Code not found, GetCodeFromChordRoman(), b"}},
    {"a file name without a dot",
     ByKey(kC),
     "Song",
     "^C",
     "",
     "",
     {"ERROR! '.' not found in input filename..."}},
    {"a key that is no key",
     ByKey(kC),
     "Song_H.txt",
     "^C",
     "",
     "",
     {"ERROR! Key not found in input filename..."}},
    {"a figured-bass file has no key to convert from",
     ToFiguredBass,
     "Song_.txt",
     "^I",
     "",
     "",
     {"ERROR! Key not found in input filename..."}},
    {"a missing input is opened before its key is read",
     ByKey(kC),
     "Missing",
     "",
     "",
     "",
     {"Cannot open the input file {dir}/Missing: No such file or directory"}},
    {"only a figured-bass name has an underscore before its dot",
     FromFiguredBass(kC),
     "Song_C.txt",
     "^I",
     "",
     "",
     {"Not a proper Figured Bass filename!!"}},
    {"a folder's underscore and dot do not count",
     FromFiguredBass(kC),
     "A_.B/Song",
     "^I",
     "",
     "",
     {"Not a proper Figured Bass filename!!"}},
    {"the output would be the input",
     ByKey(kC),
     "Song_C.txt",
     "^C",
     "",
     "",
     {"ERROR! Input and Output Filenames are the same..."}},
    {"no key row selected after a step was chosen",
     Mode(0, {}, 3),
     "Song_C.txt",
     "^C",
     "",
     "",
     {"Subscript out of range: no key is selected"}},
};

TEST(Runs, WriteTheConvertedSheetOrSayWhyNot) {
    for (const RunCase& c : kRuns) {
        const TempFolder folder;
        std::filesystem::create_directory(folder.Path("A_.B"));
        if (c.input != "Missing") folder.Write(c.input, c.sheet);
        const Outcome outcome = RunOnce(c.window, folder, c.input);
        EXPECT_EQ(outcome.messages, c.messages) << c.name;
        EXPECT_EQ(outcome.written, !c.output.empty()) << c.name;
        std::set<std::string> names{"A_.B", c.input.substr(0, c.input.find('/'))};
        if (c.input == "Missing") names.erase("Missing");
        if (outcome.written) {
            EXPECT_EQ(ReadBytes(folder.Path(c.output)), c.expected) << c.name;
            names.insert(c.output);
        }
        EXPECT_EQ(folder.Names(), names) << c.name;  // nothing else, no temporary file
    }
}

// By Key from C to every row of the key list: each row spells its black keys its own way.
TEST(Runs, EveryKeyRowSpellsItsOwnScale) {
    const std::pair<const char*, const char*> rows[] = {
        {"Song_A.txt", "^A B C# D E F# G#"},
        {"Song_A#.txt", "^A# C D D# F G A"},
        {"Song_Bb.txt", "^Bb C D Eb F G A"},
        {"Song_B.txt", "^B C# D# E F# G# A#"},
        {"Song_C.txt", ""},
        {"Song_C#.txt", "^C# D# F F# G# A# C"},
        {"Song_Db.txt", "^Db Eb F Gb Ab Bb C"},
        {"Song_D.txt", "^D E F# G A B C#"},
        {"Song_D#.txt", "^D# F G G# A# C D"},
        {"Song_Eb.txt", "^Eb F G Ab Bb C D"},
        {"Song_E.txt", "^E F# G# A B C# D#"},
        {"Song_F.txt", "^F G A Bb C D E"},
        {"Song_F#.txt", "^F# G# A# B C# D# F"},
        {"Song_Gb.txt", "^Gb Ab Bb B Db Eb F"},
        {"Song_G.txt", "^G A B C D E F#"},
        {"Song_G#.txt", "^G# A# C C# D# F G"},
        {"Song_Ab.txt", "^Ab Bb C Db Eb F G"},
    };
    const TempFolder folder;
    folder.Write("Song_C.txt", "^C D E F G A B");
    for (int row = 0; row < 17; ++row) {
        const auto& [output, scale] = rows[row];
        const Outcome outcome = RunOnce(ByKey(row), folder, "Song_C.txt");
        if (*scale == '\0') continue;  // C to C is refused: the output would be the input
        EXPECT_EQ(ReadBytes(folder.Path(output)), scale + "\r\n"s) << output;
        EXPECT_EQ(outcome.globals.StepSemitones, outcome.globals.OutputKeyCode - 3) << output;
    }
}

TEST(Runs, ShowBothPathsAndTheLastLinesAndRecordTheirInterval) {
    const TempFolder folder;
    folder.Write("Song_.txt", "^I V\r\nlast words");
    const Outcome outcome = RunOnce(FromFiguredBass(kD), folder, "Song_.txt");
    EXPECT_EQ(outcome.host.fields,
              (std::array<std::string, 4>{folder.Path("Song_.txt"), folder.Path("Song_D.txt"),
                                          "last words", "^D A"}));
    EXPECT_EQ(outcome.globals.StepSemitones, 5);
    EXPECT_EQ(outcome.globals.OutputKeyName, "D");

    folder.Write("Lyrics_C.txt", "no chords here");  // no note converted: the interval stays
    EXPECT_EQ(RunOnce(ByKey(kD), folder, "Lyrics_C.txt").globals.StepSemitones, 0);
}

}  // namespace
}  // namespace lw
