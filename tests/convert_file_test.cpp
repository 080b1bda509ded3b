#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "TempFolder.h"
#include "bench/ConvertFileCommand.h"
#include "bench/LeadSheetGenerator.h"

namespace lw {
namespace {

using test::ReadBytes;
using test::TempFolder;

struct Outcome {
    int status;
    std::string messages;
};

Outcome ConvertFile(const std::vector<std::string>& args) {
    const std::vector<std::string_view> views(args.begin(), args.end());
    std::ostringstream messages;
    const int status = ConvertFileMain(views, messages);
    return {status, messages.str()};
}

const std::string kUsageLine = std::string(kConvertFileUsage) + "\n";

TEST(ConvertFileArgs, AnythingOffTheUsageLineExitsTwoWithTheUsage) {
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"by-key"},
        {"by-key", "Song_C.txt"},
        {"by-key", "17", "Song_C.txt"},
        {"by-key", "-1", "Song_C.txt"},
        {"by-key", "7x", "Song_C.txt"},
        {"by-key", "", "Song_C.txt"},
        {"by-key", "7", "Song_C.txt", "extra"},
        {"by-step", "22", "#", "Song_C.txt"},
        {"by-step", "0", "sharp", "Song_C.txt"},
        {"by-step", "0", "Song_C.txt"},
        {"to-figured-bass"},
        {"to-figured-bass", "4", "Song_C.txt"},
        {"from-figured-bass", "Song_.txt"},
        {"from-figured-bass", "17", "Song_.txt"},
        {"transpose", "7", "Song_C.txt"},
        {"--marker"},
        {"--marker", "*"},
        {"--colour", "red", "by-key", "7", "Song_C.txt"},
        {"by-key", "7", "Song_C.txt", "--marker", "*"},
    };
    for (const auto& args : cases) {
        const Outcome outcome = ConvertFile(args);
        EXPECT_EQ(outcome.status, 2) << ::testing::PrintToString(args);
        EXPECT_EQ(outcome.messages, kUsageLine) << ::testing::PrintToString(args);
    }
}

struct Conversion {
    std::vector<std::string> options;  // everything before the input path
    std::string inputName;
    std::string input;
    std::string outputName;
    std::string output;
};

TEST(ConvertFile, WritesTheConvertedSheetBesideTheInput) {
    const std::vector<Conversion> cases = {
        {{"by-key", "7"},
         "Tune_C.txt",
         "Title\n^C Am7 F/G Bb\nla la",
         "Tune_D.txt",
         "Title\r\n^D Bm7 G/A C\r\nla la\r\n"},
        {{"by-step", "0", "b"}, "Song_A.txt", "^A  D\r\n", "Song_Bb.txt", "^Bb  Eb\r\n"},
        {{"by-step", "0", "#"}, "Song_A.txt", "^A  D\r\n", "Song_A#.txt", "^A#  D#\r\n"},
        // "Down 5 1/2", the last row: eleven semitones down.
        {{"by-step", "21", "#"}, "Song_C.txt", "^C/E\r\n", "Song_C#.txt", "^C#/F\r\n"},
        {{"to-figured-bass"}, "Song_Am.txt", "^Am Dm E7\r\n", "Song_.txt", "^VIm IIm III7\r\n"},
        {{"from-figured-bass", "2"},
         "Song_.txt",
         "^I  IV/V  bVII7\r\n",
         "Song_Bb.txt",
         "^Bb  Eb/F  Ab7\r\n"},
        {{"--marker", "*", "--extension", "lead", "by-key", "7"},
         "Tune_C.lead",
         "*C\r\n^C\r\n",
         "Tune_D.lead",
         "*D\r\n^C\r\n"},
    };
    for (const Conversion& c : cases) {
        const TempFolder folder;
        std::vector<std::string> args = c.options;
        args.push_back(folder.Write(c.inputName, c.input));

        const Outcome outcome = ConvertFile(args);

        EXPECT_EQ(outcome.status, 0) << ::testing::PrintToString(args);
        EXPECT_EQ(outcome.messages, "") << ::testing::PrintToString(args);
        EXPECT_EQ(ReadBytes(folder.Path(c.outputName)), c.output) << ::testing::PrintToString(args);
    }
}

TEST(ConvertFile, ARunThatWritesNothingExitsOneWithItsMessages) {
    const TempFolder folder;
    const std::string keyless = folder.Write("Tune_X.txt", "^C\r\n");
    const std::string keyed = folder.Write("Tune_C.txt", "^C\r\n");

    const Outcome noKey = ConvertFile({"by-key", "7", keyless});
    const Outcome notFiguredBass = ConvertFile({"from-figured-bass", "7", keyed});

    EXPECT_EQ(noKey.status, 1);
    EXPECT_EQ(noKey.messages, "ERROR! Key not found in input filename...\n");
    EXPECT_EQ(notFiguredBass.status, 1);
    EXPECT_EQ(notFiguredBass.messages, "Not a proper Figured Bass filename!!\n");
    EXPECT_EQ(folder.Names(), (std::set<std::string>{"Tune_C.txt", "Tune_X.txt"}));
}

TEST(LeadSheetGenerator, TheDegreeSheetIsWhatKeyToFiguredBassMakesOfTheLetterSheet) {
    const TempFolder folder;
    const std::string letters =
        folder.Write("Tune_C.txt", GenerateLeadSheet(200'000, ChordNotation::Letters));

    const Outcome outcome = ConvertFile({"to-figured-bass", letters});

    ASSERT_EQ(outcome.status, 0) << outcome.messages;
    EXPECT_EQ(ReadBytes(folder.Path("Tune_.txt")),
              GenerateLeadSheet(200'000, ChordNotation::Degrees));
}

}  // namespace
}  // namespace lw
