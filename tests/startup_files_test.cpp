// The configuration and help files read at start-up.

#include <gtest/gtest.h>
#include <unistd.h>

#include "TempFolder.h"
#include "app/ConfigFile.h"
#include "app/HelpFile.h"

namespace lw {
namespace {

using test::TempFolder;
using Rows = std::vector<std::string>;

TEST(ConfigFile, TakesLinesFourAndSixOfAFileWithItsHeader) {
    struct Case {
        const char* name;
        std::string bytes;
        std::optional<std::pair<std::string, std::string>> settings;
    };
    const Case cases[] = {
        {"the shipped layout", "[LWSET.lwc v3]\nmarker:\n\n!\next:\nlead\nmore\n", {{"!", "lead"}}},
        {"values are taken whole", "[LWSET.lwc\r\n\r\n\r\n ^^ \r\n\r\n\r\n", {{" ^^ ", ""}}},
        {"another header", "[LWSET.lwx\n\n\n!\n\ntxt\n", {}},
        {"a file that ends before line 6", "[LWSET.lwc\n\n\n!\n\n", {}},
        {"a file larger than a settings file can be",
         "[LWSET.lwc\n\n\n!\n\ntxt\n" + std::string(5000, ' '),
         {}},
    };
    for (const Case& c : cases) {
        const TempFolder folder;
        const std::optional<Settings> read = ReadConfigFile(folder.Write("LWSET.lwc", c.bytes));
        EXPECT_EQ(read.has_value(), c.settings.has_value()) << c.name;
        if (read && c.settings) {
            EXPECT_EQ(read->ChordLineMarker, c.settings->first) << c.name;
            EXPECT_EQ(read->FileExtension, c.settings->second) << c.name;
        }
    }
    EXPECT_EQ(ReadConfigFile("/nonexistent/LWSET.lwc"), std::nullopt);
}

TEST(HelpFile, GivesEveryLineAfterItsHeaderAsARow) {
    struct Case {
        const char* name;
        std::string bytes;
        bool read;
        Rows rows;
    };
    const Case cases[] = {
        {"rows in order, empty ones too",
         "[DO NOT EDIT]\r\none\r\n\r\n three \r\n",
         true,
         {"one", "", " three "}},
        {"only the header", "[DO NOT", true, {}},
        {"an empty file", "", false, {}},
        {"another header", "[do not\none\n", false, {}},
        {"more rows than a help list holds", "[DO NOT\n" + std::string(6000, '\n'), false,
         Rows(5000, "")},
    };
    for (const Case& c : cases) {
        const TempFolder folder;
        Rows rows;
        EXPECT_EQ(ReadHelpFile(folder.Write("README.txt", c.bytes), rows), c.read) << c.name;
        EXPECT_EQ(rows, c.rows) << c.name;
    }
}

// A huge file beside the program must not stall start-up: it is refused unread.
TEST(StartupFiles, AGigabyteFileIsRefusedUnread) {
    const TempFolder folder;
    const std::string help = folder.Write("README.txt", "[DO NOT\n");
    const std::string config = folder.Write("LWSET.lwc", "[LWSET.lwc\n");
    ASSERT_EQ(truncate(help.c_str(), 1L << 30), 0);
    ASSERT_EQ(truncate(config.c_str(), 1L << 30), 0);
    Rows rows;
    EXPECT_FALSE(ReadHelpFile(help, rows));
    EXPECT_EQ(rows, Rows{});
    EXPECT_EQ(ReadConfigFile(config), std::nullopt);
}

}  // namespace
}  // namespace lw
