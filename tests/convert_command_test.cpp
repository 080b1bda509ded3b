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

// Status 0 when every output is written, 1 when a file is refused, 2 for bad arguments: then
// "2:" stands for what is wrong, before the usage.
TEST(ConvertCommand, ExitsWithWhatBecameOfTheFilesOrWhatIsWrong) {
    // clang-format off
    const std::pair<std::vector<std::string_view>, std::string> cases[] = {
        {{"by-key", "D", "A_C.txt", "B_Am.txt"}, "0|||A_D.txt B_Bm.txt "},
        {{"from-figured-bass", "Bb", "F_.txt"}, "0|||F_Bb.txt "},
        {{"--extension", "lst", "by-step", "-3", "Notes.txt", "A_C.txt"}, "1||Notes.txt: ERROR! Key not found in input filename...\n|A_A.lst "},
        {{"--dry-run", "by-step", "+1", "--sharps", "A_C.txt", "--", "B_Am.txt"}, "0|A_C.txt -> A_C#.txt\nB_Am.txt -> B_A#m.txt\n||"},
        {{"by-step", "1", "A_C.txt"}, "0|||A_Db.txt "},  // flats by default
        {{"--dry-run", "by-key", "D", "Notes.txt", "A_C.txt"}, "1|A_C.txt -> A_D.txt\n|Notes.txt: ERROR! Key not found in input filename...\n|"},
        {{"by-key", "D", "nonexist_C.txt"}, "1||Cannot open the input file nonexist_C.txt: No such file or directory\n|"},
        {{"--vers", "by-key"}, "0|leadwright-convert 3.0.0\nThe licence of Leadwright is not chosen yet.\n||"},
        {{"--marker=!", "--ext=lst", "to-figured-bass", "A_C.txt"}, "0|||A_.lst "},
        {{"by-key", "Gm", "A_C.txt"}, "2:'Gm' is a minor key; name its relative major (A# or Bb), as the key list does"},
        {{"by-key", "H", "A_C.txt"}, "2:unknown key 'H'; a key is one of A A# Bb B C C# Db D D# Eb E F F# Gb G G# Ab"},
        {{"by-step", "+12", "A_C.txt"}, "2:the step '+12' is not a number of semitones from -11 to +11 other than 0"},
        {{"by-step", "0", "A_C.txt"}, "2:the step '0' is not a number of semitones from -11 to +11 other than 0"},
        {{"by-key"}, "2:by-key needs a key"},
        {{"by-step"}, "2:by-step needs a step"},
        {{"by-key", "D", "--sharps", "A_C.txt"}, "2:--sharps and --flats go with by-step"},
        {{"to-figured-bass"}, "2:no file given"},
        {{"to-figured-bass", "A_C.txt", "--marker"}, "2:--marker needs a value"},
        {{"up", "A_C.txt"}, "2:unknown mode 'up'"},
        {{"--f", "by-step", "1", "A_C.txt"}, "2:unknown or ambiguous option --f"},
        {{"--format=cho", "by-step", "1", "A_C.txt"}, "2:unknown format 'cho'; a format is auto, chordpro or lead-sheet"},
    };
    // clang-format on
    const std::string usage = std::string(kConvertUsage) + "Try 'leadwright-convert --help'.\n|";
    for (const auto& [args, expected] : cases)
        EXPECT_EQ(Convert(args), expected.starts_with("2:")
                                     ? "2||leadwright-convert: " + expected.substr(2) + "\n" + usage
                                     : expected);
}

}  // namespace
}  // namespace lw::test
