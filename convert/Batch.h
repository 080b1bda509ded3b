#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "convert/RunPlan.h"

namespace lw {

// What a batch tells its shell: the messages that a single run of each file would have shown
// one by one, and its progress.
class BatchHost {
public:
    virtual ~BatchHost() = default;

    // One message about the chosen file at inputPath.
    virtual void FileMessage(std::string_view inputPath, std::string_view text) = 0;

    // Told before each output is written (filesDone of filesToWrite, currentPath next) and now
    // and then while a long one is; false cancels: the outputs finished so far are put in
    // place, the current one is not written.
    virtual bool KeepGoing(std::size_t filesDone, std::size_t filesToWrite,
                           std::string_view currentPath) = 0;
};

// One output a batch will write.
struct BatchOutput {
    std::string inputPath;
    std::string outputPath;
    bool replacesFile;  // a file of that name exists now
};

struct BatchPlan {
    std::vector<BatchOutput> outputs;
    std::size_t refused = 0;  // chosen files that will not be written, each after its message
};

struct BatchResult {
    std::size_t written = 0;
    std::size_t refused = 0;  // those of the plan too
    bool cancelled = false;
};

// Plans every chosen file as a single run of the mode and choices would, with its checks and
// messages, and refuses besides an output that is one of the chosen files or the output of an
// earlier one. Opens one input at a time and writes nothing.
BatchPlan PlanBatch(const ModGlobals& globals, const RunChoices& choices,
                    const std::vector<std::string>& inputPaths, BatchHost& host,
                    FileSystem& fs = SystemFileSystem());

// Writes every output of the plan, each planned again from the same globals, into temporary
// files closed one by one, then puts them in place together with one sync for the set (a
// single output is synced and put in place as File, Open does). A file
// that fails is reported and the others go on. Leaves globals as the last file's run did.
BatchResult ExecuteBatch(const BatchPlan& plan, ModGlobals& globals, const RunChoices& choices,
                         BatchHost& host, FileSystem& fs = SystemFileSystem());

}  // namespace lw
