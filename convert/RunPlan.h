#pragma once

#include <sys/stat.h>

#include <optional>
#include <string>

#include <utility>
#include <vector>

#include "convert/RunHost.h"
#include "core/ChordLineRewriter.h"
#include "core/ModGlobals.h"
#include "io/FileSystem.h"
#include "io/OutputSet.h"
#include "sheets/SheetKind.h"

namespace lw {

// Which selection list the window shows; By Step runs are told apart from By Key by it.
enum class ShownList { Key, Step, None };

// What the window's controls say when File, Open is chosen.
struct RunChoices {
    ShownList visibleList = ShownList::Key;
    std::optional<int> keyIndex;           // the selected row of the key list, if any
    Spelling preference = Spelling::Flat;  // the "#" and "b" buttons
    const SheetKind* format = nullptr;     // every file read as this kind; none: by name and content
};

// A file's identity: its device and inode.
using FileIdentity = std::pair<dev_t, ino_t>;

// One conversion, ready to write once the user agrees. It holds no open file, so a batch can
// keep the plans of a thousand files.
struct RunPlan {
    std::string inputPath;
    struct stat input;  // the input as it was planned; it must be the same file when written
    std::string outputPath;
    // What lstat tells of the output's name now, if anything is there, and the file it leads to
    // (another through a symbolic link).
    std::optional<struct stat> outputEntry;
    std::optional<FileIdentity> outputTarget;
    const SheetKind* kind;
    ChordLineRewriter rewriter;  // moves the notes of every chord
    Notation notation;           // how the sheet's chords name their notes
    std::optional<ChordLineRewriter> keys;  // moves the sheet's own keys; none keeps them
    std::string chordLineMarker;
    int step;  // the interval StepSemitones records once a note has been converted
    bool replacesFile;                      // a file of the output's name exists now
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

// What a run gives besides its output.
struct RunOutcome {
    std::size_t notesConverted;            // none: the output is a copy
    std::vector<std::string> outputNotes;  // messages that go with the written file
};

// Streams the input into a new output file, rewriting every chord line, and hands the
// finished file to outputs, which puts it in place with the rest of its set; without outputs,
// a rehearsal, nothing is written. Nothing when the host cancelled: nothing is handed over
// then. Throws FileError.
std::optional<RunOutcome> ExecutePlan(const RunPlan& plan, ModGlobals& globals, RunHost& host,
                                      OutputSet* outputs, FileSystem& fs = SystemFileSystem());

}  // namespace lw
