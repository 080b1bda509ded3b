// The readers of the configuration and help files, one table each.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "TempFolder.h"
#include "app/ConfigFile.h"
#include "app/HelpFile.h"

using lw::Settings;
using namespace std::string_literals;

namespace {

// What a case puts where the reader looks.
enum Place { kNothing, kFolder, kFile };

std::string Put(const lw::test::TempFolder& folder, const char* name, Place place,
                const std::string& bytes) {
    if (place == kFile) return folder.Write(name, bytes);
    if (place == kFolder) std::filesystem::create_directory(folder.Path(name));
    return folder.Path(name);
}

const std::string kLongLine(10 * 1024 * 1024, 'q');

struct ConfigCase {
    const char* name;
    Place place;
    std::string bytes;
    std::optional<Settings> settings;
};

void PrintTo(const ConfigCase& c, std::ostream* out) { *out << c.name; }

class ConfigFile : public testing::TestWithParam<ConfigCase> {};

TEST_P(ConfigFile, GivesTheMarkerOfLineFourAndTheExtensionOfLineSix) {
    const ConfigCase& c = GetParam();
    lw::test::TempFolder folder;
    const std::optional<Settings> read =
        lw::ReadConfigFile(Put(folder, "LWSET.lwc", c.place, c.bytes));
    ASSERT_EQ(read.has_value(), c.settings.has_value());
    if (!read) return;
    EXPECT_EQ(read->ChordLineMarker, c.settings->ChordLineMarker);
    EXPECT_EQ(read->FileExtension, c.settings->FileExtension);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, ConfigFile, testing::Values(
    ConfigCase{"Exactly six lines", kFile, "[LWSET.lwc\r\none\r\ntwo\r\n^\r\nfive\r\ntxt\r\n",
               Settings{"^", "txt"}},
    ConfigCase{"Another marker and extension, text after the header, no last line end", kFile,
               "[LWSET.lwc v3\r\na\r\nb\r\n!\r\nc\r\nlst", Settings{"!", "lst"}},
    ConfigCase{"Lines taken whole: blanks kept, an empty extension stays empty", kFile,
               "[LWSET.lwc\r\n\r\n\r\n ^ \r\n\r\n\r\n", Settings{" ^ ", ""}},
    ConfigCase{"Binary bytes pass unchanged, nothing after line six is read", kFile,
               "[LWSET.lwc\r\n\xff\xfe\r\n\x01\r\n\x7f\r\n\0\r\nt\0x\r\n\0\xff junk"s,
               Settings{"\x7f", "t\0x"s}},
    ConfigCase{"One 10 MB line as the marker", kFile,
               "[LWSET.lwc\r\n\r\n\r\n" + kLongLine + "\r\n\r\ntxt\r\n", Settings{kLongLine, "txt"}},
    ConfigCase{"Missing", kNothing, "", std::nullopt},
    ConfigCase{"A folder of that name", kFolder, "", std::nullopt},
    ConfigCase{"Empty", kFile, "", std::nullopt},
    ConfigCase{"Header in lower case", kFile, "[lwset.lwc\r\na\r\nb\r\n^\r\nc\r\ntxt\r\n",
               std::nullopt},
    ConfigCase{"Header after a leading blank", kFile,
               " [LWSET.lwc\r\na\r\nb\r\n^\r\nc\r\ntxt\r\n", std::nullopt},
    ConfigCase{"Four lines only, the marker already read", kFile,
               "[LWSET.lwc\r\na\r\nb\r\n!\r\n", std::nullopt},
    ConfigCase{"Five lines only", kFile, "[LWSET.lwc\r\na\r\nb\r\n!\r\nc\r\n", std::nullopt}));
// clang-format on

// A help file of count numbered lines, and the rows it gives.
std::vector<std::string> NumberedRows(int count) {
    std::vector<std::string> rows;
    for (int line = 1; line <= count; ++line) rows.push_back("Line " + std::to_string(line));
    return rows;
}

std::string NumberedHelp(int count) {
    std::string bytes = "[DO NOT\r\n";
    for (const std::string& row : NumberedRows(count)) bytes += row + "\r\n";
    return bytes;
}

struct HelpCase {
    const char* name;
    Place place;
    std::string bytes;
    bool read;
    std::vector<std::string> rows;
};

void PrintTo(const HelpCase& c, std::ostream* out) { *out << c.name; }

class HelpFile : public testing::TestWithParam<HelpCase> {};

TEST_P(HelpFile, GivesEveryLineAfterTheHeader) {
    const HelpCase& c = GetParam();
    lw::test::TempFolder folder;
    std::vector<std::string> rows;
    EXPECT_EQ(lw::ReadHelpFile(Put(folder, "README.txt", c.place, c.bytes), rows), c.read);
    EXPECT_EQ(rows, c.rows);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, HelpFile, testing::Values(
    HelpCase{"Header only", kFile, "[DO NOT EDIT THIS LINE\r\n", true, {}},
    HelpCase{"Rows in order, empty and blank lines kept, no last line end", kFile,
             "[DO NOT touch\r\nOne\r\n\r\n  Three  \r\nFour", true, {"One", "", "  Three  ", "Four"}},
    HelpCase{"Binary bytes pass unchanged", kFile, "[DO NOT\r\n\0\xff\x80\r\n\x1b[0m"s, true,
             {"\0\xff\x80"s, "\x1b[0m"}},
    HelpCase{"Several hundred lines", kFile, NumberedHelp(600), true, NumberedRows(600)},
    HelpCase{"One 10 MB line", kFile, "[DO NOT\r\n" + kLongLine + "\r\nEnd", true,
             {kLongLine, "End"}},
    HelpCase{"Missing", kNothing, "", false, {}},
    HelpCase{"A folder of that name", kFolder, "", false, {}},
    HelpCase{"Empty", kFile, "", false, {}},
    HelpCase{"Header in lower case", kFile, "[do not edit\r\nOne\r\n", false, {}},
    HelpCase{"Header after a leading blank", kFile, " [DO NOT\r\nOne\r\n", false, {}}));
// clang-format on

}  // namespace
