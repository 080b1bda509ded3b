// Batches of several sheets: refused files among written ones, Cancel, and a disk that fails
// in the middle, through the file-system seam.

#include "convert/Batch.h"

#include <gtest/gtest.h>

#include "FaultyFileSystem.h"
#include "TempFolder.h"
#include "io/FileNames.h"

namespace lw::test {
namespace {

// Records each message as "name: text", with the folder left out of the text, and cancels
// before output number cancelAt.
struct RecordingBatch : BatchHost {
    void FileMessage(std::string_view path, std::string_view text) override {
        std::string message(text);
        if (const auto at = message.find(FolderOf(path)); at != std::string::npos)
            message.erase(at, FolderOf(path).size());
        messages.push_back(std::string(FileNameOf(path)) + ": " + message);
    }
    bool KeepGoing(std::size_t done, std::size_t, std::string_view) override {
        return done < cancelAt;
    }
    std::size_t cancelAt = SIZE_MAX;
    std::vector<std::string> messages;
};

const std::string kSheet = "Tune\r\n^C Am7 F/G\r\nla\r\n", kInD = "Tune\r\n^D Bm7 G/A\r\nla\r\n";

struct Case {
    const char* name;
    std::vector<std::string> chosen;
    void (*breakIt)(FaultyFileSystem&, RecordingBatch&);
    std::string outputs;  // every file but the chosen ones afterwards, "name=D" for one in D
    std::vector<std::string> messages;
    std::tuple<std::size_t, std::size_t, bool> result;  // written, refused, cancelled
};

// clang-format off
const Case kCases[] = {
    {"refused files in the middle leave the others written", {"A_C.txt", "Notes.txt", "B_C.txt", "C_D.txt"},
     [](FaultyFileSystem&, RecordingBatch&) {}, "A_D.txt=D B_D.txt=D",
     {"Notes.txt: ERROR! Key not found in input filename...", "C_D.txt: ERROR! Input and Output Filenames are the same..."},
     {2, 2, false}},
    {"Cancel keeps the finished outputs and writes no more", {"A_C.txt", "B_C.txt"},
     [](FaultyFileSystem&, RecordingBatch& host) { host.cancelAt = 1; }, "A_D.txt=D B_D.txt=old", {}, {1, 0, true}},
    {"a disk that fills keeps the outputs before it and the old file", {"A_C.txt", "B_C.txt", "C_C.txt"},
     [](FaultyFileSystem& fs, RecordingBatch&) { fs.writeFailsAfter = 23; }, "A_D.txt=D B_D.txt=old",
     {"B_C.txt: Cannot write the output file B_D.txt: No space left on device",
      "C_C.txt: Cannot write the output file C_D.txt: No space left on device"}, {1, 2, false}},
    {"a failed sync puts no output in place", {"A_C.txt", "B_C.txt"},
     [](FaultyFileSystem& fs, RecordingBatch&) { fs.syncfsError = EIO; }, "B_D.txt=old",
     {"A_C.txt: Cannot write the output file A_D.txt: Input/output error",
      "B_C.txt: Cannot write the output file B_D.txt: Input/output error"}, {0, 2, false}},
};
// clang-format on

TEST(Batch, WritesEveryOutputItCanAndReportsTheRest) {
    for (const Case& c : kCases) {
        const TempFolder folder;
        std::vector<std::string> paths;
        for (const std::string& name : c.chosen) paths.push_back(folder.Write(name, kSheet));
        folder.Write("B_D.txt", "old");
        ModGlobals globals;
        lstKey_Click(globals);
        const RunChoices toD{ShownList::Key, 7, Spelling::Flat};  // "D (Bm)"
        FaultyFileSystem fs;
        RecordingBatch host;
        c.breakIt(fs, host);
        const BatchResult result =
            ExecuteBatch(PlanBatch(globals, toD, paths, host, fs), globals, toD, host, fs);

        std::string outputs;
        for (const std::string& name : folder.Names()) {
            if (std::ranges::find(c.chosen, name) != c.chosen.end()) continue;
            const std::string bytes = ReadBytes(folder.Path(name));
            outputs += (outputs.empty() ? "" : " ") + name + "=" + (bytes == kInD ? "D" : bytes);
        }
        EXPECT_EQ(outputs, c.outputs) << c.name;
        EXPECT_EQ(host.messages, c.messages) << c.name;
        EXPECT_EQ(std::tuple(result.written, result.refused, result.cancelled), c.result) << c.name;
    }
}

TEST(Batch, NeverWritesOverAChosenFileNorTwiceToOneName) {
    const TempFolder folder;
    const std::vector<std::string> paths{folder.Write("A_C.txt", kSheet),
                                         folder.Write("A_D.txt", kInD),
                                         folder.Write("A_D.text", kInD)};
    ModGlobals globals;
    globals.ConvertMode = 1;
    lstStep_Click(globals, 1);  // "Up 1", two half steps
    const RunChoices sharps{ShownList::Step, std::nullopt, Spelling::Sharp};
    RecordingBatch host;
    EXPECT_EQ(ExecuteBatch(PlanBatch(globals, sharps, paths, host), globals, sharps, host).written,
              1u);
    EXPECT_EQ(host.messages,
              (std::vector<std::string>{
                  "A_C.txt: ERROR! Output Filename is one of the chosen files...",
                  "A_D.text: ERROR! Two chosen files have the same Output Filename..."}));
    EXPECT_EQ(ReadBytes(folder.Path("A_D.txt")), kInD);
    EXPECT_EQ(ReadBytes(folder.Path("A_E.txt")), "Tune\r\n^E C#m7 A/B\r\nla\r\n");
}

}  // namespace
}  // namespace lw::test
