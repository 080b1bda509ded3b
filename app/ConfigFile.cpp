#include "ConfigFile.h"

#include <string_view>

#include "convert/FileSystem.h"
#include "convert/LineReader.h"
#include "convert/RunFailure.h"

namespace lw {

std::optional<Settings> ReadConfigFile(const std::string& path) {
    constexpr std::string_view kHeader = "[LWSET.lwc";

    try {
        LineReader reader(path, SystemFileSystem());
        std::optional<std::string_view> line = reader.NextLine();
        if (!line || !line->starts_with(kHeader)) return std::nullopt;

        Settings settings;
        for (int lineNumber = 2; lineNumber <= 6; ++lineNumber) {
            line = reader.NextLine();
            if (!line) return std::nullopt;
            if (lineNumber == 4) settings.ChordLineMarker = *line;
            if (lineNumber == 6) settings.FileExtension = *line;
        }
        return settings;
    } catch (const RunFailure&) {
        // Every cause gets the same message at start-up; the defaults stay.
        return std::nullopt;
    }
}

}  // namespace lw
