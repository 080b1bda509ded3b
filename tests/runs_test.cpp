// Whole runs through plan and execute, from the path the dialog gives to the file written:
// what each mode writes and refuses, and what broken disks, changing inputs and permissions do.
// An output is complete or absent, an old output survives every failure, nothing private leaks.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>

#include "FaultyFileSystem.h"
#include "RecordingHost.h"
#include "TempFolder.h"
#include "convert/RunPlan.h"

namespace lw {
namespace {

using namespace std::string_literals;
using namespace test;

constexpr ConvertMode kByKey = ConvertMode::ByKey, kByStep = ConvertMode::ByStep,
                      kFromFiguredBass = ConvertMode::FiguredBassToKey,
                      kToFiguredBass = ConvertMode::KeyToFiguredBass;

// The window as a run finds it: a mode; for By Key and Figured Bass to Key the key row chosen
// (-1: a step was chosen instead), for By Step the step row; the sharp or flat preference; and
// the chord-line marker of the configuration file.
struct Window {
    ConvertMode mode;
    int row = -1;
    Spelling preference = Spelling::Flat;
    std::string marker = "^";
    SheetFormat format = SheetFormat::Auto;
};

struct Outcome {
    bool written = false;
    ModGlobals globals;
    RecordingHost host;
};

// Plans and executes one run on folder/input as File, Open does; "{dir}" in a message stands
// for the folder. The host may cancel or act at a progress report.
Outcome RunOnce(const Window& window, const TempFolder& folder, const std::string& input,
                FileSystem& fs = SystemFileSystem(), std::size_t cancelAt = SIZE_MAX,
                std::function<void()> onProgress = {}) {
    Outcome outcome;
    outcome.host.folder = folder.Path("");
    outcome.host.cancelAt = cancelAt;
    outcome.host.onProgress = std::move(onProgress);
    ModGlobals& globals = outcome.globals;
    globals.ConvertMode = window.mode;
    globals.ChordLineMarker = window.marker;
    RunChoices choices{ShownList::Key, std::nullopt, window.preference, window.format};
    if (window.mode == kToFiguredBass) {
        choices.visibleList = ShownList::None;
    } else if (window.mode == kByStep || window.row < 0) {
        if (window.mode == kByStep) choices.visibleList = ShownList::Step;
        lstStep_Click(globals, std::max(window.row, 0));
    } else {
        choices.keyIndex = window.row;
        lstKey_Click(globals);
    }
    ShowingFailures(outcome.host, [&] {
        const std::optional<RunPlan> plan =
            PlanRun(globals, choices, folder.Path(input), outcome.host, fs);
        OutputSet output(fs);
        if (!plan || !ExecutePlan(*plan, globals, outcome.host, output, fs)) return;
        const std::vector<OutputSet::Failure> failures = output.Publish();
        for (const OutputSet::Failure& failure : failures) outcome.host.ShowMessage(failure.message);
        outcome.written = failures.empty();
    });
    return outcome;
}

constexpr int kBb = 2, kC = 4, kD = 7;  // rows of the key list

struct RunCase {
    const char* name;
    Window window;
    std::string input, sheet;      // a file name in the folder, and its bytes
    std::string output, expected;  // the file written and its bytes; none when empty
    Texts messages = {};
    std::string symlinkAt = {}, hardLinkAt = {};  // another name of the input
};

// clang-format off
const RunCase kRuns[] = {
    {"By Key from Ab to C", {kByKey, kC},
     "Another Ewe_Ab.txt", "^Ab Fm7 Db/Eb\r\nla la\r\n", "Another Ewe_C.txt", "^C Am7 F/G\r\nla la\r\n"},
    {"By Key keeps a minor key minor", {kByKey, 0}, "Song_Em.txt", "^Em D", "Song_F#m.txt", "^F#m E\r\n"},
    {"By Key to the same pitch respells", {kByKey, 12},
     "Song_Gb.txt", "^Gb Ebm Db7/Ab", "Song_F#.txt", "^F# D#m C#7/G#\r\n"},
    {"By Step up a whole step with sharps", {kByStep, 1, Spelling::Sharp},
     "Night_Dm.txt", "^Dm A7 Bb", "Night_Em.txt", "^Em B7 C\r\n"},
    {"By Step cuts the name at its own extension, not at a folder's dot", {kByStep, 11},
     "A_.B/Tune_C.text", "^C  F", "A_.B/Tune_B.txt", "^B  E\r\n"},
    {"a three-character minor key", {kByKey, kC}, "Song_Abm.txt", "^Abm", "Song_Am.txt", "^Am\r\n"},
    {"a name that is only its key", {kByKey, kD}, "C.txt", "^C", "D.txt", "^D\r\n"},
    {"every line end becomes CR LF, every other byte stays", {kByKey, kD},
     "Tune_C.txt", "a\rb\nc\r\n\0\xff\r\r\n^C"s, "Tune_D.txt", "a\r\nb\r\nc\r\n\0\xff\r\n\r\n^D\r\n"s},
    {"an empty sheet gives an empty output", {kByKey, kD}, "Tune_C.txt", "", "Tune_D.txt", ""},
    {"a marker of two characters matches no line", {kByKey, kD, Spelling::Flat, "^^"},
     "Tune_C.txt", "^^C\r\n^C", "Tune_D.txt", "^^C\r\n^C\r\n"},
    {"an empty marker matches only empty lines", {kByKey, kD, Spelling::Flat, ""},
     "Tune_C.txt", "C\r\n\r\n^C", "Tune_D.txt", "C\r\n\r\n^C\r\n"},
    {"another marker", {kByKey, kD, Spelling::Flat, "!"}, "Tune_C.txt", "!C\r\n^C", "Tune_D.txt", "!D\r\n^C\r\n"},
    {"Key to Figured Bass counts a minor key from its relative major", {kToFiguredBass},
     "Medication_F#m.txt", "^F#m Bm C#7\r\n^", "Medication_.txt", "^VIm IIm III7\r\n^\r\n"},
    {"Figured Bass to Key", {kFromFiguredBass, kBb}, "Ewe_.txt", "^I  IV/V  bVII7", "Ewe_Bb.txt", "^Bb  Eb/F  Ab7\r\n"},
    {"a token that is no degree becomes the tonic", {kFromFiguredBass, kC}, "Song_.txt", "^V13/b9", "Song_C.txt",
     "^G13/C9\r\n", {"ERROR! Code not found, GetCodeFromChordRoman(), b"}},
    {"no dot", {kByKey, kC}, "Song", "^C", "", "", {"ERROR! '.' not found in input filename..."}},
    {"no key", {kByKey, kC}, "Song_Cb.txt", "^C", "", "", {"ERROR! Key not found in input filename..."}},
    {"no key in a figured-bass name", {kToFiguredBass}, "Song_.txt", "^C", "", "", {"ERROR! Key not found in input filename..."}},
    {"a key that would start before the name", {kToFiguredBass}, "m.txt", "^C", "", "",
     {"Key starts before the file name, GetKeyCodeFromFilename()"}},
    {"a missing input is opened before its key is read", {kByKey, kC}, "Missing", "", "", "",
     {"Cannot open the input file {dir}/Missing: No such file or directory"}},
    {"no underscore before the dot", {kFromFiguredBass, kC}, "Song_C.txt", "^I", "", "",
     {"Not a proper Figured Bass filename!!"}},
    {"a folder's underscore and dot do not count", {kFromFiguredBass, kC}, "A_.B/Song", "^I", "", "",
     {"Not a proper Figured Bass filename!!"}},
    {"the output would be the input", {kByKey, kC}, "Song_C.txt", "^C", "", "",
     {"ERROR! Input and Output Filenames are the same..."}},
    {"the output is a symbolic link to the input", {kByKey, kD}, "Song_C.txt", "^C", "", "",
     {"ERROR! Input and Output Filenames are the same..."}, "Song_D.txt"},
    {"the output is a hard link to the input", {kByKey, kD}, "Song_C.txt", "^C", "", "",
     {"ERROR! Input and Output Filenames are the same..."}, "", "Song_D.txt"},
    {"no key row selected after a step was chosen", {kByKey}, "Song_C.txt", "^C", "", "",
     {"Subscript out of range: no key is selected"}},
    {"ChordPro: the key of the name; the extension and line ends kept", {kByKey, kD},
     "Song_G.cho", "{key: G}\n[G]la\r[D7]", "Song_D.cho", "{key: D}\n[D]la\r[A7]"},
    {"ChordPro: the key of the directive, minor", {kByKey, kD}, "Song.CHO", "{key: Em}\r\n[Em]", "Song_Bm.CHO", "{key: Bm}\r\n[Bm]"},
    {"ChordPro: the name and the directive spell one key", {kByKey, kD}, "Song_Gb.pro", "{key: F#}\n[F#]", "Song_D.pro", "{key: D}\n[D]"},
    {"ChordPro: the name and the directive differ", {kByKey, kD}, "Song_G.cho", "{key: Em}", "", "",
     {"ERROR! The key in the filename and the {key} directive differ..."}},
    {"ChordPro: no key anywhere", {kByKey, kD}, "My_Song.crd", "[C]", "", "", {"ERROR! Key not found in input filename or {key} directive..."}},
    {"ChordPro: a directive that names no key", {kToFiguredBass}, "Song_G.chopro", "[G]\n{key: H}", "", "",
     {"ERROR! Key not found in input filename or {key} directive..."}},
    {"ChordPro: a later directive that names no key", {kByStep, 1}, "Song_G.cho", "[G]\n{key: H}", "", "",
     {"ERROR! Key not found in input filename or {key} directive..."}},
    {"ChordPro: By Step needs no key and names the output by its step", {kByStep, 1}, "Song.chordpro", "[C]la", "Song_+2.chordpro", "[D]la"},
    {"ChordPro: down by a step", {kByStep, 13}, "Song_.cho", "[C]", "Song_-3.cho", "[A]"},
    {"ChordPro: to figured bass keeps the key directives", {kToFiguredBass}, "Song.cho",
     "{key: G}\n[G] [D7]\n{key: A}\n[A]", "Song_.cho", "{key: G}\n[I] [V7]\n{key: A}\n[II]"},
    {"ChordPro: from figured bass the first directive is the key, a modulation keeps its distance",
     {kFromFiguredBass, kBb}, "Song_.cho", "{key: G}\n[I] [V7]\n{key: A}\n[II]", "Song_Bb.cho",
     "{key: Bb}\n[Bb] [F7]\n{key: C}\n[C]"},
    {"ChordPro read from a .txt", {kByKey, kD, Spelling::Flat, "^", SheetFormat::ChordPro}, "Song_C.txt", "^C [C]", "Song_D.txt", "^C [D]"},
    {"a .cho read as a lead sheet", {kByKey, kD, Spelling::Flat, "^", SheetFormat::LeadSheet}, "Song_C.cho", "^C [C]", "Song_D.txt", "^D [D]\r\n"},
};
// clang-format on

TEST(Runs, WriteTheConvertedSheetOrSayWhyNot) {
    for (const RunCase& c : kRuns) {
        const TempFolder folder;
        std::filesystem::create_directory(folder.Path("A_.B"));
        std::set<std::string> names{"A_.B", c.input.substr(0, c.input.find('/'))};
        if (c.input == "Missing") names.erase("Missing");
        if (c.input != "Missing") folder.Write(c.input, c.sheet);
        for (const std::string& link : {c.symlinkAt, c.hardLinkAt}) {
            if (link.empty()) continue;
            if (link == c.symlinkAt) std::filesystem::create_symlink(c.input, folder.Path(link));
            if (link == c.hardLinkAt)
                std::filesystem::create_hard_link(folder.Path(c.input), folder.Path(link));
            names.insert(link);
        }
        const Outcome outcome = RunOnce(c.window, folder, c.input);
        EXPECT_EQ(outcome.host.messages, c.messages) << c.name;
        EXPECT_EQ(outcome.written, !c.output.empty()) << c.name;
        if (outcome.written) {
            EXPECT_EQ(ReadBytes(folder.Path(c.output)), c.expected) << c.name;
            names.insert(c.output.substr(0, c.output.find('/')));
        }
        EXPECT_EQ(folder.Names(), names) << c.name;  // nothing else, no temporary file
    }
}

// Every key a file name may carry is the tonic of its sheet: a major key's own chord is I, a
// minor key's is VIm of its relative major.
TEST(Runs, EveryKeyOfAFileNameIsItsOwnTonic) {
    const char* const keys[] = {"A",   "A#", "Bb",  "B",   "C",  "C#",  "Db", "D",   "D#",
                                "Eb",  "E",  "F",   "F#",  "Gb", "G",   "G#", "Ab",  "Gbm",
                                "Gm",  "G#m", "Abm", "Am", "A#m", "Bbm", "Bm", "Cm", "C#m",
                                "Dbm", "Dm", "D#m", "Ebm", "Em", "Fm",  "F#m"};
    const TempFolder folder;
    for (const std::string key : keys) {
        folder.Write("Song_" + key + ".txt", "^" + key);
        RunOnce({kToFiguredBass}, folder, "Song_" + key + ".txt");
        EXPECT_EQ(ReadBytes(folder.Path("Song_.txt")), key.ends_with('m') ? "^VIm\r\n" : "^I\r\n")
            << key;
    }
}

// Only Key to Figured Bass needs no key or step chosen before File, Open.
TEST(Runs, OnlyKeyToFiguredBassStartsWithNothingChosen) {
    std::string started;
    for (const ConvertMode mode : {kByKey, kByStep, kFromFiguredBass, kToFiguredBass}) {
        ModGlobals globals;
        globals.ConvertMode = mode;
        RecordingHost host;
        started += CheckSelection(globals, host) ? "yes " : host.messages.at(0) + " ";
    }
    EXPECT_EQ(started, "ERROR! Select an output key or interval... ERROR! Select an output key or "
                       "interval... ERROR! Select an output key or interval... yes ");
}

// By Key from C (from D to C itself) to every row of the key list, and By Step from C by every
// row of the step list: each key row spells its black keys its own way, each step its interval.
TEST(Runs, EveryKeyAndStepRowGivesItsKey) {
    // clang-format off
    const char* const scales[] = {
        "A: A A# B C C# D D# E F F# G G#",        "A#: A# B C C# D D# E F F# G G# A",
        "Bb: Bb B C Db D Eb E F Gb G Ab A",       "B: B C C# D D# E F F# G G# A A#",
        "C: C Db D Eb E F Gb G Ab A Bb B",        "C#: C# D D# E F F# G G# A A# B C",
        "Db: Db D Eb E F Gb G Ab A Bb B C",       "D: D D# E F F# G G# A A# B C C#",
        "D#: D# E F F# G G# A A# B C C# D",       "Eb: Eb E F Gb G Ab A Bb B C Db D",
        "E: E F F# G G# A A# B C C# D D#",        "F: F Gb G Ab A Bb B C Db D Eb E",
        "F#: F# G G# A A# B C C# D D# E F",       "Gb: Gb G Ab A Bb B C Db D Eb E F",
        "G: G G# A A# B C C# D D# E F F#",        "G#: G# A A# B C C# D D# E F F# G",
        "Ab: Ab A Bb B C Db D Eb E F Gb G",
    };
    // clang-format on
    const TempFolder folder;
    folder.Write("Song_C.txt", "^C C# D D# E F F# G G# A A# B");
    folder.Write("Song_D.txt", "^D D# E F F# G G# A A# B C C#");
    for (int row = 0; row < 17; ++row) {
        const std::string_view scale = scales[row];
        const std::string key(scale.substr(0, scale.find(':')));
        RunOnce({kByKey, row}, folder, key == "C" ? "Song_D.txt" : "Song_C.txt");
        EXPECT_EQ(ReadBytes(folder.Path("Song_" + key + ".txt")),
                  "^" + std::string(scale.substr(key.size() + 2)) + "\r\n");
    }
    std::string steps;
    for (int row = 0; row < 22; ++row) {
        const Outcome outcome = RunOnce({kByStep, row}, folder, "Song_C.txt");
        const std::string bytes =
            ReadBytes(folder.Path("Song_" + outcome.globals.OutputKeyName + ".txt"));
        steps += bytes.substr(1, bytes.find(' ') - 1) +  // the first chord
                 std::to_string(*outcome.globals.StepSemitones) + " ";
    }
    EXPECT_EQ(steps, "Db1 D2 Eb3 E4 F5 Gb6 G7 Ab8 A9 Bb10 B11 B-1 Bb-2 A-3 Ab-4 G-5 Gb-6 F-7 E-8 "
                     "Eb-9 D-10 Db-11 ");
}

// A long run reports its progress: Cancel there, or another program changing the input at the
// same size, writes nothing and leaves nothing behind.
TEST(Runs, CancelOrAnInputChangedMeanwhileWritesNothing) {
    const TempFolder folder;
    std::string sheet;
    while (sheet.size() < (3 << 20)) sheet += "la la la la la la la la la la la la la la\r\n";
    const std::string input = folder.Write("Big_C.txt", sheet);
    EXPECT_EQ(RunOnce({kByKey, kD}, folder, "Big_C.txt", SystemFileSystem(), 1).host.messages,
              Texts{});
    const auto touch = [&] {
        const timespec times[2] = {{0, UTIME_OMIT}, {12345, 0}};
        utimensat(AT_FDCWD, input.c_str(), times, 0);
    };
    EXPECT_EQ(
        RunOnce({kByKey, kD}, folder, "Big_C.txt", SystemFileSystem(), SIZE_MAX, touch)
            .host.messages,
        Texts{"Cannot read the input file {dir}/Big_C.txt: the file changed while it was read"});
    EXPECT_EQ(folder.Names(), std::set<std::string>{"Big_C.txt"});
}

const Window kToD{kByKey, kD};  // By Key, "D (Bm)"
const std::string kSheet = "Title\r\n^C Am7 F/G\r\nla la la\r\n^Dm7 G7 C\r\n";
const std::set<std::string> kBoth{"Song_C.txt", "Song_D.txt"};

// A folder with the sheet Song_C.txt and an old output Song_D.txt.
struct Songs : TempFolder {
    Songs() {
        Write("Song_C.txt", kSheet);
        Write("Song_D.txt", "the old output");
    }
};

TEST(FileFaults, KeepTheOldOutputAndLeaveNothingBehind) {
    // clang-format off
    const std::pair<void (*)(FaultyFileSystem&), const char*> faults[] = {
        {[](FaultyFileSystem& fs) { fs.writeFailsAfter = 20; }, "Cannot write the output file {dir}/Song_D.txt: No space left on device"},
        {[](FaultyFileSystem& fs) { fs.readFailsAfter = 9; }, "Cannot read the input file {dir}/Song_C.txt: Input/output error"},
        {[](FaultyFileSystem& fs) { fs.readEndsAfter = 9; }, "Cannot read the input file {dir}/Song_C.txt: the file changed while it was read"},
        {[](FaultyFileSystem& fs) { fs.createError = EROFS; }, "Cannot create the output file {dir}/Song_D.txt: Read-only file system"},
    };
    // clang-format on
    for (const auto& [breakIt, message] : faults) {
        const Songs folder;
        FaultyFileSystem fs;
        breakIt(fs);
        EXPECT_EQ(RunOnce(kToD, folder, "Song_C.txt", fs).host.messages, Texts{message});
        EXPECT_EQ(ReadBytes(folder.Path("Song_D.txt")), "the old output") << message;
        EXPECT_EQ(ReadBytes(folder.Path("Song_C.txt")), kSheet) << message;
        EXPECT_EQ(folder.Names(), kBoth) << message;
    }
}

TEST(FileFaults, AnOutputNameThatCannotBeUsedIsRefusedBeforeReading) {
    const TempFolder folder;
    folder.Write("Song_C.txt", kSheet);
    std::filesystem::create_directory(folder.Path("Song_D.txt"));
    FaultyFileSystem noReading;  // a read would fail with its own message
    noReading.readFailsAfter = 0;
    EXPECT_EQ(RunOnce(kToD, folder, "Song_C.txt", noReading).host.messages,
              Texts{"Cannot save the output file {dir}/Song_D.txt: Is a directory"});

    const std::string name(249, 'x');  // 255 characters with "_C.txt"; "_Db.txt" is one more
    folder.Write(name + "_C.txt", kSheet);
    EXPECT_EQ(RunOnce({kByKey, 6}, folder, name + "_C.txt").host.messages,
              Texts{"Cannot save the output file {dir}/" + name + "_Db.txt: File name too long"});
}

}  // namespace
}  // namespace lw
