// leadwright-convert's command line: exit codes, --dry-run, keys and steps, usage errors.

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "TempFolder.h"
#include "cli/ConvertCommand.h"
#include "cli/QuotedName.h"

namespace lw::test {
namespace {

// Runs the command in a folder of sheets, one of them with a line break in its name and a
// folder in the way of its output in Eb, A_C.txt with a hard link H_C.txt, a symbolic link
// L_C.txt, a namesake in sub/ and link/ the folder again; gives its status, standard output,
// standard error and the files it wrote, each part after a "|".
std::string Convert(std::vector<std::string_view> args) {
    const TempFolder folder;
    const std::set<std::string> sheets{"A_C.txt", "B_Am.txt", "Notes.txt", "F_.txt",
                                       "S_C.cho", "input",    "N\nL_C.txt"};
    for (const std::string& sheet : sheets) folder.Write(sheet, "^C Am/E\r\n");
    folder.Write("W.crd", "Key: C\nC    Am\nC D Riff\n");
    folder.Write("U_.txt", "^IIII\r\n");
    std::filesystem::create_hard_link(folder.Path("A_C.txt"), folder.Path("H_C.txt"));
    std::filesystem::create_symlink("A_C.txt", folder.Path("L_C.txt"));
    std::filesystem::create_directory_symlink(".", folder.Path("link"));
    std::filesystem::create_directory(folder.Path("sub"));
    folder.Write("sub/A_C.txt", "^C\r\n");
    std::filesystem::create_directory(folder.Path("N\nL_Eb.txt"));
    const std::set<std::string> made = folder.Names();
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(folder.Path(""));
    std::ostringstream out, messages;
    std::string outcome = std::to_string(ConvertCommandMain(args, out, messages));
    std::filesystem::current_path(before);
    outcome += "|" + out.str() + "|" + messages.str() + "|";
    for (const std::string& name : folder.Names())
        if (!made.contains(name)) outcome += name + " ";
    return outcome;
}

// clang-format off
struct CommandRun { const char* name; std::vector<std::string_view> args; std::string outcome; };
const CommandRun kRuns[] = {
    {"by-key names the outputs by the key, a minor sheet by its relative minor", {"by-key", "D", "A_C.txt", "B_Am.txt"}, "0|||A_D.txt B_Bm.txt "},
    {"from-figured-bass names the output by the key; note chords are no degrees", {"from-figured-bass", "Bb", "F_.txt"}, "0||F_.txt: no chords found; the output is a copy\n|F_Bb.txt "},
    {"a refused file gives 1 and the others are written", {"--extension", "lst", "by-step", "-3", "Notes.txt", "A_C.txt"}, "1||Notes.txt: ERROR! Key not found in input filename...\n|A_A.lst "},
    {"--dry-run names the outputs, --sharps spells sharps, -- ends the options", {"--dry-run", "by-step", "+1", "--sharps", "A_C.txt", "--", "B_Am.txt"}, "0|A_C.txt -> A_C#.txt\nB_Am.txt -> B_A#m.txt\n||"},
    {"by-step spells flats by default", {"by-step", "1", "A_C.txt"}, "0|||A_Db.txt "},
    {"--flats spells flats", {"by-step", "-2", "--flats", "A_C.txt"}, "0|||A_Bb.txt "},
    {"--dry-run prints the messages of refused files", {"--dry-run", "by-key", "D", "Notes.txt", "A_C.txt"}, "1|A_C.txt -> A_D.txt\n|Notes.txt: ERROR! Key not found in input filename...\n|"},
    {"a message naming the input starts with its name too", {"by-key", "D", "nonexist_C.txt"}, "1||nonexist_C.txt: Cannot open the input file nonexist_C.txt: No such file or directory\n|"},
    {"a message holding the input's name by chance starts with it", {"by-key", "D", "input"}, "1||input: ERROR! '.' not found in input filename...\n|"},
    {"--version, abbreviated", {"--vers", "by-key"}, "0|leadwright-convert 3.0.0\nThe licence of Leadwright is not chosen yet.\n||"},
    {"--marker and --extension; a sheet without a chord is told", {"--marker=!", "--ext=lst", "to-figured-bass", "A_C.txt"}, "0||A_C.txt: no chords found; the output is a copy\n|A_.lst "},
    {"--format=chordpro reads a .txt as a ChordPro sheet", {"--format=chordpro", "by-step", "2", "Notes.txt"}, "0||Notes.txt: no chords found; the output is a copy\n|Notes_+2.txt "},
    {"--format=lead-sheet reads a .cho as a lead sheet", {"--format=lead-sheet", "by-key", "D", "S_C.cho"}, "0|||S_D.txt "},
    {"a name with a line break is quoted by --dry-run", {"--dry-run", "by-key", "D", "N\nL_C.txt"}, "0|'N'$'\\n''L_C.txt' -> 'N'$'\\n''L_D.txt'\n||"},
    {"an input with a line break is quoted in the message", {"by-key", "D", "no\nfile_C.txt"}, "1||'no'$'\\n''file_C.txt': Cannot open the input file 'no'$'\\n''file_C.txt': No such file or directory\n|"},
    {"two names of one file are two files, one name given twice is one", {"--dry-run", "by-key", "D", "A_C.txt", "H_C.txt", "L_C.txt", "sub/A_C.txt", "./A_C.txt", "link/A_C.txt"}, "0|A_C.txt -> A_D.txt\nH_C.txt -> H_D.txt\nL_C.txt -> L_D.txt\nsub/A_C.txt -> sub/A_D.txt\n||"},
    {"an output with a line break is quoted in the message", {"by-key", "Eb", "N\nL_C.txt"}, "1||'N'$'\\n''L_C.txt': Cannot save the output file 'N'$'\\n''L_Eb.txt': Is a directory\n|"},
    {"--dry-run shows the messages the writing would give", {"--dry-run", "from-figured-bass", "Bb", "U_.txt"}, "0|U_.txt -> U_Bb.txt\n|U_.txt: ERROR! Code not found, GetCodeFromChordRoman(), IIII\n|"},
    {"chords over lyrics: --dry-run names the line kept as lyrics", {"--dry-run", "by-key", "D", "W.crd"}, "0|W.crd -> W_D.txt\n|W.crd: Kept as lyrics: line 3\n|"},
    {"chords over lyrics: the line kept as lyrics told after the writing", {"by-key", "D", "W.crd"}, "0||W.crd: Kept as lyrics: line 3\n|W_D.txt "},
    {"--format=chords-over-lyrics reads a lead sheet's lines as lyrics", {"--format=chords-over-lyrics", "by-key", "D", "A_C.txt"}, "0||A_C.txt: no chords found; the output is a copy\n|A_D.txt "},
};
// clang-format on

TEST(ConvertCommand, ExitsWithWhatBecameOfTheFiles) {
    for (const CommandRun& run : kRuns) {
        SCOPED_TRACE(run.name);
        EXPECT_EQ(Convert(run.args), run.outcome);
    }
}

// message: the first line, without the program's name.
// clang-format off
struct BadArguments { const char* name; std::vector<std::string_view> args; std::string message; };
const BadArguments kBadArguments[] = {
    {"a minor key", {"by-key", "Gm", "A_C.txt"}, "'Gm' is a minor key; name its relative major (A# or Bb), as the key list does"},
    {"an unknown key", {"by-key", "H", "A_C.txt"}, "unknown key 'H'; a key is one of A A# Bb B C C# Db D D# Eb E F F# Gb G G# Ab"},
    {"a step above 11", {"by-step", "+12", "A_C.txt"}, "the step '+12' is not a number of semitones from -11 to +11 other than 0"},
    {"a step below -11", {"by-step", "-12", "A_C.txt"}, "the step '-12' is not a number of semitones from -11 to +11 other than 0"},
    {"a step of 0", {"by-step", "0", "A_C.txt"}, "the step '0' is not a number of semitones from -11 to +11 other than 0"},
    {"by-key without a key", {"by-key"}, "by-key needs a key"},
    {"by-step without a step", {"by-step"}, "by-step needs a step"},
    {"--sharps with by-key", {"by-key", "D", "--sharps", "A_C.txt"}, "--sharps and --flats go with by-step"},
    {"no file", {"to-figured-bass"}, "no file given"},
    {"an option without its value", {"to-figured-bass", "A_C.txt", "--marker"}, "--marker needs a value"},
    {"an empty marker", {"--marker=", "by-key", "D", "A_C.txt"}, "a marker is one character or more, without a line break"},
    {"a marker holding a line break", {"--marker=^\n", "by-key", "D", "A_C.txt"}, "a marker is one character or more, without a line break"},
    {"an extension leaving the folder", {"--extension=/../x", "by-key", "D", "A_C.txt"}, "an extension cannot hold a /; each output is written beside its input"},
    {"an unknown mode", {"up", "A_C.txt"}, "unknown mode 'up'"},
    {"an ambiguous option", {"--f", "by-step", "1", "A_C.txt"}, "unknown or ambiguous option --f"},
    {"a value for an option that takes none", {"--help=x", "by-step", "1", "A_C.txt"}, "unknown or ambiguous option --help=x"},
    {"an unknown short option among the files", {"by-key", "D", "-x_C.txt"}, "unknown option -x; a file whose name starts with - goes after --"},
    {"an unknown format", {"--format=cho", "by-step", "1", "A_C.txt"}, "unknown format 'cho'; a format is auto, lead-sheet, chordpro or chords-over-lyrics"},
    {"a line break in an argument", {"by-key", "H\nx", "A_C.txt"}, "unknown key 'H?x'; a key is one of A A# Bb B C C# Db D D# Eb E F F# Gb G G# Ab"},
};
// clang-format on

// Bad arguments give 2, one line with the program's name, then the usage.
TEST(ConvertCommand, RefusesBadArgumentsWithTheUsage) {
    const std::string usage =
        "usage: leadwright-convert [OPTIONS] by-key KEY FILE...\n"
        "       leadwright-convert [OPTIONS] by-step STEP [--sharps|--flats] FILE...\n"
        "       leadwright-convert [OPTIONS] to-figured-bass FILE...\n"
        "       leadwright-convert [OPTIONS] from-figured-bass KEY FILE...\n"
        "Try 'leadwright-convert --help'.\n|";
    for (const BadArguments& row : kBadArguments) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Convert(row.args), "2||leadwright-convert: " + row.message + "\n" + usage);
    }
}

struct Quoting { const char* name; std::string_view raw, quoted; };
const Quoting kQuotings[] = {
    {"a name without control characters stays as it is", "it's a song_C.txt", "it's a song_C.txt"},
    {"control characters in a row share one escape", "a\n\r\tb", "'a'$'\\n\\r\\t''b'"},
    {"a control character first or last", "\x1b[2J\x7f", "''$'\\033''[2J'$'\\177'"},
    {"a single quote beside a control character", "'x\ny'", "''\\''x'$'\\n''y'\\'"},
};
// clang-format on

// A name that would break its line is quoted as a shell reads it back.
TEST(QuotedName, QuotesOnlyNamesHoldingControlCharacters) {
    for (const Quoting& row : kQuotings) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(QuotedName(row.raw), row.quoted);
    }
}

}  // namespace
}  // namespace lw::test
