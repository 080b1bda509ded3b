// The help file README.txt with arbitrary bytes: it is used exactly when its first line has the
// header, and then every later line is one row, byte for byte, empty lines included.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "StartupFile.h"
#include "app/HelpFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lw::fuzz;
    const std::string bytes = FileBytes(data, size);
    WriteStartupFile(bytes);
    std::vector<std::string> rows;
    const bool read = lw::ReadHelpFile(StartupFilePath(), rows);

    const auto lines = SplitLines(bytes);
    const bool usable = !lines.empty() && lines[0].starts_with("[DO NOT");
    Require(read == usable, "the help file is used exactly when its header is right");
    if (!usable) {
        Require(rows.empty(), "a help file that is not used adds no rows");
        return 0;
    }
    Require(rows.size() == lines.size() - 1, "every line after the header is a row");
    for (std::size_t i = 0; i < rows.size(); ++i)
        Require(rows[i] == lines[i + 1], "each row is its line, byte for byte");
    return 0;
}
