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

const Window kToD{0, 7};  // By Key, "D (Bm)"
const std::string kSheet = "Title\r\n^C Am7 F/G\r\nla la la\r\n^Dm7 G7 C\r\n";
const std::set<std::string> kBoth{"Song_C.txt", "Song_D.txt"};

// A folder with the sheet Song_C.txt and an old output Song_D.txt.
struct Songs : TempFolder {
    Songs() {
        Write("Song_C.txt", kSheet);
        Write("Song_D.txt", "the old output");
    }
};

TEST(FileFaults, KeepTheOldOutputAndLeaveNothingBehind) {
    const std::pair<void (*)(FaultyFileSystem&), const char*> faults[] = {
        {[](FaultyFileSystem& fs) { fs.writeFailsAfter = 0; },
         "Cannot write the output file {dir}/Song_D.txt: No space left on device"},
        {[](FaultyFileSystem& fs) { fs.writeFailsAfter = 20; },
         "Cannot write the output file {dir}/Song_D.txt: No space left on device"},
        {[](FaultyFileSystem& fs) { fs.readFailsAfter = 9; },
         "Cannot read the input file {dir}/Song_C.txt: Input/output error"},
        {[](FaultyFileSystem& fs) { fs.readEndsAfter = 9; },
         "Cannot read the input file {dir}/Song_C.txt: the file changed while it was read"},
        {[](FaultyFileSystem& fs) { fs.fsyncError = EIO; },
         "Cannot write the output file {dir}/Song_D.txt: Input/output error"},
        {[](FaultyFileSystem& fs) { fs.closeError = EDQUOT; },
         "Cannot write the output file {dir}/Song_D.txt: Disk quota exceeded"},
        {[](FaultyFileSystem& fs) { fs.renameError = EACCES; },
         "Cannot save the output file {dir}/Song_D.txt: Permission denied"},
        {[](FaultyFileSystem& fs) { fs.createError = EROFS; },
         "Cannot create the output file {dir}/Song_D.txt: Read-only file system"},
    };
    for (const auto& [breakIt, message] : faults) {
        const Songs folder;
        FaultyFileSystem fs;
        breakIt(fs);
        EXPECT_EQ(RunOnce(kToD, folder, "Song_C.txt", fs).messages, Texts{message});
        EXPECT_EQ(ReadBytes(folder.Path("Song_D.txt")), "the old output") << message;
        EXPECT_EQ(ReadBytes(folder.Path("Song_C.txt")), kSheet) << message;
        EXPECT_EQ(folder.Names(), kBoth) << message;
    }
}

TEST(FileFaults, AnOutputNameThatCannotBeUsedIsRefusedBeforeReading) {
    const TempFolder folder;
    folder.Write("Song_C.txt", kSheet);
    std::filesystem::create_directory(folder.Path("Song_D.txt"));
    const Outcome outcome = RunOnce(kToD, folder, "Song_C.txt");
    EXPECT_EQ(outcome.messages,
              Texts{"Cannot save the output file {dir}/Song_D.txt: Is a directory"});
    EXPECT_EQ(outcome.host.fields[2], "");  // no line was read

    const std::string name(249, 'x');  // 255 characters with "_C.txt"; "_Db.txt" is one more
    folder.Write(name + "_C.txt", kSheet);
    EXPECT_EQ(RunOnce({0, 6}, folder, name + "_C.txt").messages,
              Texts{"Cannot save the output file {dir}/" + name + "_Db.txt: File name too long"});
}

TEST(FileFaults, CancelDuringALongRunWritesNothing) {
    const Songs folder;
    std::string sheet;
    while (sheet.size() < 2'000'000) sheet += kSheet;  // long enough for a progress report
    folder.Write("Song_C.txt", sheet);
    ModGlobals globals;
    RecordingHost host;
    host.cancel = true;
    std::optional<RunPlan> plan =
        PlanRun(globals, {ShownList::Key, 7, Spelling::Flat}, folder.Path("Song_C.txt"), host);
    EXPECT_FALSE(ExecutePlan(*plan, globals, host));
    EXPECT_EQ(ReadBytes(folder.Path("Song_D.txt")), "the old output");
    EXPECT_EQ(folder.Names(), kBoth);
}

// A termination signal while the output is written removes the temporary file, then ends the
// program as the signal asks.
TEST(FileFaults, ASignalDuringARunLeavesNoTemporaryFile) {
    struct SignalOnWrite : FileSystem {
        ssize_t Write(int fd, const void* buffer, size_t size) override {
            raise(SIGTERM);
            return FileSystem::Write(fd, buffer, size);
        }
    };
    const Songs folder;
    const pid_t child = fork();
    if (child == 0) {
        RemoveTemporaryFilesOnTermination();
        SignalOnWrite fs;
        RunOnce(kToD, folder, "Song_C.txt", fs);
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM);
    EXPECT_EQ(folder.Names(), kBoth);
    EXPECT_EQ(ReadBytes(folder.Path("Song_D.txt")), "the old output");
}

// The temporary file is private while it is written; the output then gets the permissions of
// the file it replaces if the user owns it, else the default, never more than the umask allows.
TEST(FileFaults, PermissionsComeOnlyFromTheUsersOwnFile) {
    const mode_t umaskBefore = umask(022);
    const std::tuple<const char*, mode_t, uid_t, mode_t> cases[] = {
        {"a private output stays private", 0600, geteuid(), 0600},
        {"no group write the umask takes away", 0666, geteuid(), 0644},
        {"nothing from a file someone else planted", 0666, 65534, 0644},
    };
    for (const auto& [name, oldMode, owner, expected] : cases) {
        if (owner != geteuid() && geteuid() != 0) continue;  // only root gives files away
        const Songs folder;
        ASSERT_EQ(chmod(folder.Path("Song_D.txt").c_str(), oldMode), 0);
        ASSERT_EQ(chown(folder.Path("Song_D.txt").c_str(), owner, owner), 0);
        FaultyFileSystem fs;
        EXPECT_TRUE(RunOnce(kToD, folder, "Song_C.txt", fs).written) << name;
        EXPECT_EQ(fs.createModes, std::vector<mode_t>{0600}) << name;
        EXPECT_EQ(std::filesystem::status(folder.Path("Song_D.txt")).permissions(),
                  std::filesystem::perms(expected))
            << name;
    }
    umask(umaskBefore);
}

}  // namespace
}  // namespace lw
