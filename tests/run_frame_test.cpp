// Whole runs, file in and file out, through the same entry point the window calls.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "ScriptedRunHost.h"
#include "TempFolder.h"
#include "convert/RunConversion.h"

namespace lw {
namespace {

using test::kQuestion;
using test::ReadBytes;
using test::ScriptedRunHost;
using test::TempFolder;

constexpr int kByKey = 0, kByStep = 1, kFromFiguredBass = 2, kToFiguredBass = 3;
constexpr int kKeyC = 4, kKeyD = 7, kKeyFSharp = 12, kKeyF = 11, kKeyBb = 2, kKeyA = 0;

class RunTest : public testing::Test {
protected:
    // Chooses a key in the key list, as a click there would.
    void ChooseKey(int index) {
        lstKey_Click(globals);
        host.selectedKey = index;
        host.shownList = ShownList::Key;
    }
    void ChooseStep(int index, Spelling preference) {
        globals.ConvertMode = kByStep;
        lstStep_Click(globals, index);
        host.shownList = ShownList::Step;
        host.preference = preference;
    }
    bool Run(const std::string& path) {
        host.chosenPath = path;
        return RunConversion(globals, host);
    }

    TempFolder folder;
    ModGlobals globals;
    ScriptedRunHost host;
};

TEST_F(RunTest, ByKeyWritesTheNewKeyBesideTheInput) {
    const std::string input =
        folder.Write("Another Ewe_Ab.txt", "Another Ewe\r\n\r\n^Ab Fm7 Db/Eb\r\nla la la\r\n");
    ChooseKey(kKeyC);
    ASSERT_TRUE(Run(input));

    EXPECT_EQ(ReadBytes(folder.Path("Another Ewe_C.txt")),
              "Another Ewe\r\n\r\n^C Am7 F/G\r\nla la la\r\n");
    EXPECT_EQ(host.shown, std::vector<std::string>{kQuestion});
    EXPECT_EQ(host.fields[0], input);
    EXPECT_EQ(host.fields[1], folder.Path("Another Ewe_C.txt"));
    EXPECT_EQ(host.fields[2], "la la la");
    EXPECT_EQ(host.fields[3], "^C Am7 F/G");
    EXPECT_EQ(globals.InputKeyCode, 11);
    EXPECT_FALSE(globals.InputKeyIsMinor);
    EXPECT_EQ(globals.InputKeyLength, 2);
    EXPECT_EQ(globals.OutputKeyCode, 3);
    EXPECT_FALSE(globals.UseSharps);
    EXPECT_EQ(globals.OutputKeyName, "C");
    EXPECT_EQ(globals.StepSemitones, -8);
    EXPECT_EQ(ReadBytes(input), "Another Ewe\r\n\r\n^Ab Fm7 Db/Eb\r\nla la la\r\n");
}

// Runs that write their output: the choice made in the window, the input, what comes out.
struct WrittenCase {
    const char* name;
    int keyIndex;  // a row of the key list, or -1 for a step
    int stepIndex;
    Spelling preference;
    std::string inputName;
    std::string input;
    std::string outputName;
    std::string output;
    std::string marker = "^";
};

class WrittenRun : public RunTest, public testing::WithParamInterface<WrittenCase> {};

TEST_P(WrittenRun, WritesTheConvertedSheetBesideTheInput) {
    const WrittenCase& c = GetParam();
    globals.ChordLineMarker = c.marker;
    if (c.keyIndex >= 0)
        ChooseKey(c.keyIndex);
    else
        ChooseStep(c.stepIndex, c.preference);
    const std::string input = folder.Write(c.inputName, c.input);
    ASSERT_TRUE(Run(input));
    EXPECT_EQ(ReadBytes(folder.Path(c.outputName)), c.output);
    EXPECT_EQ(ReadBytes(input), c.input);
}

constexpr std::string_view kBinary("\0\x01\xFF la\r\n^C\0G \xE9\r\n\0", 17);
constexpr std::string_view kBinaryUpATone("\0\x01\xFF la\r\n^D\0A \xE9\r\n\0\r\n", 19);

WrittenCase ByKey(const char* name, int key, std::string inputName, std::string input,
                  std::string outputName, std::string output, std::string marker = "^") {
    return {name,
            key,
            0,
            Spelling::Flat,
            std::move(inputName),
            std::move(input),
            std::move(outputName),
            std::move(output),
            std::move(marker)};
}
WrittenCase ByStep(const char* name, int step, Spelling preference, std::string inputName,
                   std::string input, std::string outputName, std::string output) {
    return {name,
            -1,
            step,
            preference,
            std::move(inputName),
            std::move(input),
            std::move(outputName),
            std::move(output)};
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WrittenRun,
    testing::Values(
        ByKey("ToASharpKey", kKeyD, "Tune_C.txt", "^C Am7 F/G Bb\r\n", "Tune_D.txt",
              "^D Bm7 G/A C\r\n"),
        ByKey("SamePitchOtherSpellingRespellsEveryBlackKey", kKeyFSharp, "Song_Gb.txt",
              "^Gb Ebm Cb/Db\r\n", "Song_F#.txt", "^F# D#m B/C#\r\n"),
        ByStep("KeepsAMinorKeyMinor", 1, Spelling::Sharp, "SongoftheNight_Dm.txt", "^Dm A7\r\n",
               "SongoftheNight_Em.txt", "^Em B7\r\n"),
        ByKey("FromMinorNamesTheRelativeMinor", kKeyA, "Song_Em.txt", "^Em\r\n", "Song_F#m.txt",
              "^F#m\r\n"),
        ByStep("DownAHalfStep", 11, Spelling::Flat, "Song_C.txt", "^C\r\n", "Song_B.txt", "^B\r\n"),
        ByKey("OutputNameIsCutAtTheRealExtension", kKeyD, "Song_C.text", "^C\r\n", "Song_D.txt",
              "^D\r\n"),
        ByKey("AllLineEndsAreReadAndCrLfIsWritten", kKeyD, "Song_C.txt", "^C\rla\n^G\r\nend",
              "Song_D.txt", "^D\r\nla\r\n^A\r\nend\r\n"),
        ByKey("BinaryBytesPassThrough", kKeyD, "Song_C.txt", std::string(kBinary), "Song_D.txt",
              std::string(kBinaryUpATone)),
        ByKey("EmptyInputGivesAnEmptyOutput", kKeyD, "Song_C.txt", "", "Song_D.txt", ""),
        ByKey("AMarkerOfTwoCharactersMatchesNoLine", kKeyD, "Song_C.txt", "^^C\r\n^C\r\n",
              "Song_D.txt", "^^C\r\n^C\r\n", "^^")),
    [](const testing::TestParamInfo<WrittenCase>& info) { return info.param.name; });

TEST_F(RunTest, OneLongChordLineConverts) {
    std::string line = "^";
    while (line.size() < 50'000'000) line += "C Am7 ";
    const std::string input = folder.Write("Song_C.txt", line + "\r\n");
    ChooseKey(kKeyD);
    ASSERT_TRUE(Run(input));
    const std::string out = ReadBytes(folder.Path("Song_D.txt"));
    ASSERT_EQ(out.size(), line.size() + 2);
    EXPECT_EQ(out.substr(0, 13), "^D Bm7 D Bm7 ");
    EXPECT_EQ(out.substr(out.size() - 8), "D Bm7 \r\n");
}

TEST_F(RunTest, KeyToFiguredBassDropsTheKeyFromTheName) {
    const std::string input = folder.Write("Medication_F#m.txt", "^F#m A/E\r\n");
    globals.ConvertMode = kToFiguredBass;  // needs no selection
    ASSERT_TRUE(Run(input));
    EXPECT_EQ(ReadBytes(folder.Path("Medication_.txt")), "^VIm I/V\r\n");
    EXPECT_EQ(globals.OutputKeyCode, 0);
    EXPECT_FALSE(globals.UseSharps);
    EXPECT_EQ(globals.StepSemitones, 0);  // F#m counts from A, its relative major
}

TEST_F(RunTest, FiguredBassRoundTripComesBackUnchanged) {
    const std::string original = "Title\r\n^F Dm7 Bb C7/E\r\nwords\r\n";
    const std::string input = folder.Write("Song_F.txt", original);
    globals.ConvertMode = kToFiguredBass;
    ASSERT_TRUE(Run(input));
    EXPECT_EQ(ReadBytes(folder.Path("Song_.txt")), "Title\r\n^I VIm7 IV V7/VII\r\nwords\r\n");

    std::filesystem::remove(input);
    globals.ConvertMode = kFromFiguredBass;
    ChooseKey(kKeyF);
    ASSERT_TRUE(Run(folder.Path("Song_.txt")));
    EXPECT_EQ(ReadBytes(folder.Path("Song_F.txt")), original);
}

TEST_F(RunTest, FiguredBassToKeyLeavesItsState) {
    const std::string input = folder.Write("Another Ewe_.txt", "^I  IV/V  bVII7\r\n");
    globals.ConvertMode = kFromFiguredBass;
    ChooseKey(kKeyBb);
    ASSERT_TRUE(Run(input));
    EXPECT_EQ(ReadBytes(folder.Path("Another Ewe_Bb.txt")), "^Bb  Eb/F  Ab7\r\n");
    EXPECT_EQ(globals.InputKeyCode, 0);
    EXPECT_EQ(globals.InputKeyLength, 1);
    EXPECT_EQ(globals.OutputKeyName, "Bb");
    EXPECT_EQ(globals.StepSemitones, 1);
}

// Runs that end before anything is written: what the user sees, in order.
struct RefusedCase {
    const char* name;
    int mode;
    std::string fileName;  // empty: the dialog is cancelled
    bool chooseKey;
    bool answerOk;
    std::vector<std::string> shown;
};

class RefusedRun : public RunTest, public testing::WithParamInterface<RefusedCase> {};

TEST_P(RefusedRun, ShowsItsMessagesAndWritesNothing) {
    const RefusedCase& c = GetParam();
    globals.ConvertMode = c.mode;
    if (c.chooseKey) ChooseKey(kKeyC);
    host.answerOk = c.answerOk;
    std::string input;
    if (!c.fileName.empty()) {
        input = folder.Write(c.fileName, "^C\r\n");
        host.chosenPath = input;
    }
    EXPECT_FALSE(RunConversion(globals, host));
    EXPECT_EQ(host.shown, c.shown);
    EXPECT_EQ(folder.Names().size(), c.fileName.empty() ? 0u : 1u);
    if (!input.empty()) {
        EXPECT_EQ(ReadBytes(input), "^C\r\n");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RefusedRun,
    testing::Values(RefusedCase{"NothingChosenByKey",
                                kByKey,
                                "Song_D.txt",
                                false,
                                true,
                                {"ERROR! Select an output key or interval..."}},
                    RefusedCase{"NothingChosenFromFiguredBass",
                                kFromFiguredBass,
                                "Song_.txt",
                                false,
                                true,
                                {"ERROR! Select an output key or interval..."}},
                    RefusedCase{"DialogCancelled", kByKey, "", true, true, {}},
                    RefusedCase{"NoDotInTheFileName",
                                kByKey,
                                "Song_D",
                                true,
                                true,
                                {"ERROR! '.' not found in input filename..."}},
                    RefusedCase{"NoKeyInTheFileName",
                                kByKey,
                                "Club.txt",
                                true,
                                true,
                                {"ERROR! Key not found in input filename..."}},
                    RefusedCase{"FiguredBassFileGivenToKeyToFiguredBass",
                                kToFiguredBass,
                                "Song_.txt",
                                false,
                                true,
                                {"ERROR! Key not found in input filename..."}},
                    RefusedCase{"SameKeySameName",
                                kByKey,
                                "Song_C.txt",
                                true,
                                true,
                                {"ERROR! Input and Output Filenames are the same..."}},
                    RefusedCase{
                        "QuestionCancelled", kByKey, "Song_D.txt", true, false, {kQuestion}},
                    RefusedCase{"KeyedFileGivenToFiguredBassToKey",
                                kFromFiguredBass,
                                "Song_C.txt",
                                true,
                                true,
                                {"Not a proper Figured Bass filename!!"}}),
    [](const testing::TestParamInfo<RefusedCase>& info) { return info.param.name; });

TEST_F(RunTest, NothingChosenShowsNoDialog) {
    EXPECT_FALSE(Run(folder.Write("Song_C.txt", "")));
    EXPECT_EQ(host.dialogsShown, 0);
}

TEST_F(RunTest, ByKeyWithNoKeySelectedAfterAStep) {
    const std::string input = folder.Write("Song_C.txt", "^C\r\n");
    lstStep_Click(globals, 0);
    host.shownList = ShownList::Key;
    EXPECT_FALSE(Run(input));
    EXPECT_EQ(host.shown, std::vector<std::string>{"Subscript out of range: no key is selected"});
    EXPECT_EQ(folder.Names(), std::set<std::string>{"Song_C.txt"});
}

TEST_F(RunTest, FolderWithUnderscoreDotDoesNotMakeAFiguredBassName) {
    std::filesystem::create_directory(folder.Path("A_.B"));
    const std::string input = folder.Write("A_.B/Song_C.txt", "^I\r\n");
    globals.ConvertMode = kFromFiguredBass;
    ChooseKey(kKeyBb);
    EXPECT_FALSE(Run(input));
    EXPECT_EQ(host.shown, std::vector<std::string>{"Not a proper Figured Bass filename!!"});
}

TEST_F(RunTest, AnExistingOutputIsReplacedAfterTheQuestion) {
    const std::string input = folder.Write("Song_C.txt", "^C\r\n");
    folder.Write("Song_D.txt", "old\r\n");
    ChooseKey(kKeyD);
    ASSERT_TRUE(Run(input));
    EXPECT_EQ(ReadBytes(folder.Path("Song_D.txt")), "^D\r\n");
    EXPECT_EQ(folder.Names(), (std::set<std::string>{"Song_C.txt", "Song_D.txt"}));
}

TEST_F(RunTest, AReplacedOutputKeepsItsPermissions) {
    const std::string input = folder.Write("Song_C.txt", "^C\r\n");
    const std::string output = folder.Write("Song_D.txt", "old\r\n");
    std::filesystem::permissions(
        output, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    ChooseKey(kKeyD);
    ASSERT_TRUE(Run(input));
    EXPECT_EQ(std::filesystem::status(output).permissions(),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
}

TEST_F(RunTest, ALinkToTheInputIsTheSameFile) {
    const std::string input = folder.Write("Song_C.txt", "^C\r\n");
    std::filesystem::create_symlink(input, folder.Path("Song_D.txt"));
    ChooseKey(kKeyD);
    EXPECT_FALSE(Run(input));
    EXPECT_EQ(host.shown,
              std::vector<std::string>{"ERROR! Input and Output Filenames are the same..."});
    EXPECT_EQ(ReadBytes(input), "^C\r\n");
}

TEST_F(RunTest, ALinkAtTheOutputNameIsReplacedNotWrittenThrough) {
    const std::string input = folder.Write("Song_C.txt", "^C\r\n");
    const std::string other = folder.Write("other.txt", "keep\r\n");
    std::filesystem::create_symlink(other, folder.Path("Song_D.txt"));
    ChooseKey(kKeyD);
    ASSERT_TRUE(Run(input));
    EXPECT_FALSE(std::filesystem::is_symlink(folder.Path("Song_D.txt")));
    EXPECT_EQ(ReadBytes(folder.Path("Song_D.txt")), "^D\r\n");
    EXPECT_EQ(ReadBytes(other), "keep\r\n");
}

// Failures of the file system: the message names the file and says why.
TEST_F(RunTest, MissingInput) {
    ChooseKey(kKeyD);
    EXPECT_FALSE(Run(folder.Path("Song_C.txt")));
    EXPECT_EQ(host.shown,
              std::vector<std::string>{"Cannot open the input file " + folder.Path("Song_C.txt") +
                                       ": No such file or directory"});
}

TEST_F(RunTest, FolderChosenAsInput) {
    std::filesystem::create_directory(folder.Path("Song_C.txt"));
    ChooseKey(kKeyD);
    EXPECT_FALSE(Run(folder.Path("Song_C.txt")));
    EXPECT_EQ(host.shown, std::vector<std::string>{"Cannot open the input file " +
                                                   folder.Path("Song_C.txt") + ": Is a directory"});
}

TEST_F(RunTest, OutputNameIsAFolder) {
    const std::string input = folder.Write("Song_C.txt", "^C\r\n");
    std::filesystem::create_directory(folder.Path("Song_D.txt"));
    ChooseKey(kKeyD);
    EXPECT_FALSE(Run(input));
    EXPECT_EQ(host.shown, (std::vector<std::string>{kQuestion, "Cannot save the output file " +
                                                                   folder.Path("Song_D.txt") +
                                                                   ": Is a directory"}));
    EXPECT_EQ(folder.Names(), (std::set<std::string>{"Song_C.txt", "Song_D.txt"}));
}

}  // namespace
}  // namespace lw
