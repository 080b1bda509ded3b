// Whole runs through plan and execute, from the path the dialog gives to the file written:
// what each mode writes and refuses, every key and step, and Cancel or a changing input in the
// middle of a run. An output is complete or absent, and nothing else is left in the folder.

#include <gtest/gtest.h>

#include "RecordingHost.h"
#include "TempFolder.h"
#include "convert/RunPlan.h"
#include "sheets/SheetKinds.h"

namespace lw {
namespace {

using namespace std::string_literals;
using namespace test;

using enum ConvertMode;

// Rows of the key list; no row chosen; a step chosen before By Key.
constexpr int kBb = 2, kC = 4, kDb = 6, kD = 7, kDSharp = 8, kGSharp = 15, kNothing = -1,
              kAStep = -2;

// The window as a run finds it: a mode; the row chosen in the key list (By Key, Figured Bass to
// Key) or in the step list (By Step); the sharp or flat preference; the configuration's
// chord-line marker; and the kind every file is read as (none: each by its name and content).
// clang-format off
struct Window { ConvertMode mode; int row = kNothing; Spelling preference = Spelling::Flat; std::string marker = "^"; const SheetKind* format = nullptr; };
struct Outcome { ModGlobals globals; RecordingHost host; };
// clang-format on

// Checks the selection, plans and executes one run on folder/input as File, Open does; "{dir}"
// in a message stands for the folder.
Outcome RunOnce(const Window& window, const TempFolder& folder, const std::string& input) {
    Outcome outcome;
    outcome.host.folder = folder.Path("");
    ModGlobals& globals = outcome.globals;
    globals.ConvertMode = window.mode;
    globals.ChordLineMarker = window.marker;
    RunChoices choices{window.mode == ByStep ? ShownList::Step : ShownList::Key, std::nullopt,
                       window.preference, window.format};
    if (window.row == kAStep || (window.mode == ByStep && window.row >= 0))
        lstStep_Click(globals, std::max(window.row, 0));
    else if (window.row >= 0)
        choices.keyIndex = window.row, lstKey_Click(globals);
    ShowingFailures(outcome.host, [&] {
        if (!CheckSelection(globals, outcome.host)) return;
        const std::optional<RunPlan> plan =
            PlanRun(globals, choices, folder.Path(input), outcome.host);
        OutputSet output(SystemFileSystem());
        if (!plan || !ExecutePlan(*plan, globals, outcome.host, &output)) return;
        for (const OutputSet::Failure& failure : output.Publish())
            outcome.host.ShowMessage(failure.message);
    });
    return outcome;
}

// What stands at another name in the input's folder before the run.
enum class Beside { Nothing, SymbolicLinkToInput, HardLinkToInput, Folder };

// A run on input, a file name in the folder holding sheet: output, the file written, holds
// expected; none is written when output is empty. Where a row gives them, the line fields show
// the last line read and what it became, "in|out", a ChordPro sheet's too, whose output is
// written a block at a time.
// clang-format off
struct RunCase { const char* name; Window window; std::string input, sheet, output, expected; Texts messages = {}; std::string besideName = {}; Beside beside = Beside::Nothing; std::string lastLines = {}; };
const RunCase kRuns[] = {
    {"By Key to the same pitch respells", {ByKey, 12}, "Song_Gb.txt", "^Gb Ebm Db7/Ab", "Song_F#.txt", "^F# D#m C#7/G#\r\n"},
    {"By Step up a whole step with sharps", {ByStep, 1, Spelling::Sharp}, "Night_Dm.txt", "^Dm A7 Bb", "Night_Em.txt", "^Em B7 C\r\n"},
    {"By Step cuts the name at its own extension, not at a folder's dot", {ByStep, 11}, "A_.B/Tune_C.text", "^C  F", "A_.B/Tune_B.txt", "^B  E\r\n"},
    {"a name that is only its key", {ByKey, kD}, "C.txt", "^C", "D.txt", "^D\r\n"},
    {"every line end becomes CR LF, every other byte stays", {ByKey, kD}, "Tune_C.txt", "a\rb\nc\r\n\0\xff\r\r\n^C"s, "Tune_D.txt", "a\r\nb\r\nc\r\n\0\xff\r\n\r\n^D\r\n"s},
    {"an empty sheet gives an empty output", {ByKey, kD}, "Tune_C.txt", "", "Tune_D.txt", ""},
    {"a marker of two characters matches no line", {ByKey, kD, Spelling::Flat, "^^"}, "Tune_C.txt", "^^C\r\n^C", "Tune_D.txt", "^^C\r\n^C\r\n"},
    {"an empty marker matches only empty lines", {ByKey, kD, Spelling::Flat, ""}, "Tune_C.txt", "C\r\n\r\n^C", "Tune_D.txt", "C\r\n\r\n^C\r\n"},
    {"Key to Figured Bass, nothing chosen, counts a minor key from its relative major", {KeyToFiguredBass}, "Medication_F#m.txt", "^F#m Bm C#7\r\n^", "Medication_.txt", "^VIm IIm III7\r\n^\r\n"},
    {"Figured Bass to Key", {FiguredBassToKey, kBb}, "Ewe_.txt", "^I  IV/V  bVII7", "Ewe_Bb.txt", "^Bb  Eb/F  Ab7\r\n"},
    {"a token that is no degree becomes the tonic", {FiguredBassToKey, kC}, "Song_.txt", "^V13/b9", "Song_C.txt", "^G13/C9\r\n", {"ERROR! Code not found, GetCodeFromChordRoman(), b"}},
    {"By Step with nothing chosen", {ByStep}, "Song_C.txt", "^C", "", "", {"ERROR! Select an output key or interval..."}},
    {"Figured Bass to Key with nothing chosen", {FiguredBassToKey}, "Song_.txt", "^I", "", "", {"ERROR! Select an output key or interval..."}},
    {"no key row selected after a step was chosen", {ByKey, kAStep}, "Song_C.txt", "^C", "", "", {"Subscript out of range: no key is selected"}},
    {"no dot", {ByKey, kC}, "Song", "^C", "", "", {"ERROR! '.' not found in input filename..."}},
    {"no key", {ByKey, kC}, "Song_Cb.txt", "^C", "", "", {"ERROR! Key not found in input filename..."}},
    {"a key that would start before the name", {KeyToFiguredBass}, "m.txt", "^C", "", "", {"Key starts before the file name, GetKeyCodeFromFilename()"}},
    {"a missing input is opened before its key is read", {ByKey, kC}, "Missing", "", "", "", {"Cannot open the input file {dir}/Missing: No such file or directory"}},
    {"no underscore before the dot", {FiguredBassToKey, kC}, "Song_C.txt", "^I", "", "", {"Not a proper Figured Bass filename!!"}},
    {"a folder's underscore and dot do not count", {FiguredBassToKey, kC}, "A_.B/Song", "^I", "", "", {"Not a proper Figured Bass filename!!"}},
    {"the output is a symbolic link to the input", {ByKey, kD}, "Song_C.txt", "^C", "", "", {"ERROR! Input and Output Filenames are the same..."}, "Song_D.txt", Beside::SymbolicLinkToInput},
    {"the output is a hard link to the input", {ByKey, kD}, "Song_C.txt", "^C", "", "", {"ERROR! Input and Output Filenames are the same..."}, "Song_D.txt", Beside::HardLinkToInput},
    {"an output name that is a folder, before the question", {ByKey, kD}, "Song_C.txt", "^C", "", "", {"Cannot save the output file {dir}/Song_D.txt: Is a directory"}, "Song_D.txt", Beside::Folder},
    // 255 characters with "_C.txt"; "_Db.txt" is one more
    {"an output name too long", {ByKey, kDb}, std::string(249, 'x') + "_C.txt", "^C", "", "", {"Cannot save the output file {dir}/" + std::string(249, 'x') + "_Db.txt: File name too long"}},
    {"ChordPro: the key of the name; the extension and line ends kept", {ByKey, kD}, "Song_G.cho", "{key: G}\n[G]la\r[D7]", "Song_D.cho", "{key: D}\n[D]la\r[A7]", {}, {}, Beside::Nothing, "[D7]|[A7]"},
    {"ChordPro: the key of the directive, minor", {ByKey, kD}, "Song.CHO", "{key: Em}\r\n[Em]", "Song_Bm.CHO", "{key: Bm}\r\n[Bm]"},
    {"ChordPro: the name and the directive spell one key", {ByKey, kD}, "Song_Gb.pro", "{key: F#}\n[F#]", "Song_D.pro", "{key: D}\n[D]"},
    {"ChordPro: the name and the directive differ", {ByKey, kD}, "Song_G.cho", "{key: Em}", "", "", {"ERROR! The key in the filename and the {key} directive differ..."}},
    {"ChordPro: no key anywhere", {ByKey, kD}, "My_Song.cho", "[C]", "", "", {"ERROR! Key not found in input filename or {key} directive..."}},
    {"ChordPro: a directive that names no key", {KeyToFiguredBass}, "Song_G.chopro", "[G]\n{key: H}", "", "", {"ERROR! Key not found in input filename or {key} directive..."}},
    {"ChordPro: a later directive that names no key", {ByStep, 1}, "Song_G.cho", "[G]\n{key: H}", "", "", {"ERROR! Key not found in input filename or {key} directive..."}},
    {"ChordPro: By Step needs no key and names the output by its step", {ByStep, 1}, "Song.chordpro", "[C]la", "Song_+2.chordpro", "[D]la"},
    {"ChordPro: to figured bass keeps the key directives", {KeyToFiguredBass}, "Song.cho", "{key: G}\n[G] [D7]\n{key: A}\n[A]", "Song_.cho", "{key: G}\n[I] [V7]\n{key: A}\n[II]"},
    {"ChordPro: from figured bass the first directive is the key, a modulation keeps its distance", {FiguredBassToKey, kBb}, "Song_.cho", "{key: G}\n[I] [V7]\n{key: A}\n[II]", "Song_Bb.cho", "{key: Bb}\n[Bb] [F7]\n{key: C}\n[C]"},
    {"ChordPro read from a .txt", {ByKey, kD, Spelling::Flat, "^", SheetKindNamed("chordpro")}, "Song_C.txt", "^C [C]", "Song_D.txt", "^C [D]"},
    {"a .cho read as a lead sheet", {ByKey, kD, Spelling::Flat, "^", SheetKindNamed("lead-sheet")}, "Song_C.cho", "^C [C]", "Song_D.txt", "^D [D]\r\n"},
    {"ChordPro: from figured bass without a key directive, named by the chosen key", {FiguredBassToKey, kBb}, "Song_.cho", "[I]la", "Song_Bb.cho", "[Bb]la"},
    {"By Key to D# names a minor sheet by C minor", {ByKey, kDSharp}, "x_Am.txt", "^Am", "x_Cm.txt", "^Cm\r\n"},
    {"By Key to G# names a minor sheet by F minor", {ByKey, kGSharp}, "x_Am.txt", "^Am", "x_Fm.txt", "^Fm\r\n"},
};
// clang-format on

TEST(Runs, WriteTheConvertedSheetOrSayWhyNot) {
    for (const RunCase& c : kRuns) {
        SCOPED_TRACE(c.name);
        const TempFolder folder;
        std::filesystem::create_directory(folder.Path("A_.B"));
        std::set<std::string> names{"A_.B", c.input.substr(0, c.input.find('/')), c.besideName,
                                    c.output.substr(0, c.output.find('/'))};
        names.erase(""), names.erase("Missing");
        if (c.input != "Missing") folder.Write(c.input, c.sheet);
        const std::filesystem::path beside = folder.Path(c.besideName);
        if (c.beside == Beside::SymbolicLinkToInput) create_symlink(c.input, beside);
        if (c.beside == Beside::HardLinkToInput) create_hard_link(folder.Path(c.input), beside);
        if (c.beside == Beside::Folder) create_directory(beside);
        const RecordingHost host = RunOnce(c.window, folder, c.input).host;
        EXPECT_EQ(host.messages, c.messages);
        EXPECT_EQ(c.lastLines.empty() ? "" : host.lines[0] + '|' + host.lines[1], c.lastLines);
        EXPECT_EQ(c.output.empty() ? "" : ReadBytes(folder.Path(c.output)), c.expected);
        EXPECT_EQ(folder.Names(), names);  // nothing else, no temporary file
    }
}

// Every key a file name may carry is the tonic of its sheet: a major key's own chord is I, a
// minor key's is VIm of its relative major.
TEST(Runs, EveryKeyOfANameIsItsSheetsTonic) {
    for (const std::string key :
         {"A",  "A#", "Bb",  "B",   "C",  "C#",  "Db",  "D",   "D#",  "Eb", "E",   "F",
          "F#", "Gb", "G",   "G#",  "Ab", "Gbm", "Gm",  "G#m", "Abm", "Am", "A#m", "Bbm",
          "Bm", "Cm", "C#m", "Dbm", "Dm", "D#m", "Ebm", "Em",  "Fm",  "F#m"}) {
        SCOPED_TRACE(key);
        const TempFolder folder;
        folder.Write("Song_" + key + ".txt", "^" + key);
        RunOnce({KeyToFiguredBass}, folder, "Song_" + key + ".txt");
        EXPECT_EQ(ReadBytes(folder.Path("Song_.txt")), key.ends_with('m') ? "^VIm\r\n" : "^I\r\n");
    }
}

// By Key from C to a row of the key list, By Step from C by a row of the step list, or Key to
// Figured Bass from C: the output's key, the sheet in it, and the step the run leaves for the
// next, recorded once a note has moved and only then. Each key row spells the black keys of
// "^C C# D" its own way.
constexpr const char* kModeNames[] = {"By Key", "By Step", "Figured Bass to Key",
                                      "Key to Figured Bass"};

// clang-format off
struct ListRowCase { Window window; std::string key, converted; std::optional<int> step; std::string sheet = "^C C# D"; };
const ListRowCase kListRows[] = {
    {{ByKey, 0}, "A", "^A A# B\r\n", -3}, {{ByKey, 1}, "A#", "^A# B C\r\n", -2}, {{ByKey, 2}, "Bb", "^Bb B C\r\n", -2}, {{ByKey, 3}, "B", "^B C C#\r\n", -1}, {{ByKey, 4}, "C", "^C Db D\r\n", 0}, {{ByKey, 5}, "C#", "^C# D D#\r\n", 1},
    {{ByKey, 6}, "Db", "^Db D Eb\r\n", 1}, {{ByKey, 7}, "D", "^D D# E\r\n", 2}, {{ByKey, 8}, "D#", "^D# E F\r\n", 3}, {{ByKey, 9}, "Eb", "^Eb E F\r\n", 3}, {{ByKey, 10}, "E", "^E F F#\r\n", 4}, {{ByKey, 11}, "F", "^F Gb G\r\n", 5},
    {{ByKey, 12}, "F#", "^F# G G#\r\n", 6}, {{ByKey, 13}, "Gb", "^Gb G Ab\r\n", 6}, {{ByKey, 14}, "G", "^G G# A\r\n", 7}, {{ByKey, 15}, "G#", "^G# A A#\r\n", 8}, {{ByKey, 16}, "Ab", "^Ab A Bb\r\n", 8}, {{ByStep, 0}, "Db", "^Db D Eb\r\n", 1},
    {{ByStep, 1}, "D", "^D Eb E\r\n", 2}, {{ByStep, 2}, "Eb", "^Eb E F\r\n", 3}, {{ByStep, 3}, "E", "^E F Gb\r\n", 4}, {{ByStep, 4}, "F", "^F Gb G\r\n", 5}, {{ByStep, 5}, "Gb", "^Gb G Ab\r\n", 6}, {{ByStep, 6}, "G", "^G Ab A\r\n", 7},
    {{ByStep, 7}, "Ab", "^Ab A Bb\r\n", 8}, {{ByStep, 8}, "A", "^A Bb B\r\n", 9}, {{ByStep, 9}, "Bb", "^Bb B C\r\n", 10}, {{ByStep, 10}, "B", "^B C Db\r\n", 11}, {{ByStep, 11}, "B", "^B C Db\r\n", -1}, {{ByStep, 12}, "Bb", "^Bb B C\r\n", -2},
    {{ByStep, 13}, "A", "^A Bb B\r\n", -3}, {{ByStep, 14}, "Ab", "^Ab A Bb\r\n", -4}, {{ByStep, 15}, "G", "^G Ab A\r\n", -5}, {{ByStep, 16}, "Gb", "^Gb G Ab\r\n", -6}, {{ByStep, 17}, "F", "^F Gb G\r\n", -7}, {{ByStep, 18}, "E", "^E F Gb\r\n", -8},
    {{ByStep, 19}, "Eb", "^Eb E F\r\n", -9}, {{ByStep, 20}, "D", "^D Eb E\r\n", -10}, {{ByStep, 21}, "Db", "^Db D Eb\r\n", -11},
    {{ByKey, kD}, "D", "la\r\n", 0, "la"}, {{ByStep, 10}, "B", "la\r\n", 11, "la"},
    {{KeyToFiguredBass}, "", "^I bII II\r\n", -3}, {{KeyToFiguredBass}, "", "la\r\n", std::nullopt, "la"},
};
// clang-format on

TEST(Runs, EveryListRowGivesItsKeyAndStep) {
    for (const ListRowCase& row : kListRows) {
        SCOPED_TRACE(std::string(kModeNames[int(row.window.mode)]) + ", row " +
                     std::to_string(row.window.row) + ", over " + row.sheet);
        const TempFolder folder;
        folder.Write("Song_C.text", row.sheet);  // the output is a .txt even when in C
        const ModGlobals run = RunOnce(row.window, folder, "Song_C.text").globals;
        EXPECT_EQ(ReadBytes(folder.Path("Song_" + row.key + ".txt")), row.converted);
        EXPECT_EQ(run.StepSemitones, row.step);
    }
}

}  // namespace
}  // namespace lw
