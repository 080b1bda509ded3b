#include "app/ConfigFile.h"

#include <string_view>

#include "io/FileError.h"
#include "io/LineReader.h"

namespace lw {

namespace {

// Six short lines; anything much larger is not a configuration file.
constexpr std::uint64_t kMaxConfigBytes = 4096;

}  // namespace

std::optional<Settings> ReadConfigFile(const std::string& path) {
    constexpr std::string_view kHeader = "[LWSET.lwc";

    try {
        LineReader reader(path, SystemFileSystem(), kMaxConfigBytes);
        std::optional<std::string_view> line = reader.NextLine();
        if (!line || !line->starts_with(kHeader)) return std::nullopt;

        Settings settings;
        for (int lineNumber = 2; lineNumber <= 6; ++lineNumber) {
            line = reader.NextLine();
            if (!line) return std::nullopt;
            if (lineNumber == 4) settings.ChordLineMarker = *line;
            if (lineNumber == 6) settings.FileExtension = *line;
        }
        // A '/' would put outputs in another folder, a NUL byte would end their names early.
        if (settings.FileExtension.find_first_of(std::string_view("/\0", 2)) != std::string::npos)
            return std::nullopt;
        return settings;
    } catch (const FileError&) {
        // Every cause gets the same message at start-up; the defaults stay.
        return std::nullopt;
    }
}

}  // namespace lw
