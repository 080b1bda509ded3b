#pragma once

#include <sys/stat.h>

#include <optional>
#include <string>

#include "core/ChordLineRewriter.h"
#include "io/OutputSet.h"
#include "convert/RunHost.h"
#include "core/ModGlobals.h"
#include "io/FileSystem.h"

namespace lw {

// Which selection list the window shows; By Step runs are told apart from By Key by it.
enum class ShownList { Key, Step, None };

// How a sheet is read: by its extension (.cho, .crd, .chopro, .chordpro and .pro are ChordPro
// sheets), or all as one kind.
enum class SheetFormat { Auto, LeadSheet, ChordPro };

// What the window's controls say when File, Open is chosen.
struct RunChoices {
    ShownList visibleList = ShownList::Key;
    std::optional<int> keyIndex;           // the selected row of the key list, if any
    Spelling preference = Spelling::Flat;  // the "#" and "b" buttons
    SheetFormat format = SheetFormat::Auto;
};

// One conversion, ready to write once the user agrees. It holds no open file, so a batch can
// keep the plans of a thousand files.
struct RunPlan {
    std::string inputPath;
    struct stat input;  // the input as it was planned; it must be the same file when written
    std::string outputPath;
    bool replacesFile;  // a file of the output's name exists now
    ChordLineRewriter rewriter;
    std::string chordLineMarker;
    int step;  // the interval StepSemitones records once a note has been converted

    // A ChordPro sheet: its chords in brackets and grids name notes by notation; keys rewrites
    // its key directives, which are kept without one.
    bool chordPro;
    Notation notation;
    std::optional<ChordLineRewriter> keys;
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

// Streams the input into a new output file, rewriting every chord line, and hands the
// finished file to outputs, which puts it in place with the rest of its set. False when the
// host cancelled: nothing is handed over then. Throws FileError.
bool ExecutePlan(const RunPlan& plan, ModGlobals& globals, RunHost& host, OutputSet& outputs,
                 FileSystem& fs = SystemFileSystem());

}  // namespace lw
