// The configuration file LWSET.lwc with arbitrary bytes: settings come back exactly when the
// header is right and line 6 exists, and then they are lines 4 and 6 byte for byte.

#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "StartupFile.h"
#include "app/ConfigFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lw::fuzz;
    const std::string bytes = FileBytes(data, size);
    WriteStartupFile(bytes);
    const std::optional<lw::Settings> settings = lw::ReadConfigFile(StartupFilePath());

    const auto lines = SplitLines(bytes);
    const bool usable = lines.size() >= 6 && lines[0].starts_with("[LWSET.lwc");
    Require(settings.has_value() == usable,
            "settings come from a file with the header and six lines, and only from one");
    if (!usable) return 0;
    Require(settings->ChordLineMarker == lines[3], "the marker is line 4, whole");
    Require(settings->FileExtension == lines[5], "the extension is line 6, whole");
    return 0;
}
