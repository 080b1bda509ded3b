#include "HelpFile.h"

#include "convert/FileSystem.h"
#include "convert/LineReader.h"
#include "convert/RunFailure.h"

namespace lw {

bool ReadHelpFile(const std::string& path, std::vector<std::string>& rows) {
    constexpr std::string_view kHeader = "[DO NOT";

    try {
        LineReader reader(path, SystemFileSystem());
        std::optional<std::string_view> line = reader.NextLine();
        if (!line || !line->starts_with(kHeader)) return false;
        while ((line = reader.NextLine())) rows.emplace_back(*line);
        return true;
    } catch (const RunFailure&) {
        // Start-up shows one message for every cause and falls back to the built-in help.
        return false;
    }
}

}  // namespace lw
