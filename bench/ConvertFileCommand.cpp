#include "bench/ConvertFileCommand.h"

#include <charconv>
#include <cstddef>
#include <string>

#include "core/Tables.h"

namespace lw {

namespace {

// A row number of a list with `rows` rows, written in plain decimal digits.
std::optional<int> ParseRow(std::string_view text, std::size_t rows) {
    int row = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, row);
    if (text.empty() || error != std::errc() || stop != end || row < 0 ||
        static_cast<std::size_t>(row) >= rows)
        return std::nullopt;
    return row;
}

std::optional<Spelling> ParseSpelling(std::string_view text) {
    if (text == "#") return Spelling::Sharp;
    if (text == "b") return Spelling::Flat;
    return std::nullopt;
}

}  // namespace

std::optional<ScriptedRun> ParseConvertFileArgs(std::span<const std::string_view> args) {
    ScriptedRun run;
    std::size_t i = 0;
    for (; i + 1 < args.size() && args[i].starts_with("--"); i += 2) {
        if (args[i] == "--marker")
            run.chordLineMarker = args[i + 1];
        else if (args[i] == "--extension")
            run.fileExtension = args[i + 1];
        else
            return std::nullopt;
    }
    if (i == args.size()) return std::nullopt;
    const std::string_view mode = args[i];
    const std::span<const std::string_view> rest = args.subspan(i + 1);

    std::optional<int> key;
    if (mode == "by-key" && rest.size() == 2) {
        run.mode = RunMode::ByKey;
        key = ParseRow(rest[0], kKeyCount);
    } else if (mode == "from-figured-bass" && rest.size() == 2) {
        run.mode = RunMode::FromFiguredBass;
        key = ParseRow(rest[0], kKeyCount);
    } else if (mode == "by-step" && rest.size() == 3) {
        run.mode = RunMode::ByStep;
        const std::optional<int> step = ParseRow(rest[0], kStepCount);
        const std::optional<Spelling> spelling = ParseSpelling(rest[1]);
        if (!step || !spelling) return std::nullopt;
        run.stepIndex = *step;
        run.preference = *spelling;
        key = 0;  // the key list plays no part
    } else if (mode == "to-figured-bass" && rest.size() == 1) {
        run.mode = RunMode::ToFiguredBass;
        key = 0;
    }
    if (!key) return std::nullopt;
    run.keyIndex = *key;
    run.inputPath = rest.back();
    return run;
}

int ConvertFileMain(std::span<const std::string_view> args, std::ostream& messages) {
    const std::optional<ScriptedRun> run = ParseConvertFileArgs(args);
    if (!run) {
        messages << kConvertFileUsage << std::endl;
        return 2;
    }
    const bool written = RunScripted(*run, [&messages](std::string_view text) {
        // One write per message: a run over a large file may show many.
        std::string line(text);
        line += '\n';
        messages << line << std::flush;
    });
    return written ? 0 : 1;
}

}  // namespace lw
