// The configuration and help files read at start-up.

#include <gtest/gtest.h>

#include "TempFolder.h"
#include "app/ConfigFile.h"
#include "app/HelpFile.h"

namespace lw {
namespace {

using Rows = std::vector<std::string>;
using namespace std::string_literals;

// What each reader makes of the same bytes: the name of the case, the bytes, the settings read
// ("marker|extension", empty for nothing), the help rows, and whether the help file counts as read.
using Case = std::tuple<const char*, std::string, std::string, Rows, bool>;

// clang-format off
const Case kCases[] = {
    {"the settings layout", "[LWSET.lwc v3]\nmarker\n\n!\next\nlead\n", "!|lead", {}, false},
    {"lines are taken whole", "[LWSET.lwc\r\n\r\n\r\n ^^ \r\n\r\n\r\n", " ^^ |", {}, false},
    {"a file that ends before line 6", "[LWSET.lwc\n\n\n!\n\n", "", {}, false},
    {"an extension that leaves the folder", "[LWSET.lwc\n\n\n!\n\n/../x\n", "", {}, false},
    {"an extension holding a NUL byte", "[LWSET.lwc\n\n\n!\n\nt\0t\n"s, "", {}, false},
    {"a settings file too large to be one", "[LWSET.lwc\n\n\n!\n\ntxt\n" + std::string(5000, ' '), "", {}, false},
    {"help rows in order, empty ones too", "[DO NOT EDIT]\r\none\r\n\r\n three \r\n", "", {"one", "", " three "}, true},
    {"an empty file", "", "", {}, false},
    {"more rows than a help list holds", "[DO NOT\n" + std::string(5001, '\n'), "", Rows(5000), false},
    {"a help file over 256 KB is refused unread", "[DO NOT\n" + std::string(3000, '\n') + std::string(260'000, 'x'), "", {}, false},
};
// clang-format on

TEST(StartupFiles, AreReadByLinePositionAfterTheirHeader) {
    const test::TempFolder folder;
    for (const auto& [name, bytes, settings, rows, helpRead] : kCases) {
        SCOPED_TRACE(name);
        const std::optional<Settings> read = ReadConfigFile(folder.Write("LWSET.lwc", bytes));
        EXPECT_EQ(read ? read->ChordLineMarker + "|" + read->FileExtension : "", settings);
        Rows helpRows;
        EXPECT_EQ(ReadHelpFile(folder.Write("README.txt", bytes), helpRows), helpRead);
        EXPECT_EQ(helpRows, rows);
    }
}

}  // namespace
}  // namespace lw
