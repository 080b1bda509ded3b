// Whole runs through plan and execute, from the path the dialog gives to the file written:
// what each mode writes and refuses, and what broken disks, changing inputs and permissions do.
// An output is complete or absent, an old output survives every failure, nothing private leaks.

#include <gtest/gtest.h>

#include <filesystem>

#include "FaultyFileSystem.h"
#include "RecordingHost.h"
#include "TempFolder.h"
#include "convert/RunPlan.h"
#include "io/FileError.h"

namespace lw {
namespace {

using namespace std::string_literals;
using namespace test;

// The window as a run finds it: a mode (0 By Key, 1 By Step, 2 Figured Bass to Key, 3 Key to
// Figured Bass); in modes 0 and 2 the key row chosen (-1: a step was chosen instead), in mode 1
// the step row; and the sharp or flat preference.
struct Window {
    int mode;
    int row = -1;
    Spelling preference = Spelling::Flat;
};

struct Outcome {
    bool written = false;
    ModGlobals globals;
    RecordingHost host;
};

// Plans and executes one run on folder/input; "{dir}" in a message stands for the folder.
Outcome RunOnce(const Window& window, const TempFolder& folder, const std::string& input,
                FileSystem& fs = SystemFileSystem()) {
    Outcome outcome;
    outcome.host.folder = folder.Path("");
    ModGlobals& globals = outcome.globals;
    globals.ConvertMode = window.mode;
    RunChoices choices{ShownList::Key, std::nullopt, window.preference};
    if (window.mode == 3) {
        choices.visibleList = ShownList::None;
    } else if (window.mode == 1 || window.row < 0) {
        if (window.mode == 1) choices.visibleList = ShownList::Step;
        lstStep_Click(globals, std::max(window.row, 0));
    } else {
        choices.keyIndex = window.row;
        lstKey_Click(globals);
    }
    try {
        std::optional<RunPlan> plan =
            PlanRun(globals, choices, folder.Path(input), outcome.host, fs);
        outcome.written = plan && ExecutePlan(*plan, globals, outcome.host, fs);
    } catch (const FileError& failure) {
        outcome.host.ShowMessage(failure.what());
    }
    return outcome;
}

constexpr int kBb = 2, kC = 4, kD = 7;  // rows of the key list

struct RunCase {
    const char* name;
    Window window;
    std::string input, sheet;      // a file name in the folder, and its bytes
    std::string output, expected;  // the file written and its bytes; none when empty
    Texts messages = {};
};

// clang-format off
const RunCase kRuns[] = {
    {"By Key from Ab to C", {0, kC},
     "Another Ewe_Ab.txt", "^Ab Fm7 Db/Eb\r\nla la\r\n", "Another Ewe_C.txt", "^C Am7 F/G\r\nla la\r\n"},
    {"By Key keeps a minor key minor", {0, 0}, "Song_Em.txt", "^Em D", "Song_F#m.txt", "^F#m E\r\n"},
    {"By Key to the same pitch respells", {0, 12},
     "Song_Gb.txt", "^Gb Ebm Db7/Ab", "Song_F#.txt", "^F# D#m C#7/G#\r\n"},
    {"By Step up a whole step with sharps", {1, 1, Spelling::Sharp},
     "Night_Dm.txt", "^Dm A7 Bb", "Night_Em.txt", "^Em B7 C\r\n"},
    {"By Step cuts the name at its own extension, not at a folder's dot", {1, 11},
     "A_.B/Tune_C.text", "^C  F", "A_.B/Tune_B.txt", "^B  E\r\n"},
    {"a three-character minor key", {0, kC}, "Song_Abm.txt", "^Abm", "Song_Am.txt", "^Am\r\n"},
    {"every line end becomes CR LF, every other byte stays", {0, kD},
     "Tune_C.txt", "a\rb\nc\r\n\0\xff\r\r\n^C"s, "Tune_D.txt", "a\r\nb\r\nc\r\n\0\xff\r\n\r\n^D\r\n"s},
    {"an empty sheet gives an empty output", {0, kD}, "Tune_C.txt", "", "Tune_D.txt", ""},
    {"Key to Figured Bass counts a minor key from its relative major", {3},
     "Medication_F#m.txt", "^F#m Bm C#7\r\n^", "Medication_.txt", "^VIm IIm III7\r\n^\r\n"},
    {"Figured Bass to Key", {2, kBb}, "Ewe_.txt", "^I  IV/V  bVII7", "Ewe_Bb.txt", "^Bb  Eb/F  Ab7\r\n"},
    {"a token that is no degree becomes the tonic", {2, kC}, "Song_.txt", "^V13/b9", "Song_C.txt",
     "^G13/C9\r\n", {"ERROR! Code not found, GetCodeFromChordRoman(), b"}},
    {"no dot", {0, kC}, "Song", "^C", "", "", {"ERROR! '.' not found in input filename..."}},
    {"no key", {0, kC}, "Song_Cb.txt", "^C", "", "", {"ERROR! Key not found in input filename..."}},
    {"no key in a figured-bass name", {3}, "Song_.txt", "^C", "", "", {"ERROR! Key not found in input filename..."}},
    {"a key that would start before the name", {3}, "m.txt", "^C", "", "",
     {"Key starts before the file name, GetKeyCodeFromFilename()"}},
    {"a missing input is opened before its key is read", {0, kC}, "Missing", "", "", "",
     {"Cannot open the input file {dir}/Missing: No such file or directory"}},
    {"no underscore before the dot", {2, kC}, "Song_C.txt", "^I", "", "",
     {"Not a proper Figured Bass filename!!"}},
    {"a folder's underscore and dot do not count", {2, kC}, "A_.B/Song", "^I", "", "",
     {"Not a proper Figured Bass filename!!"}},
    {"the output would be the input", {0, kC}, "Song_C.txt", "^C", "", "",
     {"ERROR! Input and Output Filenames are the same..."}},
    {"no key row selected after a step was chosen", {0}, "Song_C.txt", "^C", "", "",
     {"Subscript out of range: no key is selected"}},
};
// clang-format on

TEST(Runs, WriteTheConvertedSheetOrSayWhyNot) {
    for (const RunCase& c : kRuns) {
        const TempFolder folder;
        std::filesystem::create_directory(folder.Path("A_.B"));
        std::set<std::string> names{"A_.B", c.input.substr(0, c.input.find('/'))};
        if (c.input == "Missing") names.erase("Missing");
        if (c.input != "Missing") folder.Write(c.input, c.sheet);
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

// By Key from C to every row of the key list: each row spells its black keys its own way.
TEST(Runs, EveryKeyRowSpellsItsOwnScale) {
    // clang-format off
    const char* const scales[] = {
        "A: A B C# D E F# G#",    "A#: A# C D D# F G A",    "Bb: Bb C D Eb F G A",
        "B: B C# D# E F# G# A#",  "C: ",                    "C#: C# D# F F# G# A# C",
        "Db: Db Eb F Gb Ab Bb C", "D: D E F# G A B C#",     "D#: D# F G G# A# C D",
        "Eb: Eb F G Ab Bb C D",   "E: E F# G# A B C# D#",   "F: F G A Bb C D E",
        "F#: F# G# A# B C# D# F", "Gb: Gb Ab Bb B Db Eb F", "G: G A B C D E F#",
        "G#: G# A# C C# D# F G",  "Ab: Ab Bb C Db Eb F G",
    };
    // clang-format on
    const TempFolder folder;
    folder.Write("Song_C.txt", "^C D E F G A B");
    for (int row = 0; row < 17; ++row) {
        const std::string_view scale = scales[row];
        const std::string key(scale.substr(0, scale.find(':')));
        const Outcome outcome = RunOnce({0, row}, folder, "Song_C.txt");
        if (key == "C") continue;  // refused: the output would be the input
        EXPECT_EQ(ReadBytes(folder.Path("Song_" + key + ".txt")),
                  "^" + std::string(scale.substr(key.size() + 2)) + "\r\n");
        EXPECT_EQ(outcome.globals.StepSemitones, outcome.globals.OutputKeyCode - 3) << key;
    }
}

const Window kToD{0, 7};  // By Key, "D (Bm)"
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
        {[](FaultyFileSystem& fs) { fs.writeFailsAfter = 0; }, "Cannot write the output file {dir}/Song_D.txt: No space left on device"},
        {[](FaultyFileSystem& fs) { fs.writeFailsAfter = 20; }, "Cannot write the output file {dir}/Song_D.txt: No space left on device"},
        {[](FaultyFileSystem& fs) { fs.readFailsAfter = 9; }, "Cannot read the input file {dir}/Song_C.txt: Input/output error"},
        {[](FaultyFileSystem& fs) { fs.readEndsAfter = 9; }, "Cannot read the input file {dir}/Song_C.txt: the file changed while it was read"},
        {[](FaultyFileSystem& fs) { fs.fsyncError = EIO; }, "Cannot write the output file {dir}/Song_D.txt: Input/output error"},
        {[](FaultyFileSystem& fs) { fs.closeError = EDQUOT; }, "Cannot write the output file {dir}/Song_D.txt: Disk quota exceeded"},
        {[](FaultyFileSystem& fs) { fs.renameError = EACCES; }, "Cannot save the output file {dir}/Song_D.txt: Permission denied"},
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
    EXPECT_EQ(RunOnce({0, 6}, folder, name + "_C.txt").host.messages,
              Texts{"Cannot save the output file {dir}/" + name + "_Db.txt: File name too long"});
}

}  // namespace
}  // namespace lw
