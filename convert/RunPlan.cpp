#include "convert/RunPlan.h"

#include "sheets/ChordProKeys.h"
#include "sheets/ChordProPath.h"
#include "sheets/ChordProRewriter.h"
#include "sheets/OutputPath.h"
#include "core/KeyFromFilename.h"
#include "io/FileNames.h"
#include "io/FileError.h"
#include "io/LineReader.h"

namespace lw {

namespace {

// Degrees are relative, so a figured-bass sheet is read as if it were in A major.
constexpr std::string_view NeutralKeyFileName = "XXXX_A.txt";

// How much of the input is read between two progress reports.
constexpr std::uint64_t kProgressEvery = 1 << 20;

// How much of a ChordPro sheet's output gathers before it is written.
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
    return Conversion{
        static_cast<std::size_t>(globals.InputKeyLength), globals.OutputKeyName,
        ChordLineRewriter(Notation::Letters, step, SpelledNoteNames(SpellingOf(globals), messenger),
                          messenger),
        step};
}

// Every note to its degree in the key of the file name; the output name carries no key.
Conversion KeyToFigBass(ModGlobals& globals, Messenger& messenger) {
    globals.OutputKeyCode = KeySpellings[0].code;
    globals.UseSharps = false;
    const int step = globals.OutputKeyCode - globals.InputKeyCode;
    return Conversion{static_cast<std::size_t>(globals.InputKeyLength), "",
                      ChordLineRewriter(Notation::Letters, step, DegreeNames, messenger), step};
}

// Every degree token to a note in the key chosen in the key list; the key goes right before
// the dot of the figured-bass name.
std::optional<Conversion> FigBassToKey(ModGlobals& globals, const RunChoices& choices,
                                       Messenger& messenger) {
    if (!TakeOutputKeyFromList(globals, choices)) return std::nullopt;
    globals.OutputKeyName = OutputKeyNameOf(globals);
    const int step = globals.OutputKeyCode - globals.InputKeyCode;
    return Conversion{
        0, globals.OutputKeyName,
        ChordLineRewriter(Notation::Degrees, step, SpelledNoteNames(SpellingOf(globals), messenger),
                          messenger),
        step};
}

// Another path for the input file itself (a link, or a name the file system folds).
bool IsSameFile(const std::string& path, const struct stat& input, FileSystem& fs) {
    struct stat output {};
    return fs.Stat(path.c_str(), &output) == 0 && output.st_dev == input.st_dev &&
           output.st_ino == input.st_ino;
}

// A chord line's first character is the whole marker: a longer marker matches no line, an
// empty one only empty lines. firstPiece is the line's first piece, which holds its first byte.
bool IsChordLine(std::string_view firstPiece, bool endsLine, std::string_view marker) {
    return firstPiece.substr(0, 1) == marker && (!marker.empty() || endsLine);
}

std::string_view LineEndBytes(LineEnd end) {
    switch (end) {
        case LineEnd::CrLf:
            return "\r\n";
        case LineEnd::Lf:
            return "\n";
        case LineEnd::Cr:
            return "\r";
        default:
            return "";
    }
}

// Reads the key of a ChordPro sheet into globals as a lead sheet's is read from its name; a
// sheet with no key at all may still go By Step. The characters its name's key takes, or
// nothing after its message.
std::optional<std::size_t> TakeChordProKey(ModGlobals& globals, const RunChoices& choices,
                                           const ChordProKeys& keys, Messenger& messenger) {
    if (keys.sheet) {
        globals.InputKeyCode = keys.sheet->code;
        globals.InputKeyIsMinor = keys.sheet->minor;
    } else if (choices.visibleList == ShownList::Step) {
        globals.InputKeyCode = 0;  // only the step names the output
        globals.InputKeyIsMinor = false;
    } else {
        messenger.ShowMessage(kNoKeyInDirective);
        return std::nullopt;
    }
    globals.InputKeyLength = static_cast<int>(keys.keyLengthInName);
    return keys.keyLengthInName;
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
    const bool chordPro = choices.format == SheetFormat::ChordPro ||
                          (choices.format == SheetFormat::Auto && IsChordProName(inputPath));
    const bool figuredBassInput = globals.ConvertMode == ConvertMode::FiguredBassToKey;
    if (figuredBassInput && !IsFiguredBassName(inputPath)) {
        host.ShowMessage("Not a proper Figured Bass filename!!");
        return std::nullopt;
    }
    LineReader reader(inputPath, fs);
    const struct stat input = reader.Identity();
    std::optional<ChordProKeys> chordProKeys;
    if (chordPro) {
        if (FileNameOf(inputPath).find('.') == std::string_view::npos) {
            host.ShowMessage("ERROR! '.' not found in input filename...");
            return std::nullopt;
        }
        chordProKeys = ReadChordProKeys(inputPath, reader, !figuredBassInput, host);
        if (!chordProKeys) return std::nullopt;
    }
    if (figuredBassInput)
        GetKeyCodeFromFilename(NeutralKeyFileName, globals, host);
    else if (chordPro ? !TakeChordProKey(globals, choices, *chordProKeys, host)
                      : !GetKeyCodeFromFilename(inputPath, globals, host))
        return std::nullopt;

    std::optional<Conversion> conversion;
    switch (globals.ConvertMode) {
        case ConvertMode::KeyToFiguredBass:
            conversion = KeyToFigBass(globals, host);
            break;
        case ConvertMode::FiguredBassToKey:
            conversion = FigBassToKey(globals, choices, host);
            break;
        default:
            conversion = TransposeRun(globals, choices, host);
    }
    if (!conversion) {
        host.ShowMessage("Subscript out of range: no key is selected");
        return std::nullopt;
    }

    std::string outputPath;
    std::optional<ChordLineRewriter> keys;
    if (!chordPro) {
        outputPath = BuildOutputPath(inputPath, conversion->replacedKeyLength,
                                     conversion->outputKeyName, globals.FileExtension);
    } else {
        // A sheet with no key anywhere is named by its step: "Song_+2.cho".
        const bool keyless = !figuredBassInput && !chordProKeys->sheet;
        outputPath = ChordProOutputPath(
            inputPath, conversion->replacedKeyLength,
            keyless ? SignedStepName(conversion->step) : conversion->outputKeyName);
        if (!figuredBassInput && globals.ConvertMode != ConvertMode::KeyToFiguredBass) {
            keys = conversion->rewriter;  // a key directive moves with the chords
        } else if (figuredBassInput && chordProKeys->firstDirective) {
            // The first directive becomes the chosen key; later ones keep their distance to it.
            keys = ChordLineRewriter(
                Notation::Letters, globals.OutputKeyCode - chordProKeys->firstDirective->code,
                SpelledNoteNames(SpellingOf(globals), host), host);
        }
    }
    host.SetStatusField(StatusField::OutputFile, outputPath);
    if (outputPath == inputPath || IsSameFile(outputPath, input, fs)) {
        host.ShowMessage("ERROR! Input and Output Filenames are the same...");
        return std::nullopt;
    }
    struct stat existing {};
    const bool replacesFile = fs.Lstat(outputPath.c_str(), &existing) == 0;
    return RunPlan{inputPath,
                   input,
                   std::move(outputPath),
                   replacesFile,
                   conversion->rewriter,
                   globals.ChordLineMarker,
                   conversion->step,
                   chordPro,
                   figuredBassInput ? Notation::Degrees : Notation::Letters,
                   std::move(keys)};
}

bool ExecutePlan(const RunPlan& plan, ModGlobals& globals, RunHost& host, OutputSet& outputs,
                 FileSystem& fs) {
    LineReader input(plan.inputPath, fs);
    const struct stat& now = input.Identity();
    if (now.st_dev != plan.input.st_dev || now.st_ino != plan.input.st_ino ||
        now.st_size != plan.input.st_size || now.st_mtim.tv_sec != plan.input.st_mtim.tv_sec ||
        now.st_mtim.tv_nsec != plan.input.st_mtim.tv_nsec)
        ThrowFileError("Cannot read the input file", plan.inputPath,
                       "the file changed while it was read");
    std::unique_ptr<AtomicOutputFile> output = outputs.Create(plan.outputPath, now.st_mode);
    std::optional<ChordProRewriter> sheet;
    if (plan.chordPro) sheet.emplace(plan.rewriter, plan.notation, plan.keys);
    ChordLineRewriter::ScanState scan;
    std::string converted;
    bool lineStart = true, chordLine = false, stepRecorded = false;
    std::uint64_t nextReport = kProgressEvery;
    // A line comes in one piece, or in several when it is longer than the reader's buffer.
    while (const std::optional<Piece> piece = input.NextPiece()) {
        const bool endsLine = piece->end != LineEnd::Continues;
        std::size_t notes = 0;
        std::size_t lineBegin = 0;  // where the piece's output starts in converted
        if (sheet) {
            lineBegin = converted.size();
            notes = sheet->Rewrite(piece->bytes, endsLine, converted, host);
        } else {
            if (lineStart) chordLine = IsChordLine(piece->bytes, endsLine, plan.chordLineMarker);
            if (chordLine) notes = plan.rewriter.Feed(scan, piece->bytes, endsLine, converted, host);
        }
        const bool rewritten = sheet || chordLine;
        if (lineStart) {
            host.SetStatusField(StatusField::InputLine, piece->bytes);
            if (rewritten)
                host.SetStatusField(StatusField::OutputLine,
                                    std::string_view(converted).substr(lineBegin));
        }
        if (sheet) {
            // A ChordPro sheet keeps each line's own line end, and adds none after a last line
            // that has none.
            if (endsLine) converted += LineEndBytes(piece->end);
            if (converted.size() >= kOutputBlock) {  // written a block at a time
                output->Write(converted);
                converted.clear();
            }
        } else {
            output->Write(chordLine ? std::string_view(converted) : piece->bytes);
            if (endsLine) output->Write("\r\n");  // every line of a lead sheet ends in CR LF
        }
        if (notes > 0 && !stepRecorded) {
            globals.StepSemitones = plan.step;  // as the next run expects
            stepRecorded = true;
        }
        lineStart = endsLine;
        if (input.BytesRead() >= nextReport) {
            if (!host.KeepGoing({input.BytesRead(), input.Size(), 0, 1, plan.inputPath}))
                return false;
            nextReport = input.BytesRead() + kProgressEvery;
        }
    }
    if (sheet) output->Write(converted);
    outputs.Add(std::move(output));
    return true;
}

}  // namespace lw
