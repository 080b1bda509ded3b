// The timing tool of the benchmarks, with its command line of list rows kept:
//   convert_file [--marker M] [--extension E]
//       {by-key KEY | by-step STEP #|b | to-figured-bass | from-figured-bass KEY} INPUT
// KEY is a row of the key list (0..16), STEP one of the step list (0..21). It turns them into
// leadwright-convert's arguments and runs that. Not installed; see bench/README.md.

#include <charconv>
#include <iostream>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/ConvertCommand.h"
#include "core/Tables.h"
#include "io/TemporaryFiles.h"

namespace {

constexpr std::string_view kUsage =
    "usage: convert_file [--marker M] [--extension E] "
    "{by-key KEY | by-step STEP #|b | to-figured-bass | from-figured-bass KEY} INPUT";

// A row number of a list with `rows` rows, written in plain decimal digits.
std::optional<std::size_t> ParseRow(std::string_view text, std::size_t rows) {
    std::size_t row = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, row);
    if (text.empty() || error != std::errc() || stop != end || row >= rows) return std::nullopt;
    return row;
}

std::optional<std::vector<std::string>> ConvertArgsOf(std::span<const std::string_view> args) {
    std::vector<std::string> converted;
    std::size_t i = 0;
    for (; i + 1 < args.size() && (args[i] == "--marker" || args[i] == "--extension"); i += 2)
        converted.insert(converted.end(), {std::string(args[i]), std::string(args[i + 1])});
    const std::span<const std::string_view> rest = args.subspan(i);
    if (rest.empty()) return std::nullopt;
    const std::string_view mode = rest[0];
    converted.emplace_back(mode);
    if ((mode == "by-key" || mode == "from-figured-bass") && rest.size() == 3) {
        const auto row = ParseRow(rest[1], lw::KeySpellings.size());
        if (!row) return std::nullopt;
        converted.emplace_back(lw::KeySpellings[*row].name);
    } else if (mode == "by-step" && rest.size() == 4 && (rest[2] == "#" || rest[2] == "b")) {
        const auto row = ParseRow(rest[1], lw::StepList.size());
        if (!row) return std::nullopt;
        converted.push_back(std::to_string(lw::StepList[*row].semitones));
        converted.push_back(rest[2] == "#" ? "--sharps" : "--flats");
    } else if (mode != "to-figured-bass" || rest.size() != 2) {
        return std::nullopt;
    }
    converted.insert(converted.end(), {"--", std::string(rest.back())});
    return converted;
}

}  // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    lw::RemoveTemporaryFilesOnTermination();
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    const std::optional<std::vector<std::string>> converted = ConvertArgsOf(args);
    if (!converted) {
        std::cerr << kUsage << std::endl;
        return 2;
    }
    const std::vector<std::string_view> views(converted->begin(), converted->end());
    return lw::ConvertCommandMain(views, std::cout, std::cerr);
}
