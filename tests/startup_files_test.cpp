#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "TempFolder.h"
#include "app/ConfigFile.h"
#include "app/HelpFile.h"

namespace fs = std::filesystem;
using lw::ReadConfigFile;
using lw::ReadHelpFile;
using lw::Settings;
using lw::test::TempFolder;
using namespace std::string_literals;

namespace {

struct ConfigCase {
    const char* name;
    std::string bytes;
    std::optional<Settings> expected;
};

void PrintTo(const ConfigCase& c, std::ostream* out) { *out << c.name; }

class ConfigFileTest : public testing::TestWithParam<ConfigCase> {};

TEST_P(ConfigFileTest, ReadsTheMarkerAndTheExtension) {
    TempFolder folder;
    const std::optional<Settings> settings =
        ReadConfigFile(folder.Write("LWSET.lwc", GetParam().bytes));
    ASSERT_EQ(settings.has_value(), GetParam().expected.has_value());
    if (!settings) return;
    EXPECT_EQ(settings->ChordLineMarker, GetParam().expected->ChordLineMarker);
    EXPECT_EQ(settings->FileExtension, GetParam().expected->FileExtension);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ConfigFileTest,
    testing::Values(
        ConfigCase{"Exactly six lines with the defaults",
                   "[LWSET.lwc\r\none\r\ntwo\r\n^\r\nfive\r\ntxt\r\n", Settings{"^", "txt"}},
        ConfigCase{"Header followed by more text on line one",
                   "[LWSET.lwc settings v3\r\na\r\nb\r\n^\r\nc\r\ntxt\r\n", Settings{"^", "txt"}},
        ConfigCase{"Another marker and extension, last line without a line end",
                   "[LWSET.lwc\r\na\r\nb\r\n!\r\nc\r\nlst", Settings{"!", "lst"}},
        ConfigCase{"Lines taken whole: blanks kept, an empty extension stays empty",
                   "[LWSET.lwc\r\n\r\n\r\n ^ \r\n\r\n\r\n", Settings{" ^ ", ""}},
        ConfigCase{"Lone LF and lone CR end lines too", "[LWSET.lwc\na\rb\n%\r\nc\rdoc",
                   Settings{"%", "doc"}},
        ConfigCase{"Binary bytes pass unchanged",
                   "[LWSET.lwc\r\n\xff\xfe\r\n\x01\r\n\x7f\r\n\0\r\nt\0x\r\n"s,
                   Settings{"\x7f", "t\0x"s}},
        ConfigCase{"Lines after the sixth are never read",
                   "[LWSET.lwc\r\na\r\nb\r\n^\r\nc\r\ntxt\r\n[LWSET.lwc\r\n\0\xff junk"s +
                       std::string(10 * 1024 * 1024, 'x'),
                   Settings{"^", "txt"}},
        ConfigCase{"Empty file", "", std::nullopt},
        ConfigCase{"Header in lower case", "[lwset.lwc\r\na\r\nb\r\n^\r\nc\r\ntxt\r\n",
                   std::nullopt},
        ConfigCase{"Header after a leading blank", " [LWSET.lwc\r\na\r\nb\r\n^\r\nc\r\ntxt\r\n",
                   std::nullopt},
        ConfigCase{"Four lines only, the marker already read", "[LWSET.lwc\r\na\r\nb\r\n!\r\n",
                   std::nullopt},
        ConfigCase{"Five lines only", "[LWSET.lwc\r\na\r\nb\r\n!\r\nc\r\n", std::nullopt}),
    [](const testing::TestParamInfo<ConfigCase>& info) { return std::to_string(info.index); });

TEST(ConfigFile, MissingFileGivesNothing) {
    TempFolder folder;
    EXPECT_FALSE(ReadConfigFile(folder.Path("LWSET.lwc")));
}

TEST(ConfigFile, FolderOfThatNameGivesNothing) {
    TempFolder folder;
    fs::create_directory(folder.Path("LWSET.lwc"));
    EXPECT_FALSE(ReadConfigFile(folder.Path("LWSET.lwc")));
}

struct HelpCase {
    const char* name;
    std::string bytes;
    bool accepted;
    std::vector<std::string> rows;
};

void PrintTo(const HelpCase& c, std::ostream* out) { *out << c.name; }

class HelpFileTest : public testing::TestWithParam<HelpCase> {};

TEST_P(HelpFileTest, ReadsEveryLineAfterTheHeader) {
    TempFolder folder;
    std::vector<std::string> rows;
    EXPECT_EQ(ReadHelpFile(folder.Write("README.txt", GetParam().bytes), rows),
              GetParam().accepted);
    EXPECT_EQ(rows, GetParam().rows);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HelpFileTest,
    testing::Values(
        HelpCase{"Header only", "[DO NOT EDIT THIS LINE\r\n", true, {}},
        HelpCase{"Rows in order, empty lines kept, no row after the last line end",
                 "[DO NOT touch\r\nOne\r\n\r\n  Three  \r\n",
                 true,
                 {"One", "", "  Three  "}},
        HelpCase{"Last line without a line end", "[DO NOT\r\nOne\r\nTwo", true, {"One", "Two"}},
        HelpCase{
            "Lone LF and lone CR end lines too", "[DO NOT\nA\rB\r\n\rC", true, {"A", "B", "", "C"}},
        HelpCase{"Binary bytes pass unchanged",
                 "[DO NOT\r\n\0\xff\x80\r\n\x1b[0m"s,
                 true,
                 {"\0\xff\x80"s, "\x1b[0m"}},
        HelpCase{"Empty file", "", false, {}},
        HelpCase{"Header in lower case", "[do not edit\r\nOne\r\n", false, {}},
        HelpCase{"Header after a leading blank", " [DO NOT\r\nOne\r\n", false, {}}),
    [](const testing::TestParamInfo<HelpCase>& info) { return std::to_string(info.index); });

TEST(HelpFile, SeveralHundredLinesBecomeRows) {
    TempFolder folder;
    std::string bytes = "[DO NOT\r\n";
    for (int line = 1; line <= 600; ++line) bytes += "Line " + std::to_string(line) + "\r\n";
    std::vector<std::string> rows;
    ASSERT_TRUE(ReadHelpFile(folder.Write("README.txt", bytes), rows));
    ASSERT_EQ(rows.size(), 600u);
    EXPECT_EQ(rows.front(), "Line 1");
    EXPECT_EQ(rows[299], "Line 300");
    EXPECT_EQ(rows.back(), "Line 600");
}

TEST(HelpFile, OneTenMegabyteLineIsOneRow) {
    TempFolder folder;
    const std::string longLine(10 * 1024 * 1024, 'q');
    std::vector<std::string> rows;
    ASSERT_TRUE(
        ReadHelpFile(folder.Write("README.txt", "[DO NOT\r\n" + longLine + "\r\nEnd"), rows));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].size(), longLine.size());
    EXPECT_EQ(rows[0], longLine);
    EXPECT_EQ(rows[1], "End");
}

TEST(HelpFile, MissingFileOrFolderFails) {
    TempFolder folder;
    std::vector<std::string> rows;
    EXPECT_FALSE(ReadHelpFile(folder.Path("README.txt"), rows));
    fs::create_directory(folder.Path("README.txt"));
    EXPECT_FALSE(ReadHelpFile(folder.Path("README.txt"), rows));
    EXPECT_TRUE(rows.empty());
}

}  // namespace
