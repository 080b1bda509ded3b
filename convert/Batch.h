#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "convert/RunPlan.h"

namespace lw {

// What became of one chosen file.
enum class Fate {
    Refused,     // not written, after its messages
    ToWrite,     // planned, not written yet
    Written,     // a new output
    Replaced,    // an output that replaced an existing file
    NotWritten,  // planned, but the user cancelled first
};

// One chosen file of a batch: its plan, what became of it and the messages its run showed.
struct BatchFile {
    // A file whose chords are unknown to the tables may have a message for each; the first
    // few are kept, and how many more there were.
    static constexpr std::size_t kMessagesKept = 20;

    std::string inputPath;
    std::string outputPath;  // once planning has named it, also for a file refused afterwards
    std::optional<RunPlan> plan;
    ModGlobals globals;  // as the file's run leaves them
    Fate fate = Fate::Refused;
    RunOutcome run{};  // what its run gave, once it ran
    std::vector<std::string> messages;
    std::size_t moreMessages = 0;

    void Record(std::string_view message);
};

struct BatchPlan {
    std::vector<BatchFile> files;  // each chosen file once, in the order chosen

    std::size_t Count(Fate fate) const;
    std::size_t Replacing() const;  // outputs to write that replace an existing file
};

// Plans every chosen file as a single run of the mode and choices would, with its checks, and
// keeps its messages. A name chosen twice counts once, however it is spelled. Refused besides: an output that is one
// of the chosen files that will be read, and the output of an earlier file under another name.
// Opens one input at a time and writes nothing.
BatchPlan PlanBatch(const ModGlobals& globals, const RunChoices& choices,
                    const std::vector<std::string>& inputPaths, RunHost& host,
                    FileSystem& fs = SystemFileSystem());

// Executes each plan in turn into one set of outputs, put in place together once all are
// written; a file that fails is refused with its message and the others go on; Cancel keeps
// the outputs finished before it. Leaves globals and the file fields as the last written
// file's run did. False when the user cancelled.
bool ExecuteBatch(BatchPlan& plan, ModGlobals& globals, RunHost& host,
                  FileSystem& fs = SystemFileSystem());

// Runs each planned file's conversion as ExecuteBatch would, but writes nothing: each file gets
// the messages and notes of its writing, and one that cannot be read is refused. A dry run.
void RehearseBatch(BatchPlan& plan, RunHost& host, FileSystem& fs = SystemFileSystem());

// A message of the window with its details: one line per chosen file.
struct BatchReport {
    std::string text;
    std::string details;
};

// The question before a batch writes: how many outputs and how many files they replace;
// each chosen file as "input → output", or refused with its messages.
BatchReport BatchQuestion(const BatchPlan& plan);

// The summary after it: outputs written of the files chosen, and each file's fate.
BatchReport BatchSummary(const BatchPlan& plan, bool cancelled);

}  // namespace lw
