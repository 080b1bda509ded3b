#pragma once

#include <memory>
#include <optional>
#include <string>

#include "convert/ChordLineRewriter.h"
#include "convert/RunHost.h"
#include "core/ModGlobals.h"
#include "io/AtomicOutputFile.h"
#include "io/FileSystem.h"
#include "io/LineReader.h"

namespace lw {

// Which selection list the window shows; By Step runs are told apart from By Key by it.
enum class ShownList { Key, Step, None };

// What the window's controls say when File, Open is chosen.
struct RunChoices {
    ShownList visibleList = ShownList::Key;
    std::optional<int> keyIndex;           // the selected row of the key list, if any
    Spelling preference = Spelling::Flat;  // the "#" and "b" buttons
};

// One conversion, ready to write once the user agrees.
struct RunPlan {
    std::unique_ptr<LineReader> input;  // opened before its key was read
    std::string outputPath;
    ChordLineRewriter rewriter;
    std::string chordLineMarker;
    int step;  // the interval StepSemitones records once a note has been converted
};

// Whether a run may start: every mode but Key to Figured Bass needs a key or a step chosen
// first. Otherwise shows "ERROR! Select an output key or interval..." and gives false.
bool CheckSelection(const ModGlobals& globals, Messenger& messenger);

// Turns the mode in globals, the choices and the chosen input path into a plan: opens the
// input, reads its key and names the output, showing both paths in the status fields. Stores
// the input and output keys in globals as the runs leave them. Nothing, after its message,
// when the run must end here; throws FileError when the input cannot be opened.
std::optional<RunPlan> PlanRun(ModGlobals& globals, const RunChoices& choices,
                               const std::string& inputPath, RunHost& host,
                               FileSystem& fs = SystemFileSystem());

// Streams the input into the output, rewriting every chord line, and puts the output in
// place. False when the host cancelled: nothing is written then. Throws FileError.
bool ExecutePlan(RunPlan& plan, ModGlobals& globals, RunHost& host,
                 FileSystem& fs = SystemFileSystem());

// The same up to the last line: the output file, still to be put in place (Commit, or Close
// and PublishTogether); nothing when the host cancelled.
std::unique_ptr<AtomicOutputFile> WriteOutput(RunPlan& plan, ModGlobals& globals, RunHost& host,
                                              FileSystem& fs = SystemFileSystem());

}  // namespace lw
