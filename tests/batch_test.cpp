// Batches of several sheets: refused files among written ones, outputs that would meet, Cancel,
// and a disk that fails in the middle, through the file-system seam; each file's fate as the
// summary tells it.

#include "convert/Batch.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "FaultyFileSystem.h"
#include "RecordingHost.h"
#include "TempFolder.h"
#include "io/FileNames.h"

namespace lw::test {
namespace {

const std::string kSheet = "Tune\r\n^C Am7 F/G\r\nla\r\n", kInD = "Tune\r\n^D Bm7 G/A\r\nla\r\n";

// A sheet long enough for its run to report progress before it ends.
std::string BigSheet() {
    std::string sheet;
    while (sheet.size() < (3 << 20)) sheet += "la la la la la la la la la la la la la la\r\n";
    return sheet;
}

struct Case {
    const char* name;
    std::vector<std::string> chosen;  // "Big..." is a sheet of 3 MB; "link/" is the folder again
    void (*breakIt)(FaultyFileSystem&, RecordingHost&);
    std::string files;    // every file afterwards: "=C" a sheet in C, "=D" its output in D
    std::string summary;  // the summary's text | its details
    std::string fields;   // the Input File and Output File fields afterwards
};

void Nothing(FaultyFileSystem&, RecordingHost&) {}

// clang-format off
const Case kCases[] = {
    {"refused files in the middle leave the others written", {"A_C.txt", "Notes.txt", "B_C.txt", "C_D.txt"},
     Nothing, "A_C.txt=C A_D.txt=D B_C.txt=C B_D.txt=D C_D.txt=C Notes.txt=C",
     "Output files written: 2 of 4\nChosen files refused: 2 (see the details) | A_C.txt \u2192 A_D.txt: written\n"
     "Notes.txt: refused\n    ERROR! Key not found in input filename...\nB_C.txt \u2192 B_D.txt: replaced a file\n"
     "C_D.txt: refused\n    ERROR! Input and Output Filenames are the same...", "B_C.txt B_D.txt"},
    {"Cancel keeps the finished outputs and writes no more", {"A_C.txt", "B_C.txt"},
     [](FaultyFileSystem&, RecordingHost& host) { host.cancelAt = 2; }, "A_C.txt=C A_D.txt=D B_C.txt=C B_D.txt=old",
     "Output files written: 1 of 2\nCancelled: the rest were not written. | A_C.txt \u2192 A_D.txt: written\n"
     "B_C.txt \u2192 B_D.txt: not written (cancelled)", "A_C.txt A_D.txt"},
    {"Cancel in the middle of a file writes neither it nor the next", {"Big_C.txt", "A_C.txt"},
     [](FaultyFileSystem&, RecordingHost& host) { host.cancelAt = 2; }, "A_C.txt=C B_D.txt=old Big_C.txt=?",
     "Output files written: 0 of 2\nCancelled: the rest were not written. | Big_C.txt \u2192 Big_D.txt: not written "
     "(cancelled)\nA_C.txt \u2192 A_D.txt: not written (cancelled)", " "},
    {"a disk that fills keeps the outputs before it and the old file", {"A_C.txt", "B_C.txt", "C_C.txt"},
     [](FaultyFileSystem& fs, RecordingHost&) { fs.writeFailsAfter = 23; }, "A_C.txt=C A_D.txt=D B_C.txt=C B_D.txt=old C_C.txt=C",
     "Output files written: 1 of 3\nChosen files refused: 2 (see the details) | A_C.txt \u2192 A_D.txt: written\n"
     "B_C.txt \u2192 B_D.txt: refused\n    Cannot write the output file {dir}/B_D.txt: No space left on device\n"
     "C_C.txt \u2192 C_D.txt: refused\n    Cannot write the output file {dir}/C_D.txt: No space left on device", "A_C.txt A_D.txt"},
    {"two files with one output, the second through a linked folder", {"x_C.txt", "link/x_C.text"},
     Nothing, "B_D.txt=old x_C.text=C x_C.txt=C x_D.txt=D",
     "Output files written: 1 of 2\nChosen files refused: 1 (see the details) | x_C.txt \u2192 x_D.txt: written\n"
     "x_C.text: refused\n    ERROR! Two chosen files have the same Output Filename...", "x_C.txt x_D.txt"},
    {"a file chosen twice is converted once", {"y_C.txt", "./y_C.txt"}, Nothing, "B_D.txt=old y_C.txt=C y_D.txt=D",
     "Output files written: 1 of 1 | y_C.txt \u2192 y_D.txt: written", "y_C.txt y_D.txt"},
    {"a chosen file that is refused, and so not read, may be replaced", {"T_C.txt", "T_D.txt"}, Nothing,
     "B_D.txt=old T_C.txt=C T_D.txt=D", "Output files written: 1 of 2\nChosen files refused: 1 (see the details) | "
     "T_C.txt \u2192 T_D.txt: replaced a file\nT_D.txt: refused\n    ERROR! Input and Output Filenames are the same...",
     "T_C.txt T_D.txt"},
};
// clang-format on

TEST(Batch, WritesEveryOutputItCanAndTellsEachFilesFate) {
    for (const Case& c : kCases) {
        const TempFolder folder;
        std::filesystem::create_directory_symlink(".", folder.Path("link"));
        std::vector<std::string> paths;
        for (const std::string& name : c.chosen)
            paths.push_back(folder.Write(
                name, name.starts_with("Big") ? BigSheet() : kSheet));
        folder.Write("B_D.txt", "old");
        ModGlobals globals;
        lstKey_Click(globals);
        const RunChoices toD{ShownList::Key, 7, Spelling::Flat};  // "D (Bm)"
        FaultyFileSystem fs;
        RecordingHost host;
        host.folder = folder.Path("");
        c.breakIt(fs, host);
        BatchPlan plan = PlanBatch(globals, toD, paths, host, fs);
        const bool finished = ExecuteBatch(plan, globals, host, fs);

        std::string files;
        for (const std::string& name : folder.Names()) {
            if (name == "link") continue;
            const std::string bytes = ReadBytes(folder.Path(name));
            files += (files.empty() ? "" : " ") + name + "=" +
                     (bytes == kSheet ? "C" : bytes == kInD ? "D" : bytes == "old" ? "old" : "?");
        }
        EXPECT_EQ(files, c.files) << c.name;
        const BatchReport summary = BatchSummary(plan, !finished);
        host.ShowMessage(summary.text, summary.details);
        EXPECT_EQ(host.messages, Texts{c.summary}) << c.name;
        EXPECT_EQ(std::string(FileNameOf(host.files[0])) + " " + std::string(FileNameOf(host.files[1])),
                  c.fields) << c.name;
    }
}

TEST(Batch, NeverWritesOverAChosenFileThatIsRead) {
    const TempFolder folder;
    const std::vector<std::string> paths{folder.Write("A_C.txt", kSheet),
                                         folder.Write("A_D.txt", kInD)};
    ModGlobals globals;
    globals.ConvertMode = ConvertMode::ByStep;
    lstStep_Click(globals, 1);  // "Up 1", two half steps
    const RunChoices sharps{ShownList::Step, std::nullopt, Spelling::Sharp};
    RecordingHost host;
    BatchPlan plan = PlanBatch(globals, sharps, paths, host);
    const BatchReport question = BatchQuestion(plan);
    EXPECT_EQ(question.text + " | " + question.details,
              "Output files to write: 1\nExisting files they replace: 0\nChosen files refused: 1 "
              "(see the details)\n\nWrite the output files? | A_C.txt: refused\n    ERROR! Output "
              "Filename is one of the chosen files...\nA_D.txt \u2192 A_E.txt");
    ExecuteBatch(plan, globals, host);
    EXPECT_EQ(ReadBytes(folder.Path("A_D.txt")), kInD);
    EXPECT_EQ(ReadBytes(folder.Path("A_E.txt")), "Tune\r\n^E C#m7 A/B\r\nla\r\n");
}

}  // namespace
}  // namespace lw::test
