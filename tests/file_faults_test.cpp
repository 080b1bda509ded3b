// Broken disks, changing inputs, signals and permissions: an output is complete or absent, an
// old output survives every failure, and nothing private leaks.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <filesystem>

#include "FaultyFileSystem.h"
#include "RunOnce.h"
#include "io/TemporaryFiles.h"

namespace lw {
namespace {

using namespace test;

constexpr int kD = 7;
const std::string kSheet = "Title\r\n^C Am7 F/G\r\nla la la\r\n^Dm7 G7 C\r\n";

struct Fault {
    const char* name;
    void (*breakIt)(FaultyFileSystem&);
    std::string message;  // "{dir}" stands for the folder
};

const Fault kFaults[] = {
    {"the disk is full at once", [](FaultyFileSystem& fs) { fs.writeFailsAfter = 0; },
     "Cannot write the output file {dir}/Song_D.txt: No space left on device"},
    {"the disk fills after some lines", [](FaultyFileSystem& fs) { fs.writeFailsAfter = 20; },
     "Cannot write the output file {dir}/Song_D.txt: No space left on device"},
    {"a read fails", [](FaultyFileSystem& fs) { fs.readFailsAfter = 9; },
     "Cannot read the input file {dir}/Song_C.txt: Input/output error"},
    {"the input is shortened while it is read", [](FaultyFileSystem& fs) { fs.readEndsAfter = 9; },
     "Cannot read the input file {dir}/Song_C.txt: the file changed while it was read"},
    {"fsync fails", [](FaultyFileSystem& fs) { fs.fsyncError = EIO; },
     "Cannot write the output file {dir}/Song_D.txt: Input/output error"},
    {"close fails", [](FaultyFileSystem& fs) { fs.closeError = EDQUOT; },
     "Cannot write the output file {dir}/Song_D.txt: Disk quota exceeded"},
    {"rename fails", [](FaultyFileSystem& fs) { fs.renameError = EACCES; },
     "Cannot save the output file {dir}/Song_D.txt: Permission denied"},
    {"the temporary file cannot be made", [](FaultyFileSystem& fs) { fs.createError = EROFS; },
     "Cannot create the output file {dir}/Song_D.txt: Read-only file system"},
};

TEST(FileFaults, KeepTheOldOutputAndLeaveNothingBehind) {
    for (const Fault& fault : kFaults) {
        const TempFolder folder;
        folder.Write("Song_C.txt", kSheet);
        folder.Write("Song_D.txt", "the old output");
        FaultyFileSystem fs;
        fault.breakIt(fs);
        const Outcome outcome = RunOnce(ByKey(kD), folder, "Song_C.txt", fs);
        EXPECT_EQ(outcome.messages, Texts{fault.message}) << fault.name;
        EXPECT_EQ(ReadBytes(folder.Path("Song_D.txt")), "the old output") << fault.name;
        EXPECT_EQ(ReadBytes(folder.Path("Song_C.txt")), kSheet) << fault.name;
        EXPECT_EQ(folder.Names(), (std::set<std::string>{"Song_C.txt", "Song_D.txt"}))
            << fault.name;
    }
}

TEST(FileFaults, AnOutputNameThatCannotBeUsedIsRefusedBeforeReading) {
    const TempFolder folder;
    folder.Write("Song_C.txt", kSheet);
    std::filesystem::create_directory(folder.Path("Song_D.txt"));
    const Outcome outcome = RunOnce(ByKey(kD), folder, "Song_C.txt");
    EXPECT_EQ(outcome.messages,
              Texts{"Cannot save the output file {dir}/Song_D.txt: Is a directory"});
    EXPECT_EQ(outcome.host.fields[2], "");  // no line was read

    const std::string longName(249, 'x');  // 255 characters with "_C.txt"; "_Db.txt" is one more
    folder.Write(longName + "_C.txt", kSheet);
    EXPECT_EQ(
        RunOnce(ByKey(6), folder, longName + "_C.txt").messages,
        Texts{"Cannot save the output file {dir}/" + longName + "_Db.txt: File name too long"});
}

TEST(FileFaults, CancelDuringALongRunWritesNothing) {
    const TempFolder folder;
    std::string sheet;
    while (sheet.size() < 3'000'000) sheet += kSheet;
    folder.Write("Song_C.txt", sheet);
    folder.Write("Song_D.txt", "the old output");
    RecordingHost host;
    host.cancel = true;
    ModGlobals globals;
    lstKey_Click(globals);
    std::optional<RunPlan> plan = PlanRun(globals, RunChoices{ShownList::Key, kD, Spelling::Flat},
                                          folder.Path("Song_C.txt"), host);
    EXPECT_FALSE(ExecutePlan(*plan, globals, host));
    EXPECT_EQ(ReadBytes(folder.Path("Song_D.txt")), "the old output");
    EXPECT_EQ(folder.Names(), (std::set<std::string>{"Song_C.txt", "Song_D.txt"}));
}

// A termination signal in the middle of writing removes the temporary file, then ends the
// program as the signal asks.
TEST(FileFaults, ASignalDuringARunLeavesNoTemporaryFile) {
    struct SignalOnWrite : FileSystem {
        ssize_t Write(int fd, const void* buffer, size_t size) override {
            raise(SIGTERM);
            return FileSystem::Write(fd, buffer, size);
        }
    };
    const TempFolder folder;
    folder.Write("Song_C.txt", kSheet);
    const pid_t child = fork();
    if (child == 0) {
        RemoveTemporaryFilesOnTermination();
        SignalOnWrite fs;
        RunOnce(ByKey(kD), folder, "Song_C.txt", fs);
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM);
    EXPECT_EQ(folder.Names(), std::set<std::string>{"Song_C.txt"});
}

mode_t ModeOf(const std::string& path) {
    struct stat info {};
    stat(path.c_str(), &info);
    return info.st_mode & 07777;
}

// The temporary file is private while it is written; the output then gets the permissions of
// the file it replaces if the user owns it, else the default, never more than the umask allows.
TEST(FileFaults, PermissionsComeOnlyFromTheUsersOwnFile) {
    const mode_t oldUmask = umask(022);
    struct Case {
        const char* name;
        mode_t oldMode;  // 0: no old output
        bool ownedBySomeoneElse;
        mode_t expected;
    };
    const Case cases[] = {
        {"a new output", 0, false, 0644},
        {"a private output stays private", 0600, false, 0600},
        {"no group write the umask takes away", 0666, false, 0644},
        {"nothing from a file someone else planted", 0666, true, 0644},
    };
    for (const Case& c : cases) {
        const TempFolder folder;
        folder.Write("Song_C.txt", kSheet);
        if (c.oldMode != 0) {
            folder.Write("Song_D.txt", "old");
            chmod(folder.Path("Song_D.txt").c_str(), c.oldMode);
        }
        if (c.ownedBySomeoneElse && geteuid() != 0) continue;  // only root can give files away
        if (c.ownedBySomeoneElse) {
            ASSERT_EQ(chown(folder.Path("Song_D.txt").c_str(), 65534, 65534), 0);
        }
        FaultyFileSystem fs;
        EXPECT_TRUE(RunOnce(ByKey(kD), folder, "Song_C.txt", fs).written) << c.name;
        EXPECT_EQ(fs.createModes, std::vector<mode_t>{0600}) << c.name;
        EXPECT_EQ(ModeOf(folder.Path("Song_D.txt")), c.expected) << c.name;
    }
    umask(oldUmask);
}

}  // namespace
}  // namespace lw
