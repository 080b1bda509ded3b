// Batches of several sheets: refused files among written ones, outputs that would meet, Cancel,
// and a disk or an input that fails in the middle, through the file-system seam; each file's
// fate as the summary tells it.

#include "convert/Batch.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "FaultyFileSystem.h"
#include "RecordingHost.h"
#include "TempFolder.h"
#include "core/FileNames.h"

namespace lw::test {
namespace {

const std::string kSheet = "Tune\r\n^C Am7 F/G\r\nla\r\n", kInD = "Tune\r\n^D Bm7 G/A\r\nla\r\n";

struct Case {
    const char* name;
    std::vector<std::string> chosen;  // "Big..." is a sheet of 3 MB; "link/" is the folder again
    // Each batch goes By Key to "D (Bm)" unless its set-up chooses otherwise.
    void (*setUp)(FaultyFileSystem&, RecordingHost&, ModGlobals&, RunChoices&);
    // Every file afterwards, "=C" a sheet in C, "=D" its output in D; then the Input File and
    // Output File fields.
    std::string files;
    std::string summary;  // the summary's text | its details
};

// clang-format off
const Case kCases[] = {
    {"refused files in the middle leave the others written", {"A_C.txt", "Notes.txt", "B_C.txt", "C_D.txt"}, nullptr, "A_C.txt=C A_D.txt=D B_C.txt=C B_D.txt=D C_D.txt=C Notes.txt=C | B_C.txt B_D.txt",
     "Output files written: 2 of 4\nChosen files refused: 2 (see the details) | A_C.txt \u2192 A_D.txt: written\nNotes.txt: refused\n    ERROR! Key not found in input filename...\nB_C.txt \u2192 B_D.txt: replaced a file\nC_D.txt: refused\n    ERROR! Input and Output Filenames are the same..."},
    {"Cancel keeps the finished outputs and writes no more", {"A_C.txt", "B_C.txt"}, [](auto&, RecordingHost& host, auto&, auto&) { host.cancelAt = 2; }, "A_C.txt=C A_D.txt=D B_C.txt=C B_D.txt=old | A_C.txt A_D.txt",
     "Output files written: 1 of 2\nCancelled: the rest were not written. | A_C.txt \u2192 A_D.txt: written\nB_C.txt \u2192 B_D.txt: not written (cancelled)"},
    {"Cancel in the middle of a file writes neither it nor the next", {"Big_C.txt", "A_C.txt"}, [](auto&, RecordingHost& host, auto&, auto&) { host.cancelAt = 2; }, "A_C.txt=C B_D.txt=old Big_C.txt=lll |  ",
     "Output files written: 0 of 2\nCancelled: the rest were not written. | Big_C.txt \u2192 Big_D.txt: not written (cancelled)\nA_C.txt \u2192 A_D.txt: not written (cancelled)"},
    {"a disk that fills keeps the outputs before it and the old file", {"A_C.txt", "B_C.txt", "C_C.txt"}, [](FaultyFileSystem& fs, auto&, auto&, auto&) { fs.writeFailsAfter = 23; }, "A_C.txt=C A_D.txt=D B_C.txt=C B_D.txt=old C_C.txt=C | A_C.txt A_D.txt",
     "Output files written: 1 of 3\nChosen files refused: 2 (see the details) | A_C.txt \u2192 A_D.txt: written\nB_C.txt \u2192 B_D.txt: refused\n    Cannot write the output file {dir}/B_D.txt: No space left on device\nC_C.txt \u2192 C_D.txt: refused\n    Cannot write the output file {dir}/C_D.txt: No space left on device"},
    {"a read that fails", {"A_C.txt", "B_C.txt"}, [](FaultyFileSystem& fs, auto&, auto&, auto&) { fs.readFailsAfter = 74; }, "A_C.txt=C A_D.txt=D B_C.txt=C B_D.txt=old | A_C.txt A_D.txt",
     "Output files written: 1 of 2\nChosen files refused: 1 (see the details) | A_C.txt \u2192 A_D.txt: written\nB_C.txt \u2192 B_D.txt: refused\n    Cannot read the input file {dir}/B_C.txt: Input/output error"},
    {"an input shortened while it is read", {"A_C.txt", "B_C.txt"}, [](FaultyFileSystem& fs, auto&, auto&, auto&) { fs.readEndsAfter = 74; }, "A_C.txt=C A_D.txt=D B_C.txt=C B_D.txt=old | A_C.txt A_D.txt",
     "Output files written: 1 of 2\nChosen files refused: 1 (see the details) | A_C.txt \u2192 A_D.txt: written\nB_C.txt \u2192 B_D.txt: refused\n    Cannot read the input file {dir}/B_C.txt: the file changed while it was read"},
    {"an input changed between planning and writing", {"A_C.txt", "B_C.txt"}, [](auto&, RecordingHost& host, auto&, auto&) { host.onProgress = [path = host.folder + "B_C.txt"] { return std::filesystem::last_write_time(path, {}), true; }; }, "A_C.txt=C A_D.txt=D B_C.txt=C B_D.txt=old | A_C.txt A_D.txt",
     "Output files written: 1 of 2\nChosen files refused: 1 (see the details) | A_C.txt \u2192 A_D.txt: written\nB_C.txt \u2192 B_D.txt: refused\n    Cannot read the input file {dir}/B_C.txt: the file changed while it was read"},
    {"two files with one output, the second through a linked folder", {"x_C.txt", "link/x_C.text"}, nullptr, "B_D.txt=old x_C.text=C x_C.txt=C x_D.txt=D | x_C.txt x_D.txt",
     "Output files written: 1 of 2\nChosen files refused: 1 (see the details) | x_C.txt \u2192 x_D.txt: written\nx_C.text: refused\n    ERROR! Two chosen files have the same Output Filename..."},
    {"a file chosen twice is converted once", {"y_C.txt", "./y_C.txt"}, nullptr, "B_D.txt=old y_C.txt=C y_D.txt=D | y_C.txt y_D.txt",
     "Output files written: 1 of 1 | y_C.txt \u2192 y_D.txt: written"},
    {"a chosen file that is refused, and so not read, may be replaced", {"T_C.txt", "T_D.txt"}, nullptr, "B_D.txt=old T_C.txt=C T_D.txt=D | T_C.txt T_D.txt",
     "Output files written: 1 of 2\nChosen files refused: 1 (see the details) | T_C.txt \u2192 T_D.txt: replaced a file\nT_D.txt: refused\n    ERROR! Input and Output Filenames are the same..."},
    {"a chosen file that is read is never written over", {"A_C.txt", "A_D.txt"}, [](auto&, auto&, ModGlobals& globals, RunChoices& choices) { globals.ConvertMode = ConvertMode::ByStep; lstStep_Click(globals, 1); choices = {ShownList::Step, std::nullopt, Spelling::Sharp}; }, "A_C.txt=C A_D.txt=C A_E.txt=D B_D.txt=old | A_D.txt A_E.txt",
     "Output files written: 1 of 2\nChosen files refused: 1 (see the details) | A_C.txt: refused\n    ERROR! Output Filename is one of the chosen files...\nA_D.txt \u2192 A_E.txt: written"},
};
// clang-format on

TEST(Batch, WritesEveryOutputItCanAndTellsEachFilesFate) {
    for (const Case& c : kCases) {
        const TempFolder folder;
        std::filesystem::create_directory_symlink(".", folder.Path("link"));
        std::vector<std::string> paths;
        for (const std::string& name : c.chosen)
            paths.push_back(
                folder.Write(name, name.starts_with("Big") ? std::string(3 << 20, 'l') : kSheet));
        folder.Write("B_D.txt", "old");
        ModGlobals globals;
        lstKey_Click(globals);
        RunChoices choices{ShownList::Key, 7};  // "D (Bm)"
        FaultyFileSystem fs;
        RecordingHost host;
        host.folder = folder.Path("");
        if (c.setUp) c.setUp(fs, host, globals, choices);
        BatchPlan plan = PlanBatch(globals, choices, paths, host, fs);
        const bool finished = ExecuteBatch(plan, globals, host, fs);

        std::string files;
        for (const std::string& name : folder.Names()) {
            const std::string bytes = ReadBytes(folder.Path(name));
            const std::string as = bytes == kSheet ? "C" : bytes == kInD ? "D" : bytes.substr(0, 3);
            if (name != "link") files += (files.empty() ? "" : " ") + name + "=" + as;
        }
        const BatchReport summary = BatchSummary(plan, !finished);
        host.ShowMessage(summary.text, summary.details);
        EXPECT_EQ(host.messages, Texts{c.summary}) << c.name;
        const auto field = [&](int i) { return std::string(FileNameOf(host.files[i])); };
        EXPECT_EQ(files + " | " + field(0) + " " + field(1), c.files) << c.name;
    }
}

}  // namespace
}  // namespace lw::test
