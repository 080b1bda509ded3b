#include "RunFrame.h"

#include <new>
#include <optional>

#include "AtomicOutputFile.h"
#include "LineReader.h"
#include "OutputPath.h"
#include "RunFailure.h"
#include "core/KeyFromFilename.h"

namespace lw {

namespace {

// A chord line's first character is the whole marker: a longer marker matches no line, an
// empty one only empty lines.
bool IsChordLine(std::string_view line, std::string_view marker) {
    return line.substr(0, 1) == marker;
}

// Another path for the input file itself (a link, or a name the file system folds).
bool IsSameFile(const std::string& path, const struct stat& input, FileSystem& fs) {
    struct stat output {};
    return fs.Stat(path.c_str(), &output) == 0 && output.st_dev == input.st_dev &&
           output.st_ino == input.st_ino;
}

void CopyLines(LineReader& input, AtomicOutputFile& output, RunSteps& steps,
               std::string_view marker, RunHost& host) {
    std::string converted;
    while (const std::optional<std::string_view> line = input.NextLine()) {
        host.SetStatusField(StatusField::InputLine, *line);
        if (IsChordLine(*line, marker)) {
            steps.ConvertChordLine(*line, converted);
            output.WriteLine(converted);
            host.SetStatusField(StatusField::OutputLine, converted);
        } else {
            output.WriteLine(*line);
        }
    }
}

}  // namespace

bool RunSteps::AcceptsInputPath(std::string_view, RunHost&) { return true; }

bool RunSteps::ReadInputKey(std::string_view path, ModGlobals& globals, RunHost& host) {
    return GetKeyCodeFromFilename(path, globals, host);
}

void TakeOutputKeyFromList(ModGlobals& globals, const RunHost& host) {
    const std::optional<int> index = host.SelectedKeyIndex();
    if (!index || *index < 0 || static_cast<std::size_t>(*index) >= kKeyCount)
        throw RunFailure("Subscript out of range: no key is selected");
    const auto key = static_cast<std::size_t>(*index);
    globals.OutputKeyCode = KeySpellingCodes[key];
    globals.UseSharps = KeyListSpellings[key] == Spelling::Sharp;
}

bool RunFrame(RunSteps& steps, ModGlobals& globals, RunHost& host, FileSystem& fs) {
    if (steps.NeedsSelection() && !globals.StepSemitones) {
        host.ShowMessage("ERROR! Select an output key or interval...");
        return false;
    }
    const std::optional<std::string> inputPath = host.ChooseInputFile();
    if (!inputPath) return false;

    try {
        host.SetStatusField(StatusField::InputFile, *inputPath);
        if (!steps.AcceptsInputPath(*inputPath, host)) return false;
        LineReader input(*inputPath, fs);
        if (!steps.ReadInputKey(*inputPath, globals, host)) return false;

        const OutputKeyInName key = steps.ChooseOutputKey(globals, host);
        const std::string outputPath =
            BuildOutputPath(*inputPath, key.replacedLength, key.name, globals.FileExtension);
        host.SetStatusField(StatusField::OutputFile, outputPath);
        if (outputPath == *inputPath || IsSameFile(outputPath, input.Identity(), fs)) {
            host.ShowMessage("ERROR! Input and Output Filenames are the same...");
            return false;
        }
        if (!host.AskOkCancel("Any you ready to write the file?")) return false;

        AtomicOutputFile output(outputPath, fs);
        CopyLines(input, output, steps, globals.ChordLineMarker, host);
        output.Commit();
        return true;
    } catch (const RunFailure& failure) {
        host.ShowMessage(failure.what());
    } catch (const std::bad_alloc&) {
        host.ShowMessage("Out of memory");
    }
    return false;
}

}  // namespace lw
