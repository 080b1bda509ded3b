#pragma once

#include <sys/types.h>

#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "io/AtomicOutputFile.h"
#include "io/FileSystem.h"
#include "io/LockedTemporaryFile.h"

namespace lw {

// Outputs that go in place together, with one wait for the disk per file system instead of one
// per file. Each output is written as an AtomicOutputFile from Create(), handed back with Add()
// once complete, and Publish() puts them all in place.
//
// A finished output is closed, so that a set of any size holds few descriptors: the set keeps
// one per folder written into, on a lock file of its own there (file 0 of the run, see
// TemporaryFileName). That lock keeps other runs' cleaning away from the closed outputs, and it
// is the descriptor that syncs the folder's file system: syncfs reports only the write-back
// failures that happen after its descriptor was opened, and the lock is opened before anything
// in the folder is written. The folder itself is opened for reading at the same time, before
// any output is written into it, so that its names can be synced after the renames; a folder
// the user may write into but not read is made durable by a syncfs on its lock instead.
// Outputs the set never publishes are removed with it.
class OutputSet {
public:
    explicit OutputSet(FileSystem& fs);
    ~OutputSet();
    OutputSet(const OutputSet&) = delete;
    OutputSet& operator=(const OutputSet&) = delete;

    // Starts an output at path; the first output in a folder locks it for the set and removes
    // the temporary files earlier runs left there. newFileMode (the input's st_mode) gives the
    // permissions of an output that does not exist yet, less the umask, as cp does; replaced is
    // what lstat told of the file at path, if there was one: a replaced output keeps that
    // file's permissions if the user owns it, less any group or other write bit the umask takes
    // away. Refuses a name too long before anything is written; a name that is a folder fails
    // at Publish. Throws FileError.
    std::unique_ptr<AtomicOutputFile> Create(std::string path, mode_t newFileMode,
                                             const struct stat* replaced);

    // Takes a complete output of this set: writes what is left and gives it its final
    // permissions. Throws FileError, and the output is then removed.
    void Add(std::unique_ptr<AtomicOutputFile> output);

    // What kept one added output from its name: its position in the order of Add and the
    // user's text.
    struct Failure {
        std::size_t index;
        std::string message;
    };

    // Puts the added outputs in place: a set of one is synced by itself, as a single output
    // is; a larger set with one syncfs per file system. Then it renames each output whose data
    // is on disk over its name and syncs each folder once. Every failure comes back, in the
    // order of Add; the other outputs are in place. The set is empty afterwards.
    std::vector<Failure> Publish();

private:
    struct Folder {
        LockedTemporaryFile lock;
        int descriptor;  // the folder open for reading, for its sync; -1 where it cannot be read
        dev_t device;
        bool renamedInto = false;
    };
    struct Member {
        std::unique_ptr<AtomicOutputFile> output;  // empty once it failed
        Folder* folder;
    };

    void Fail(std::size_t index, std::string_view what, int errorNumber);
    // Closes the newest member's file, which stays open in case the set ends with it alone.
    void CloseNewest();
    // Makes the renames into folder durable: 0, or the error number.
    int SyncNames(const Folder& folder);
    void ReleaseFolders();

    FileSystem& fs_;
    mode_t umask_;                           // as the set found it
    std::map<std::string, Folder> folders_;  // by path
    std::map<dev_t, int> syncDescriptors_;   // each file system's first folder lock
    std::vector<Member> members_;
    std::vector<Failure> failures_;
};

}  // namespace lw
