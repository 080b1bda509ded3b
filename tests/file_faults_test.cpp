// Whole runs on a disk that breaks: every failure is shown with the file and the system's
// reason, an existing output stays byte for byte, the input stays, and nothing is left behind.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "FaultyFileSystem.h"
#include "ScriptedRunHost.h"
#include "TempFolder.h"
#include "convert/RunConversion.h"

namespace lw {
namespace {

using test::FaultyFileSystem;
using test::kQuestion;
using test::ReadBytes;
using test::ScriptedRunHost;
using test::TempFolder;

constexpr int kKeyD = 7;

const std::string kInput =
    "Song of the Broken Disk\r\n"
    "\r\n"
    "^C  Am7  F/G  Bb\r\n"
    "Once upon a time a chord\r\n"
    "^Dm7   G7sus4   C/E\r\n"
    "went walking down the line,\n"
    "^F#m7b5 B7 Em  Eb/Db\r"
    "and every byte came home.\r\n"
    "^(C) [G/B] Am\r\n"
    "\r\n"
    "Last line, no line end";

// The same sheet in D: CR LF after every line, the last one included.
const std::string kOutput =
    "Song of the Broken Disk\r\n"
    "\r\n"
    "^D  Bm7  G/A  C\r\n"
    "Once upon a time a chord\r\n"
    "^Em7   A7sus4   D/F#\r\n"
    "went walking down the line,\r\n"
    "^G#m7b5 C#7 F#m  F/D#\r\n"
    "and every byte came home.\r\n"
    "^(D) [A/C#] Bm\r\n"
    "\r\n"
    "Last line, no line end\r\n";

const std::string kOldOutput = "An older Song_D.txt that must survive\r\n^D\r\n";

class FileFaultTest : public testing::Test {
protected:
    void SetUp() override {
        input = folder.Write("Song_C.txt", kInput);
        output = folder.Write("Song_D.txt", kOldOutput);
        before = folder.Names();
        lstKey_Click(globals);
    }

    // One By Key run from Song_C.txt to D through fs, answering OK to the question.
    bool Run(FaultyFileSystem& fs, ScriptedRunHost& host) {
        host.chosenPath = input;
        host.selectedKey = kKeyD;
        host.shownList = ShownList::Key;
        return RunConversion(globals, host, fs);
    }

    // The input, the old output and the folder listing are exactly as they were.
    void ExpectNothingChanged() {
        EXPECT_EQ(ReadBytes(input), kInput);
        EXPECT_EQ(ReadBytes(output), kOldOutput);
        EXPECT_EQ(folder.Names(), before);
    }

    TempFolder folder;
    std::string input;
    std::string output;
    std::set<std::string> before;
    ModGlobals globals;
};

TEST_F(FileFaultTest, TheSheetConvertsWhenNothingBreaks) {
    FaultyFileSystem fs;
    ScriptedRunHost host;
    ASSERT_TRUE(Run(fs, host));
    EXPECT_EQ(ReadBytes(output), kOutput);
    EXPECT_EQ(ReadBytes(input), kInput);
    EXPECT_EQ(folder.Names(), before);
    EXPECT_EQ(host.shown, std::vector<std::string>{kQuestion});
}

TEST_F(FileFaultTest, ShortReadsAndWritesStillGiveTheWholeFile) {
    for (const std::size_t chunk : {1u, 2u, 3u, 7u}) {
        SCOPED_TRACE("at most " + std::to_string(chunk) + " bytes per call");
        FaultyFileSystem fs;
        fs.readChunk = chunk;
        fs.writeChunk = chunk;
        ScriptedRunHost host;
        ASSERT_TRUE(Run(fs, host));
        EXPECT_EQ(ReadBytes(output), kOutput);
        ASSERT_TRUE(std::filesystem::remove(output));
        folder.Write("Song_D.txt", kOldOutput);
    }
}

// The disk fills up after every possible number of bytes, with the output written in one go
// and in pieces of 16 bytes, so the failure lands inside lines, between CR and LF and after
// them.
TEST_F(FileFaultTest, DiskFullAfterAnyNumberOfBytes) {
    for (const std::size_t chunk : {FaultyFileSystem::kNoLimit, std::size_t{16}}) {
        for (std::size_t room = 0; room < kOutput.size(); ++room) {
            SCOPED_TRACE("room for " + std::to_string(room) + " bytes, written " +
                         (chunk == 16 ? "16 at a time" : "at once"));
            FaultyFileSystem fs;
            fs.writeChunk = chunk;
            fs.writeFailsAfter = room;
            ScriptedRunHost host;
            EXPECT_FALSE(Run(fs, host));
            EXPECT_EQ(host.shown, (std::vector<std::string>{
                                      kQuestion, "Cannot write the output file " + output +
                                                     ": No space left on device"}));
            EXPECT_EQ(fs.renames, 0);
            ExpectNothingChanged();
            if (HasFailure()) return;
        }
    }
}

TEST_F(FileFaultTest, RoomForExactlyTheOutputIsEnough) {
    FaultyFileSystem fs;
    fs.writeFailsAfter = kOutput.size();
    ScriptedRunHost host;
    ASSERT_TRUE(Run(fs, host));
    EXPECT_EQ(ReadBytes(output), kOutput);
}

// One broken system call per row; the message names the file that call was about.
struct FaultCase {
    const char* name;
    void (*breakDisk)(FaultyFileSystem&);
    bool aboutInput;      // the message names the input, else the output
    std::string message;  // what the user reads, "<path>" standing for the file
};

class SingleFault : public FileFaultTest, public testing::WithParamInterface<FaultCase> {};

TEST_P(SingleFault, IsShownAndChangesNothing) {
    const FaultCase& c = GetParam();
    FaultyFileSystem fs;
    c.breakDisk(fs);
    ScriptedRunHost host;
    EXPECT_FALSE(Run(fs, host));

    std::string message = c.message;
    message.replace(message.find("<path>"), 6, c.aboutInput ? input : output);
    EXPECT_EQ(host.shown, (std::vector<std::string>{kQuestion, message}));
    ExpectNothingChanged();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SingleFault,
    testing::Values(
        FaultCase{"ReadFailsHalfWay",
                  [](FaultyFileSystem& fs) { fs.readFailsAfter = kInput.size() / 2; }, true,
                  "Cannot read the input file <path>: Input/output error"},
        FaultCase{"ReadFailsHalfWayInSmallPieces",
                  [](FaultyFileSystem& fs) {
                      fs.readChunk = 5;
                      fs.readFailsAfter = kInput.size() / 2;
                  },
                  true, "Cannot read the input file <path>: Input/output error"},
        FaultCase{"FirstReadFails", [](FaultyFileSystem& fs) { fs.readFailsAfter = 0; }, true,
                  "Cannot read the input file <path>: Input/output error"},
        FaultCase{"FolderNotWritable", [](FaultyFileSystem& fs) { fs.createError = EACCES; }, false,
                  "Cannot create the output file <path>: Permission denied"},
        FaultCase{"ReadOnlyDisk", [](FaultyFileSystem& fs) { fs.createError = EROFS; }, false,
                  "Cannot create the output file <path>: Read-only file system"},
        FaultCase{"NoRoomForANewFile", [](FaultyFileSystem& fs) { fs.createError = ENOSPC; }, false,
                  "Cannot create the output file <path>: No space left on device"},
        FaultCase{"FsyncFails", [](FaultyFileSystem& fs) { fs.fsyncError = EIO; }, false,
                  "Cannot write the output file <path>: Input/output error"},
        FaultCase{"FsyncFindsTheDiskFull", [](FaultyFileSystem& fs) { fs.fsyncError = ENOSPC; },
                  false, "Cannot write the output file <path>: No space left on device"},
        FaultCase{"CloseFails", [](FaultyFileSystem& fs) { fs.closeOutputError = EIO; }, false,
                  "Cannot write the output file <path>: Input/output error"},
        FaultCase{"RenameFails", [](FaultyFileSystem& fs) { fs.renameError = EACCES; }, false,
                  "Cannot save the output file <path>: Permission denied"},
        FaultCase{"RenameAcrossDisks", [](FaultyFileSystem& fs) { fs.renameError = EXDEV; }, false,
                  "Cannot save the output file <path>: Invalid cross-device link"}),
    [](const testing::TestParamInfo<FaultCase>& info) { return info.param.name; });

TEST_F(FileFaultTest, OutputNameIsAFolder) {
    ASSERT_TRUE(std::filesystem::remove(output));
    std::filesystem::create_directory(output);
    folder.Write("Song_D.txt/inside.txt", kOldOutput);
    before = folder.Names();

    FaultyFileSystem fs;
    ScriptedRunHost host;
    EXPECT_FALSE(Run(fs, host));
    EXPECT_EQ(host.shown, (std::vector<std::string>{kQuestion, "Cannot save the output file " +
                                                                   output + ": Is a directory"}));
    EXPECT_EQ(ReadBytes(input), kInput);
    EXPECT_EQ(folder.Names(), before);
    EXPECT_EQ(ReadBytes(output + "/inside.txt"), kOldOutput);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(output),
                            std::filesystem::directory_iterator()),
              1);
}

// The figured-bass runs write through the same frame; a full disk keeps their old output too.
TEST(FiguredBassFaults, DiskFullKeepsTheOldOutputInBothDirections) {
    struct Case {
        const char* name;
        int mode;
        const char* input;
        const char* output;
    };
    for (const Case& c : {Case{"KeyToFiguredBass", 3, "Song_C.txt", "Song_.txt"},
                          Case{"FiguredBassToKey", 2, "Song_.txt", "Song_D.txt"}}) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        const std::string input = folder.Write(c.input, "^C Am7 F/G\r\n");
        const std::string output = folder.Write(c.output, kOldOutput);
        const std::set<std::string> before = folder.Names();
        ModGlobals globals;
        globals.ConvertMode = c.mode;
        lstKey_Click(globals);
        ScriptedRunHost host;
        host.chosenPath = input;
        host.selectedKey = kKeyD;
        FaultyFileSystem fs;
        fs.writeFailsAfter = 5;

        EXPECT_FALSE(RunConversion(globals, host, fs));
        EXPECT_EQ(host.shown,
                  (std::vector<std::string>{kQuestion, "Cannot write the output file " + output +
                                                           ": No space left on device"}));
        EXPECT_EQ(ReadBytes(input), "^C Am7 F/G\r\n");
        EXPECT_EQ(ReadBytes(output), kOldOutput);
        EXPECT_EQ(folder.Names(), before);
    }
}

// The file is deleted by someone else after the dialog closed and before the run opens it.
class VanishingInputHost : public ScriptedRunHost {
public:
    std::optional<std::string> ChooseInputFile() override {
        std::optional<std::string> path = ScriptedRunHost::ChooseInputFile();
        std::filesystem::remove(*path);
        return path;
    }
};

TEST_F(FileFaultTest, InputVanishesAfterTheDialog) {
    FaultyFileSystem fs;
    VanishingInputHost host;
    EXPECT_FALSE(Run(fs, host));
    EXPECT_EQ(host.shown, std::vector<std::string>{"Cannot open the input file " + input +
                                                   ": No such file or directory"});
    EXPECT_EQ(ReadBytes(output), kOldOutput);
    EXPECT_EQ(folder.Names(), std::set<std::string>{"Song_D.txt"});
}

}  // namespace
}  // namespace lw
