// Batches of several sheets: refused files among written ones, Cancel, and a disk that fails
// in the middle, through the file-system seam.
#include "convert/Batch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <map>

#include "TempFolder.h"
#include "io/FileNames.h"

namespace lw::test {
namespace {

// The real disk, with the nth write (counting from 1) or every file-system sync failing.
struct BrokenDisk : FileSystem {
    int failingWrite = 0;
    bool syncFails = false;
    int writes = 0;

    ssize_t Write(int fd, const void* buffer, size_t size) override {
        if (++writes == failingWrite) return Fail(ENOSPC);
        return FileSystem::Write(fd, buffer, size);
    }
    int Syncfs(int fd) override { return syncFails ? Fail(EIO) : FileSystem::Syncfs(fd); }
    static int Fail(int error) {
        errno = error;
        return -1;
    }
};

// Records each message as "name: text" and cancels before output number cancelAt.
struct RecordingBatch : BatchHost {
    std::size_t cancelAt = SIZE_MAX;
    std::vector<std::string> messages;

    void FileMessage(std::string_view path, std::string_view text) override {
        messages.push_back(std::string(FileNameOf(path)) + ": " + std::string(text));
    }
    bool KeepGoing(std::size_t done, std::size_t, std::string_view) override {
        return done < cancelAt;
    }
};

struct Case {
    std::string name;
    std::vector<std::string> chosen;
    int failingWrite = 0;
    bool syncFails = false;
    std::size_t cancelAt = SIZE_MAX;
    std::map<std::string, std::string> outputs = {};  // every other file afterwards, with its bytes
    std::vector<std::string> messages = {};
    BatchResult result = {};
};

const std::string kSheet = "Tune\r\n^C Am7 F/G\r\nla\r\n";
const std::string kInD = "Tune\r\n^D Bm7 G/A\r\nla\r\n";
const std::string kOld = "an older B_D.txt";

class Batch : public testing::TestWithParam<Case> {};

TEST_P(Batch, WritesEveryOutputItCanAndReportsTheRest) {
    const Case& c = GetParam();
    TempFolder folder;
    std::vector<std::string> paths;
    for (const std::string& name : c.chosen) paths.push_back(folder.Write(name, kSheet));
    folder.Write("B_D.txt", kOld);
    ModGlobals globals;
    lstKey_Click(globals);
    const RunChoices toD{.keyIndex = 7};  // "D (Bm)"
    BrokenDisk disk;
    disk.failingWrite = c.failingWrite;
    disk.syncFails = c.syncFails;
    RecordingBatch host;
    host.cancelAt = c.cancelAt;

    const BatchPlan plan = PlanBatch(globals, toD, paths, host, disk);
    const BatchResult result = ExecuteBatch(plan, globals, toD, host, disk);

    std::map<std::string, std::string> outputs;
    for (const std::string& name : folder.Names())
        if (std::ranges::find(c.chosen, name) == c.chosen.end())
            outputs[name] = ReadBytes(folder.Path(name));
    EXPECT_EQ(outputs, c.outputs);
    std::vector<std::string> expected;
    for (std::string message : c.messages) {
        if (const auto at = message.find("{}"); at != std::string::npos)
            message.replace(at, 2, folder.Path(""));
        expected.push_back(message);
    }
    EXPECT_EQ(host.messages, expected);
    EXPECT_EQ(result.written, c.result.written);
    EXPECT_EQ(result.refused, c.result.refused);
    EXPECT_EQ(result.cancelled, c.result.cancelled);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Batch,
    testing::Values(
        Case{.name = "RefusedFilesInTheMiddleLeaveTheOthersWritten",
             .chosen = {"A_C.txt", "Notes.txt", "B_C.txt", "C_D.txt"},
             .outputs = {{"A_D.txt", kInD}, {"B_D.txt", kInD}},
             .messages = {"Notes.txt: ERROR! Key not found in input filename...",
                          "C_D.txt: ERROR! Input and Output Filenames are the same..."},
             .result = {.written = 2, .refused = 2}},
        Case{.name = "CancelKeepsTheFinishedOutputsAndWritesNoMore",
             .chosen = {"A_C.txt", "B_C.txt"},
             .cancelAt = 1,
             .outputs = {{"A_D.txt", kInD}, {"B_D.txt", kOld}},
             .result = {.written = 1, .cancelled = true}},
        Case{.name = "AFullDiskRefusesOneOutputAndKeepsTheOldFileOfItsName",
             .chosen = {"A_C.txt", "B_C.txt", "C_C.txt"},
             .failingWrite = 2,
             .outputs = {{"A_D.txt", kInD}, {"B_D.txt", kOld}, {"C_D.txt", kInD}},
             .messages = {"B_C.txt: Cannot write the output file {}B_D.txt: No space left on "
                          "device"},
             .result = {.written = 2, .refused = 1}},
        Case{.name = "AFailedSyncPutsNoOutputInPlace",
             .chosen = {"A_C.txt", "B_C.txt"},
             .syncFails = true,
             .outputs = {{"B_D.txt", kOld}},
             .messages = {"A_C.txt: Cannot write the output file {}A_D.txt: Input/output error",
                          "B_C.txt: Cannot write the output file {}B_D.txt: Input/output error"},
             .result = {.refused = 2}}),
    [](const auto& info) { return info.param.name; });

TEST(BatchByStep, NeverWritesOverAChosenFileNorTwiceToOneName) {
    TempFolder folder;
    const std::vector<std::string> paths{folder.Write("A_C.txt", kSheet),
                                         folder.Write("A_D.txt", kInD),
                                         folder.Write("A_D.text", kInD)};
    ModGlobals globals;
    globals.ConvertMode = 1;
    lstStep_Click(globals, 1);  // "Up 1", two half steps
    const RunChoices sharps{ShownList::Step, std::nullopt, Spelling::Sharp};
    RecordingBatch host;
    const BatchPlan plan = PlanBatch(globals, sharps, paths, host, SystemFileSystem());
    EXPECT_EQ(ExecuteBatch(plan, globals, sharps, host).written, 1u);
    EXPECT_EQ(host.messages,
              (std::vector<std::string>{
                  "A_C.txt: ERROR! Output Filename is one of the chosen files...",
                  "A_D.text: ERROR! Two chosen files have the same Output Filename..."}));
    EXPECT_EQ(ReadBytes(folder.Path("A_D.txt")), kInD);
    EXPECT_EQ(ReadBytes(folder.Path("A_E.txt")), "Tune\r\n^E C#m7 A/B\r\nla\r\n");
}

}  // namespace
}  // namespace lw::test
