// leadwright-convert's command line: exit codes, --dry-run, keys and steps, usage errors.

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "TempFolder.h"
#include "cli/ConvertArgs.h"
#include "cli/ConvertCommand.h"

namespace lw::test {
namespace {

// Runs the command in a folder of four sheets; gives its status, standard output, standard
// error and the files it wrote, each part after a "|".
std::string Convert(std::vector<std::string_view> args) {
    const TempFolder folder;
    const std::set<std::string> sheets{"A_C.txt", "B_Am.txt", "Notes.txt", "F_.txt"};
    for (const std::string& sheet : sheets) folder.Write(sheet, "^C Am/E\r\n");
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(folder.Path(""));
    std::ostringstream out, messages;
    std::string outcome = std::to_string(ConvertCommandMain(args, out, messages));
    std::filesystem::current_path(before);
    outcome += "|" + out.str() + "|" + messages.str() + "|";
    for (const std::string& name : folder.Names())
        if (!sheets.contains(name)) outcome += name + " ";
    return outcome;
}

TEST(ConvertCommand, ExitsZeroWhenEveryOutputIsWrittenOneWhenAFileIsRefused) {
    EXPECT_EQ(Convert({"by-key", "D", "A_C.txt", "B_Am.txt"}), "0|||A_D.txt B_Bm.txt ");
    EXPECT_EQ(Convert({"from-figured-bass", "Bb", "F_.txt"}), "0|||F_Bb.txt ");
    EXPECT_EQ(Convert({"--extension", "lst", "by-step", "-3", "Notes.txt", "A_C.txt"}),
              "1||Notes.txt: ERROR! Key not found in input filename...\n|A_A.lst ");
    EXPECT_EQ(Convert({"--dry-run", "by-step", "+1", "--sharps", "A_C.txt", "--", "B_Am.txt"}),
              "0|A_C.txt -> A_C#.txt\nB_Am.txt -> B_A#m.txt\n||");
    EXPECT_EQ(Convert({"by-step", "1", "A_C.txt"}), "0|||A_Db.txt ");  // flats by default
    EXPECT_EQ(Convert({"--dry-run", "by-key", "D", "Notes.txt", "A_C.txt"}),
              "1|A_C.txt -> A_D.txt\n|Notes.txt: ERROR! Key not found in input filename...\n|");
    EXPECT_EQ(Convert({"by-key", "D", "nonexist_C.txt"}),
              "1||Cannot open the input file nonexist_C.txt: No such file or directory\n|");
    EXPECT_EQ(Convert({"--vers", "by-key"}),
              "0|leadwright-convert 3.0.0\nThe licence of Leadwright is not chosen yet.\n||");
    EXPECT_EQ(Convert({"--marker=!", "--ext=lst", "to-figured-bass", "A_C.txt"}), "0|||A_.lst ");
}

TEST(ConvertCommand, BadArgumentsExitTwoWithWhatIsWrongAndTheUsage) {
    // clang-format off
    const std::pair<std::vector<std::string_view>, std::string> cases[] = {
        {{"by-key", "Gm", "A_C.txt"}, "'Gm' is a minor key; name its relative major (A# or Bb), as the key list does"},
        {{"by-key", "H", "A_C.txt"}, "unknown key 'H'; a key is one of A A# Bb B C C# Db D D# Eb E F F# Gb G G# Ab"},
        {{"by-step", "+12", "A_C.txt"}, "the step '+12' is not a number of semitones from -11 to +11 other than 0"},
        {{"by-step", "0", "A_C.txt"}, "the step '0' is not a number of semitones from -11 to +11 other than 0"},
        {{"by-key"}, "by-key needs a key"},
        {{"by-step"}, "by-step needs a step"},
        {{"by-key", "D", "--sharps", "A_C.txt"}, "--sharps and --flats go with by-step"},
        {{"to-figured-bass"}, "no file given"},
        {{"to-figured-bass", "A_C.txt", "--marker"}, "--marker needs a value"},
        {{"up", "A_C.txt"}, "unknown mode 'up'"},
        {{"--f", "by-step", "1", "A_C.txt"}, "unknown or ambiguous option --f"},
        {{"--format=cho", "by-step", "1", "A_C.txt"}, "unknown format 'cho'; a format is auto, chordpro or lead-sheet"},
    };
    // clang-format on
    for (const auto& [args, text] : cases)
        EXPECT_EQ(Convert(args), "2||leadwright-convert: " + text + "\n" +
                                     std::string(kConvertUsage) +
                                     "Try 'leadwright-convert --help'.\n|");
}

}  // namespace
}  // namespace lw::test
