#include "app/HelpFile.h"

#include "io/FileError.h"
#include "io/LineReader.h"

namespace lw {

namespace {

// A help list of some thousands of rows; a larger file would stall start-up.
constexpr std::uint64_t kMaxHelpBytes = 256 * 1024;
constexpr std::size_t kMaxHelpRows = 5000;

}  // namespace

bool ReadHelpFile(const std::string& path, std::vector<std::string>& rows) {
    constexpr std::string_view kHeader = "[DO NOT";

    try {
        LineReader reader(path, SystemFileSystem(), kMaxHelpBytes);
        std::optional<std::string_view> line = reader.NextLine();
        if (!line || !line->starts_with(kHeader)) return false;
        for (std::size_t count = 0; (line = reader.NextLine()); ++count) {
            if (count == kMaxHelpRows) return false;
            rows.emplace_back(*line);
        }
        return true;
    } catch (const FileError&) {
        // Start-up shows one message for every cause and falls back to the built-in help.
        return false;
    }
}

}  // namespace lw
