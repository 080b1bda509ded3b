// Batches of several sheets: refused files among written ones, outputs that would meet, names of
// one file, Cancel, and a disk or an input that fails in the middle, through the file-system
// seam; each file's fate as the summary tells it.

#include "convert/Batch.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "FaultyFileSystem.h"
#include "RecordingHost.h"
#include "TempFolder.h"
#include "core/FileNames.h"

namespace lw::test {
namespace {

const std::string kInC = "Tune\r\n^C Am7 F/G\r\nla\r\n", kInD = "Tune\r\n^D Bm7 G/A\r\nla\r\n";
const std::string kBig(3 << 20, 'l'), kKeyH = "{key: H}\n[G]x\n";

constexpr std::size_t kNever = FaultyFileSystem::kNoLimit;

// A chosen file: its name ("link/" is the folder again, "sub/" a folder in it), its bytes, or
// another name of the first chosen file.
enum class Link { None, HardToFirst, SymbolicToFirst };
// A batch: every file afterwards (B_D.txt held "old"); the file fields; the summary and its
// details ("{dir}/" for the folder); the question's text where a row looks at it. Then what goes
// wrong while the batch writes: the progress report at which the user cancels, the disk or the
// input, or the second input at every report.
// clang-format off
struct Chosen { std::string name; std::string bytes = kInC; Link link = Link::None; };
struct BatchCase { const char* name; std::vector<Chosen> chosen; std::map<std::string, std::string> after; std::string inputField, outputField, summary, details, question = {}; std::size_t cancelAt = kNever; Faults faults = {}; bool secondInputChanges = false; };
const BatchCase kBatches[] = {
    {"refused files in the middle leave the others written", {{"A_C.txt"}, {"Notes.txt"}, {"B_C.txt"}, {"C_D.txt"}}, {{"A_C.txt", kInC}, {"A_D.txt", kInD}, {"B_C.txt", kInC}, {"B_D.txt", kInD}, {"C_D.txt", kInC}, {"Notes.txt", kInC}}, "B_C.txt", "B_D.txt", "Output files written: 2 of 4\nChosen files refused: 2 (see the details)", "A_C.txt \u2192 A_D.txt: written\nNotes.txt: refused\n    ERROR! Key not found in input filename...\nB_C.txt \u2192 B_D.txt: replaced a file\nC_D.txt: refused\n    ERROR! Input and Output Filenames are the same..."},
    {"Cancel keeps the finished outputs and writes no more", {{"A_C.txt"}, {"B_C.txt"}}, {{"A_C.txt", kInC}, {"A_D.txt", kInD}, {"B_C.txt", kInC}, {"B_D.txt", "old"}}, "A_C.txt", "A_D.txt", "Output files written: 1 of 2\nCancelled: the rest were not written.", "A_C.txt \u2192 A_D.txt: written\nB_C.txt \u2192 B_D.txt: not written (cancelled)", {}, 2},
    {"Cancel in the middle of a file writes neither it nor the next", {{"Big_C.txt", kBig}, {"A_C.txt"}}, {{"A_C.txt", kInC}, {"B_D.txt", "old"}, {"Big_C.txt", kBig}}, "", "", "Output files written: 0 of 2\nCancelled: the rest were not written.", "Big_C.txt \u2192 Big_D.txt: not written (cancelled)\nA_C.txt \u2192 A_D.txt: not written (cancelled)", {}, 2},
    {"a disk that fills keeps the outputs before it and the old file", {{"A_C.txt"}, {"B_C.txt"}, {"C_C.txt"}}, {{"A_C.txt", kInC}, {"A_D.txt", kInD}, {"B_C.txt", kInC}, {"B_D.txt", "old"}, {"C_C.txt", kInC}}, "A_C.txt", "A_D.txt", "Output files written: 1 of 3\nChosen files refused: 2 (see the details)", "A_C.txt \u2192 A_D.txt: written\nB_C.txt \u2192 B_D.txt: refused\n    Cannot write the output file {dir}/B_D.txt: No space left on device\nC_C.txt \u2192 C_D.txt: refused\n    Cannot write the output file {dir}/C_D.txt: No space left on device", {}, kNever, {.writeFailsAfter = 23}},
    {"a read that fails", {{"A_C.txt"}, {"B_C.txt"}}, {{"A_C.txt", kInC}, {"A_D.txt", kInD}, {"B_C.txt", kInC}, {"B_D.txt", "old"}}, "A_C.txt", "A_D.txt", "Output files written: 1 of 2\nChosen files refused: 1 (see the details)", "A_C.txt \u2192 A_D.txt: written\nB_C.txt \u2192 B_D.txt: refused\n    Cannot read the input file {dir}/B_C.txt: Input/output error", {}, kNever, {.readFailsAfter = 74}},
    {"an input shortened while it is read", {{"A_C.txt"}, {"B_C.txt"}}, {{"A_C.txt", kInC}, {"A_D.txt", kInD}, {"B_C.txt", kInC}, {"B_D.txt", "old"}}, "A_C.txt", "A_D.txt", "Output files written: 1 of 2\nChosen files refused: 1 (see the details)", "A_C.txt \u2192 A_D.txt: written\nB_C.txt \u2192 B_D.txt: refused\n    Cannot read the input file {dir}/B_C.txt: the file changed while it was read", {}, kNever, {.readEndsAfter = 74}},
    {"an input changed between planning and writing", {{"A_C.txt"}, {"B_C.txt"}}, {{"A_C.txt", kInC}, {"A_D.txt", kInD}, {"B_C.txt", kInC}, {"B_D.txt", "old"}}, "A_C.txt", "A_D.txt", "Output files written: 1 of 2\nChosen files refused: 1 (see the details)", "A_C.txt \u2192 A_D.txt: written\nB_C.txt \u2192 B_D.txt: refused\n    Cannot read the input file {dir}/B_C.txt: the file changed while it was read", {}, kNever, {}, true},
    {"two files with one output, the second through a linked folder", {{"x_C.txt"}, {"link/x_C.text"}}, {{"B_D.txt", "old"}, {"x_C.text", kInC}, {"x_C.txt", kInC}, {"x_D.txt", kInD}}, "x_C.txt", "x_D.txt", "Output files written: 1 of 2\nChosen files refused: 1 (see the details)", "x_C.txt \u2192 x_D.txt: written\nx_C.text: refused\n    ERROR! Two chosen files have the same Output Filename..."},
    {"a chosen file that is refused, and so not read, may be replaced", {{"T_C.txt"}, {"T_D.txt"}}, {{"B_D.txt", "old"}, {"T_C.txt", kInC}, {"T_D.txt", kInD}}, "T_C.txt", "T_D.txt", "Output files written: 1 of 2\nChosen files refused: 1 (see the details)", "T_C.txt \u2192 T_D.txt: replaced a file\nT_D.txt: refused\n    ERROR! Input and Output Filenames are the same..."},
    {"a chosen file that is read is never written over", {{"A_C.text", "{key: C}\n[C]la"}, {"A_D.text"}}, {{"A_C.text", "{key: C}\n[C]la"}, {"A_D.text", kInC}, {"A_D.txt", kInC}, {"B_D.txt", "old"}}, "A_D.text", "A_D.txt", "Output files written: 1 of 2\nChosen files refused: 1 (see the details)", "A_C.text: refused\n    ERROR! Output Filename is one of the chosen files...\nA_D.text \u2192 A_D.txt: written"},
    {"a hard link is a file of its own", {{"a_C.txt"}, {"b_C.txt", "", Link::HardToFirst}}, {{"B_D.txt", "old"}, {"a_C.txt", kInC}, {"a_D.txt", kInD}, {"b_C.txt", kInC}, {"b_D.txt", kInD}}, "b_C.txt", "b_D.txt", "Output files written: 2 of 2", "a_C.txt \u2192 a_D.txt: written\nb_C.txt \u2192 b_D.txt: written"},
    {"a symbolic link is a file of its own", {{"a_C.txt"}, {"b_C.txt", "", Link::SymbolicToFirst}}, {{"B_D.txt", "old"}, {"a_C.txt", kInC}, {"a_D.txt", kInD}, {"b_C.txt", kInC}, {"b_D.txt", kInD}}, "b_C.txt", "b_D.txt", "Output files written: 2 of 2", "a_C.txt \u2192 a_D.txt: written\nb_C.txt \u2192 b_D.txt: written"},
    {"a key directive that names no key is refused before the question", {{"Quartz_G.cho", kKeyH}, {"A_C.txt"}}, {{"A_C.txt", kInC}, {"A_D.txt", kInD}, {"B_D.txt", "old"}, {"Quartz_G.cho", kKeyH}}, "A_C.txt", "A_D.txt", "Output files written: 1 of 2\nChosen files refused: 1 (see the details)", "Quartz_G.cho: refused\n    ERROR! Key not found in input filename or {key} directive...\nA_C.txt \u2192 A_D.txt: written", "Output files to write: 1\nExisting files they replace: 0\nChosen files refused: 1 (see the details)\n\nWrite the output files?"},
    {"the three kinds of sheet in one batch, a line kept as lyrics told", {{"A_C.txt"}, {"P.cho", "{key: C}\n[C]la"}, {"W.crd", "Key: C\nC    Am\nla\nC D Riff\n"}}, {{"A_C.txt", kInC}, {"A_D.txt", kInD}, {"B_D.txt", "old"}, {"P.cho", "{key: C}\n[C]la"}, {"P_D.cho", "{key: D}\n[D]la"}, {"W.crd", "Key: C\nC    Am\nla\nC D Riff\n"}, {"W_D.txt", "Key: D\nD    Bm\nla\nC D Riff\n"}}, "W.crd", "W_D.txt", "Output files written: 3 of 3", "A_C.txt \u2192 A_D.txt: written\nP.cho \u2192 P_D.cho: written\nW.crd \u2192 W_D.txt: written\n    Kept as lyrics: line 4"},
};
// clang-format on

TEST(Batch, WritesEveryOutputItCanAndTellsEachFilesFate) {
    for (const BatchCase& c : kBatches) {
        SCOPED_TRACE(c.name);
        using namespace std::filesystem;
        const TempFolder folder;
        create_directory_symlink(".", folder.Path("link"));
        create_directory(folder.Path("sub"));
        folder.Write("B_D.txt", "old");
        std::vector<std::string> paths;
        for (const Chosen& file : c.chosen) {
            paths.push_back(folder.Path(file.name));
            if (file.link == Link::None) folder.Write(file.name, file.bytes);
            if (file.link == Link::HardToFirst) create_hard_link(paths[0], paths.back());
            if (file.link == Link::SymbolicToFirst) create_symlink(c.chosen[0].name, paths.back());
        }
        ModGlobals globals;
        RunChoices choices{ShownList::Key, 7};  // "D (Bm)"
        lstKey_Click(globals);
        FaultyFileSystem fs(c.faults);
        RecordingHost host;
        host.folder = folder.Path("");
        host.cancelAt = c.cancelAt;
        if (c.secondInputChanges)
            host.onProgress = [&] { return last_write_time(paths[1], {}), true; };
        BatchPlan plan = PlanBatch(globals, choices, paths, host, fs);
        EXPECT_EQ(c.question.empty() ? "" : BatchQuestion(plan).text, c.question);
        const BatchReport summary = BatchSummary(plan, !ExecuteBatch(plan, globals, host, fs));
        host.ShowMessage(summary.details);  // every message goes to the summary
        EXPECT_EQ(host.messages, Texts{c.details});
        EXPECT_EQ(summary.text, c.summary);
        EXPECT_EQ(FileNameOf(host.files[0]), c.inputField);
        EXPECT_EQ(FileNameOf(host.files[1]), c.outputField);
        std::map<std::string, std::string> after;
        for (const auto& entry : recursive_directory_iterator(folder.path))
            if (is_regular_file(entry.path()))
                after[entry.path().lexically_relative(folder.path)] = ReadBytes(entry.path());
        for (const auto& [name, bytes] : after)  // a failing row names only the files that differ
            EXPECT_EQ(bytes, c.after.contains(name) ? c.after.at(name) : "(no file)") << name;
        for (const auto& [name, bytes] : c.after) EXPECT_TRUE(after.contains(name)) << name;
    }
}

}  // namespace
}  // namespace lw::test
