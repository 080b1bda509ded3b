// Safe writing: the permissions an output gets, a set of outputs put in place together on a
// broken disk, and the temporary files that killed runs leave behind.

#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <optional>
#include <set>

#include "FaultyFileSystem.h"
#include "TempFolder.h"
#include "io/FileError.h"
#include "io/OutputSet.h"

namespace lw::test {
namespace {

using Texts = std::vector<std::string>;

// An output keeps the bytes as written, through the buffer or past it. It gets the permissions
// of the file it replaces if the user owns it, else those of the input, never more than the
// umask allows. Its temporary file is created with them unless others could write into it so,
// or the umask would take some away: then it is private until its last byte is written. A
// single output is synced by itself before its rename, and its folder after.
TEST(OutputFile, KeepsTheBytesAndGetsThePermissionsOfTheUsersOwnFileOrTheInput) {
    // clang-format off
    const struct { const char* name; std::optional<mode_t> oldMode; uid_t owner; mode_t inputMode, umask, created, expected; const char* calls; } cases[] = {
        {"a private output stays private", 0600, geteuid(), 0644, 022, 0600, 0600, "open-folder write write write fsync rename fsync "},
        {"no group write the umask takes away", 0666, geteuid(), 0644, 022, 0644, 0644, "open-folder write write write fsync rename fsync "},
        {"nothing from a 0600 file someone else planted", 0600, 65534, 0644, 022, 0644, 0644, "open-folder write write write fsync rename fsync "},
        {"a new output from a private input is private", std::nullopt, 0, 0600, 022, 0600, 0600, "open-folder write write write fsync rename fsync "},
        {"a new output has the input's permissions less the umask", std::nullopt, 0, 0666, 022, 0644, 0644, "open-folder write write write fsync rename fsync "},
        {"an output others may write is private until written", std::nullopt, 0, 0664, 002, 0600, 0664, "open-folder write write write fchmod fsync rename fsync "},
        {"a replaced file's read bits the umask would take away", 0644, geteuid(), 0600, 077, 0600, 0644, "open-folder write write write fchmod fsync rename fsync "},
    };
    // clang-format on
    const std::string big(300 * 1024, 'x');  // more than the buffer holds
    for (const auto& c : cases) {
        if (c.oldMode && c.owner != geteuid() && geteuid() != 0) continue;  // only root can chown
        SCOPED_TRACE(c.name);
        const TempFolder folder;
        const std::string output = folder.Path("Song_D.txt");
        struct stat replaced {};
        if (c.oldMode) {
            folder.Write("Song_D.txt", "old");
            ASSERT_EQ(chmod(output.c_str(), *c.oldMode), 0);
            ASSERT_EQ(chown(output.c_str(), c.owner, c.owner), 0);
            ASSERT_EQ(lstat(output.c_str(), &replaced), 0);
        }
        const mode_t umaskBefore = umask(c.umask);
        FaultyFileSystem fs;
        OutputSet set(fs);
        auto file = set.Create(output, c.inputMode, c.oldMode ? &replaced : nullptr);
        file->Write("{title: A}\n");
        file->WriteLine("^C");
        file->Write(big);
        file->Write("\r");
        set.Add(std::move(file));
        EXPECT_TRUE(set.Publish().empty());
        umask(umaskBefore);
        EXPECT_EQ(ReadBytes(output), "{title: A}\n^C\r\n" + big + "\r");
        EXPECT_EQ(int(std::filesystem::status(output).permissions()), int(c.expected));
        EXPECT_EQ(fs.createModes, (std::vector<mode_t>{0600, c.created}));
        EXPECT_EQ(fs.calls, c.calls);
    }
}

const Texts kA{"A_D.txt"}, kAB{"A_D.txt", "B_D.txt"};

// The messages ("{dir}" for the folder) and the folder's contents afterwards; where a row gives
// them, the calls that make the outputs durable and the permissions of each file created (the
// lock, then each output). A set first creates its lock on the folder, again if another run
// removed it before it was locked, then opens the folder for its sync before the first output
// is written there; a folder that cannot be read is synced through its file system, with the
// lock's descriptor opened before that write.
// clang-format off
struct SetCase { const char* name; Texts outputs; Faults faults; Texts messages; std::string contents, calls = {}; std::vector<mode_t> createModes = {}; };
const SetCase kSetCases[] = {
    {"a set puts every output in place", kAB, {}, {}, "A_D.txt=A B_D.txt=B"},
    {"a failed syncfs keeps every old output", kAB, {.syncfsError = EIO}, {"Cannot write the output file {dir}/A_D.txt: Input/output error", "Cannot write the output file {dir}/B_D.txt: Input/output error"}, "A_D.txt=old B_D.txt=old"},
    {"a failed fsync of a set of one keeps its old output", kA, {.fsyncError = EIO}, {"Cannot write the output file {dir}/A_D.txt: Input/output error"}, "A_D.txt=old B_D.txt=old"},
    {"a write that fails at close keeps that old output", kAB, {.closeError = EDQUOT}, {"Cannot write the output file {dir}/B_D.txt: Disk quota exceeded"}, "A_D.txt=A B_D.txt=old"},
    // a larger set syncs no file by itself: the failed fsync is its folder's
    {"a failed folder sync is reported for the outputs put in place", kAB, {.fsyncError = EIO}, {"Cannot save the output file {dir}/A_D.txt: Input/output error", "Cannot save the output file {dir}/B_D.txt: Input/output error"}, "A_D.txt=A B_D.txt=B"},
    {"a failed rename keeps the old output", kA, {.renameError = EACCES}, {"Cannot save the output file {dir}/A_D.txt: Permission denied"}, "A_D.txt=old B_D.txt=old"},
    {"no output without a lock", kA, {.flockError = ENOLCK}, {"Cannot create the output file {dir}/A_D.txt: No locks available"}, "A_D.txt=old B_D.txt=old"},
    {"an output in a folder that cannot be read is written", kA, {.folderOpenError = EACCES}, {}, "A_D.txt=A B_D.txt=old", "write fsync rename syncfs "},
    {"a set in a folder that cannot be read is written", kAB, {.folderOpenError = EACCES}, {}, "A_D.txt=A B_D.txt=B"},
    {"a folder that cannot be read and a failed syncfs after the rename", kA, {.syncfsError = EIO, .folderOpenError = EACCES}, {"Cannot save the output file {dir}/A_D.txt: Input/output error"}, "A_D.txt=A B_D.txt=old"},
    {"a failed writeback hint is no failure", kA, {.writebackError = EIO}, {}, "A_D.txt=A B_D.txt=old"},
    {"a lock that another run removed before it was locked", kA, {.takenBeforeLock = 0}, {}, "A_D.txt=A B_D.txt=old", "open-folder write fsync rename fsync ", {0600, 0600, 0644}},
};
// clang-format on

// Writes the named outputs, each with its first letter as text, as one set; every message,
// with "{dir}" for the folder.
Texts WriteSet(const TempFolder& folder, const Texts& names, FileSystem& fs) {
    Texts messages;
    OutputSet set(fs);
    for (const std::string& name : names) {
        try {
            std::unique_ptr<AtomicOutputFile> output = set.Create(folder.Path(name), 0644, nullptr);
            output->Write(name.substr(0, 1));
            set.Add(std::move(output));
        } catch (const FileError& failure) {
            messages.push_back(failure.what());
        }
    }
    for (const OutputSet::Failure& failure : set.Publish()) messages.push_back(failure.message);
    const std::string dir = folder.path.string();
    for (std::string& message : messages) message.replace(message.find(dir), dir.size(), "{dir}");
    return messages;
}

TEST(OutputSet, KeepsTheOldOutputOfEveryFileItCannotSync) {
    const mode_t umaskBefore = umask(022);
    for (const SetCase& c : kSetCases) {
        const TempFolder folder;
        for (const char* name : {"A_D.txt", "B_D.txt"}) folder.Write(name, "old");
        FaultyFileSystem fs(c.faults);
        EXPECT_EQ(WriteSet(folder, c.outputs, fs), c.messages) << c.name;
        std::string contents;  // "name=bytes" for every file, in name order
        for (const std::string& name : folder.Names())
            contents += (contents.empty() ? "" : " ") + name + "=" + ReadBytes(folder.Path(name));
        EXPECT_EQ(contents, c.contents) << c.name;
        EXPECT_EQ(c.calls.empty() ? "" : fs.calls, c.calls) << c.name;
        EXPECT_EQ(c.createModes.empty() ? c.createModes : fs.createModes, c.createModes) << c.name;
    }
    umask(umaskBefore);
}

// Temporary files in the folder before an output is written there, as the test holds them.
enum class Held { No, Locked, Fifo };
// clang-format off
struct Planted { const char* why; std::string name; Held held; bool kept; };
const Planted kPlanted[] = {
    {"left by a killed run", ".leadwright-0123456789abcdef.tmp", Held::No, false},
    {"written by a live run", ".leadwright-00000001aaaaaaaa.tmp", Held::Locked, true},
    {"a live set's lock on its folder", ".leadwright-0000000200000000.tmp", Held::Locked, true},
    {"closed by that live set", ".leadwright-00000002aaaaaaaa.tmp", Held::No, true},
    {"a killed set's lock on its folder", ".leadwright-0000000300000000.tmp", Held::No, false},
    {"closed by that killed set", ".leadwright-00000003aaaaaaaa.tmp", Held::No, false},
    {"not our name: capitals", ".leadwright-0123456789ABCDEF.tmp", Held::No, true},
    {"not our name: seventeen digits", ".leadwright-0123456789abcdef0.tmp", Held::No, true},
    {"a fifo, never waited for", ".leadwright-4444444444444444.tmp", Held::Fifo, true},
};
// clang-format on

// A set in two folders removes the temporary files of killed runs only, then makes one syncfs
// for its file system, the renames, and one sync for each folder.
TEST(OutputSet, RemovesTheTemporaryFilesOfKilledRunsOnlyAndSyncsEachFolderOnce) {
    const TempFolder folder;
    std::filesystem::create_directory(folder.Path("sub"));
    std::vector<int> locks;
    std::set<std::string> kept{"A_D.txt", "C_D.txt", "sub"};
    for (const Planted& planted : kPlanted) {
        const std::string path = folder.Path(planted.name);
        if (planted.held != Held::Fifo) folder.Write(planted.name, planted.why);
        ASSERT_EQ(planted.held == Held::Fifo ? mkfifo(path.c_str(), 0600) : 0, 0);
        if (planted.held == Held::Locked) locks.push_back(open(path.c_str(), O_RDONLY));
        if (planted.kept) kept.insert(planted.name);
    }
    for (const int fd : locks) ASSERT_EQ(flock(fd, LOCK_EX), 0);
    FaultyFileSystem fs;
    EXPECT_EQ(WriteSet(folder, {"A_D.txt", "sub/B_D.txt", "C_D.txt"}, fs), Texts{});
    EXPECT_EQ(folder.Names(), kept);
    EXPECT_EQ(fs.calls, "open-folder write open-folder write write syncfs rename rename rename fsync "
                        "fsync ");
    for (const int fd : locks) close(fd);
}

}  // namespace
}  // namespace lw::test
