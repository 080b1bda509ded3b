// The configuration and help files read at start-up.

#include <gtest/gtest.h>

#include "TempFolder.h"
#include "app/ConfigFile.h"
#include "app/HelpFile.h"

namespace lw {
namespace {

using Rows = std::vector<std::string>;

// What each reader makes of the same bytes: the marker and extension, or nothing; the help rows,
// and whether the help file counts as read.
struct Case {
    const char* name;
    std::string bytes;
    std::string settings;  // "marker|extension", empty for nothing
    Rows rows;
    bool helpRead;
};

// clang-format off
const Case kCases[] = {
    {"the settings layout", "[LWSET.lwc v3]\nmarker\n\n!\next\nlead\n", "!|lead", {}, false},
    {"lines are taken whole", "[LWSET.lwc\r\n\r\n\r\n ^^ \r\n\r\n\r\n", " ^^ |", {}, false},
    {"a file that ends before line 6", "[LWSET.lwc\n\n\n!\n\n", "", {}, false},
    {"a settings file too large to be one", "[LWSET.lwc\n\n\n!\n\ntxt\n" + std::string(5000, ' '), "", {}, false},
    {"help rows in order, empty ones too", "[DO NOT EDIT]\r\none\r\n\r\n three \r\n", "", {"one", "", " three "}, true},
    {"an empty file", "", "", {}, false},
    {"more rows than a help list holds", "[DO NOT\n" + std::string(5001, '\n'), "", Rows(5000), false},
    {"a help file over 256 KB is refused unread", "[DO NOT\n" + std::string(3000, '\n') + std::string(260'000, 'x'), "", {}, false},
};
// clang-format on

TEST(StartupFiles, AreReadByLinePositionAfterTheirHeader) {
    const test::TempFolder folder;
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        const std::optional<Settings> settings = ReadConfigFile(folder.Write("LWSET.lwc", c.bytes));
        EXPECT_EQ(settings ? settings->ChordLineMarker + "|" + settings->FileExtension : "",
                  c.settings);
        Rows rows;
        EXPECT_EQ(ReadHelpFile(folder.Write("README.txt", c.bytes), rows), c.helpRead);
        EXPECT_EQ(rows, c.rows);
    }
}

}  // namespace
}  // namespace lw
