#include "convert/RunPlan.h"

#include <cerrno>

#include "core/FileNames.h"
#include "core/KeyFromFilename.h"
#include "io/FileError.h"
#include "io/LineReader.h"
#include "sheets/OutputPath.h"
#include "sheets/SheetKinds.h"

namespace lw {

namespace {

// Degrees are relative, so a figured-bass sheet is read as if it were in A major.
constexpr std::string_view NeutralKeyFileName = "XXXX_A.txt";

// How much of the input is read between two progress reports.
constexpr std::uint64_t kProgressEvery = 1 << 20;

// How much output gathers before it is written.
constexpr std::size_t kOutputBlock = 64 * 1024;

// What the mode makes of the input key: the output key in the file name and the rewriter.
struct Conversion {
    std::size_t replacedKeyLength;  // characters of the input's key right before the dot
    std::string outputKeyName;      // what stands there instead
    ChordLineRewriter rewriter;
    int step;
};

// Takes OutputKeyCode and UseSharps from the selected row of the key list; false when none is.
bool TakeOutputKeyFromList(ModGlobals& globals, const RunChoices& choices) {
    if (!choices.keyIndex || *choices.keyIndex < 0 ||
        static_cast<std::size_t>(*choices.keyIndex) >= KeySpellings.size())
        return false;
    const KeySpelling& key = KeySpellings[static_cast<std::size_t>(*choices.keyIndex)];
    globals.OutputKeyCode = key.code;
    globals.UseSharps = key.spelling == Spelling::Sharp;
    return true;
}

// By Key or By Step, told apart by which list the window shows.
std::optional<Conversion> TransposeRun(ModGlobals& globals, const RunChoices& choices,
                                       Messenger& messenger) {
    int step = 0;
    if (choices.visibleList == ShownList::Step) {
        step = globals.StepSemitones.value_or(0);
        globals.OutputKeyCode = WrapPitchClass(globals.InputKeyCode + step);
        globals.UseSharps = choices.preference == Spelling::Sharp;
    } else {
        if (!TakeOutputKeyFromList(globals, choices)) return std::nullopt;
        step = globals.OutputKeyCode - globals.InputKeyCode;
    }
    globals.OutputKeyName = OutputKeyNameOf(globals);
    return Conversion{static_cast<std::size_t>(globals.InputKeyLength), globals.OutputKeyName,
                      ChordLineRewriter(Notation::Letters, step,
                                        SpelledNoteNames(SpellingOf(globals), messenger)),
                      step};
}

// Every note to its degree in the key of the file name; the output name carries no key.
Conversion KeyToFigBass(ModGlobals& globals) {
    globals.OutputKeyCode = KeySpellings[0].code;
    globals.UseSharps = false;
    const int step = globals.OutputKeyCode - globals.InputKeyCode;
    return Conversion{static_cast<std::size_t>(globals.InputKeyLength), "",
                      ChordLineRewriter(Notation::Letters, step, DegreeNames), step};
}

// Every degree token to a note in the key chosen in the key list; the key goes right before
// the dot of the figured-bass name.
std::optional<Conversion> FigBassToKey(ModGlobals& globals, const RunChoices& choices,
                                       Messenger& messenger) {
    if (!TakeOutputKeyFromList(globals, choices)) return std::nullopt;
    globals.OutputKeyName = OutputKeyNameOf(globals);
    const int step = globals.OutputKeyCode - globals.InputKeyCode;
    return Conversion{0, globals.OutputKeyName,
                      ChordLineRewriter(Notation::Degrees, step,
                                        SpelledNoteNames(SpellingOf(globals), messenger)),
                      step};
}

std::optional<Conversion> ConversionOf(ModGlobals& globals, const RunChoices& choices,
                                       Messenger& messenger) {
    switch (globals.ConvertMode) {
        case ConvertMode::KeyToFiguredBass:
            return KeyToFigBass(globals);
        case ConvertMode::FiguredBassToKey:
            return FigBassToKey(globals, choices, messenger);
        default:
            return TransposeRun(globals, choices, messenger);
    }
}

// What moves the keys a sheet names in its content (key directives, key lines): By Key and
// By Step move them with the chords; Key to Figured Bass keeps them, as they record the key the
// degrees came from; Figured Bass to Key makes the first the chosen key, and later ones keep
// their distance to it.
std::optional<ChordLineRewriter> KeysRewriter(const ModGlobals& globals, const Conversion& run,
                                              const SheetKeys& keys, Messenger& messenger) {
    switch (globals.ConvertMode) {
        case ConvertMode::KeyToFiguredBass:
            return std::nullopt;
        case ConvertMode::FiguredBassToKey:
            if (!keys.firstInContent) return std::nullopt;
            return ChordLineRewriter(Notation::Letters,
                                     globals.OutputKeyCode - keys.firstInContent->code,
                                     SpelledNoteNames(SpellingOf(globals), messenger));
        default:
            return run.rewriter;
    }
}

std::optional<FileIdentity> IdentityOf(const struct stat& info) {
    return FileIdentity{info.st_dev, info.st_ino};
}

}  // namespace

bool CheckSelection(const ModGlobals& globals, Messenger& messenger) {
    // Degrees need no output key, so Key to Figured Bass starts before anything is chosen.
    if (globals.ConvertMode == ConvertMode::KeyToFiguredBass || globals.StepSemitones) return true;
    messenger.ShowMessage("ERROR! Select an output key or interval...");
    return false;
}

std::optional<RunPlan> PlanRun(ModGlobals& globals, const RunChoices& choices,
                               const std::string& inputPath, RunHost& host, FileSystem& fs) {
    host.SetStatusField(StatusField::InputFile, inputPath);
    const bool figuredBassInput = globals.ConvertMode == ConvertMode::FiguredBassToKey;
    if (figuredBassInput && !IsFiguredBassName(inputPath)) {
        host.ShowMessage("Not a proper Figured Bass filename!!");
        return std::nullopt;
    }
    const Notation notation = figuredBassInput ? Notation::Degrees : Notation::Letters;
    std::optional<SheetReading> sheet;
    struct stat input {};
    {
        LineReader reader(inputPath, fs);
        input = reader.Identity();
        sheet = ReadSheet(inputPath, reader, choices.format, notation, globals);
    }
    const KeyNeed need = figuredBassInput                             ? KeyNeed::NotInName
                         : choices.visibleList == ShownList::Step ? KeyNeed::Optional
                                                                      : KeyNeed::Required;
    const std::optional<SheetKeys> keys =
        sheet->kind->TakeKey(inputPath, *sheet->content, need, globals, host);
    if (!keys) return std::nullopt;
    if (figuredBassInput) GetKeyCodeFromFilename(NeutralKeyFileName, globals, host);

    const std::optional<Conversion> conversion = ConversionOf(globals, choices, host);
    if (!conversion) {
        host.ShowMessage("Subscript out of range: no key is selected");
        return std::nullopt;
    }
    // A sheet with no key anywhere is named by its step: "Song_+2.cho".
    const std::string outputPath = OutputPathOf(
        inputPath, conversion->replacedKeyLength,
        keys->keyless ? SignedStepName(conversion->step) : conversion->outputKeyName,
        sheet->kind->OutputExtension(inputPath, globals));
    host.SetStatusField(StatusField::OutputFile, outputPath);

    // Another path for the input file itself (a link, or a name the file system folds).
    struct stat entry {}, target {};
    const bool exists = fs.Lstat(outputPath.c_str(), &entry) == 0;
    const bool leadsOn = exists && S_ISLNK(entry.st_mode);
    const bool reaches = exists && (!leadsOn || fs.Stat(outputPath.c_str(), &target) == 0);
    if (reaches && !leadsOn) target = entry;
    if (outputPath == inputPath ||
        (reaches && target.st_dev == input.st_dev && target.st_ino == input.st_ino)) {
        host.ShowMessage("ERROR! Input and Output Filenames are the same...");
        return std::nullopt;
    }
    if (reaches && S_ISDIR(target.st_mode))  // refused before the question, not after it
        ThrowFileError("Cannot save the output file", outputPath, EISDIR);
    return RunPlan{inputPath,
                   input,
                   outputPath,
                   exists ? std::optional(entry) : std::nullopt,
                   reaches ? IdentityOf(target) : std::nullopt,
                   sheet->kind,
                   conversion->rewriter,
                   notation,
                   KeysRewriter(globals, *conversion, *keys, host),
                   globals.ChordLineMarker,
                   conversion->step,
                   exists};
}

std::optional<RunOutcome> ExecutePlan(const RunPlan& plan, ModGlobals& globals, RunHost& host,
                                      OutputSet* outputs, FileSystem& fs) {
    LineReader input(plan.inputPath, fs);
    input.CheckSameFileAs(plan.input);
    std::unique_ptr<AtomicOutputFile> output;
    if (outputs)
        output = outputs->Create(plan.outputPath, input.Identity().st_mode,
                                 plan.outputEntry ? &*plan.outputEntry : nullptr);
    const std::unique_ptr<SheetRewriter> sheet = plan.kind->MakeRewriter(
        {plan.rewriter, plan.notation, plan.keys, plan.chordLineMarker});
    const bool keepsLineEnds = plan.kind->KeepsLineEnds();
    std::string converted;
    bool lineStart = true;
    std::size_t notesConverted = 0;
    std::uint64_t nextReport = kProgressEvery;
    // A line comes in one piece, or in several when it is longer than the reader's buffer.
    while (const std::optional<Piece> piece = input.NextPiece()) {
        const bool endsLine = piece->end != LineEnd::Continues;
        const std::size_t lineBegin = converted.size();  // where the piece's output starts
        const std::size_t notes = sheet->Rewrite(piece->bytes, endsLine, converted, host);
        if (lineStart) {
            host.SetStatusField(StatusField::InputLine, piece->bytes);
            if (sheet->ConvertsLine())
                host.SetStatusField(StatusField::OutputLine,
                                    std::string_view(converted).substr(lineBegin));
        }
        // A kind that keeps line ends adds none after a last line that has none.
        if (endsLine) converted += keepsLineEnds ? LineEndBytes(piece->end) : "\r\n";
        if (converted.size() >= kOutputBlock) {  // written a block at a time
            if (output) output->Write(converted);
            converted.clear();
        }
        if (notes > 0 && notesConverted == 0)
            globals.StepSemitones = plan.step;  // as the next run expects
        notesConverted += notes;
        lineStart = endsLine;
        if (input.BytesRead() >= nextReport) {
            if (!host.KeepGoing({input.BytesRead(), input.Size(), 0, 1, plan.inputPath}))
                return std::nullopt;
            nextReport = input.BytesRead() + kProgressEvery;
        }
    }
    if (outputs) {
        output->Write(converted);
        outputs->Add(std::move(output));
    }
    return RunOutcome{notesConverted, sheet->OutputNotes()};
}

}  // namespace lw
