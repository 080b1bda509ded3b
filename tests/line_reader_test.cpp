// The input side of a run: bytes in, lines out, whatever pieces the system hands the bytes in.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <string>
#include <tuple>
#include <vector>

#include "FaultyFileSystem.h"
#include "TempFolder.h"
#include "convert/LineReader.h"
#include "convert/RunFailure.h"

namespace lw {
namespace {

using test::FaultyFileSystem;
using test::TempFolder;

// The reader's buffer; rows around it put line ends on both sides of a refill.
constexpr std::size_t kBuffer = 256 * 1024;

std::vector<std::string> ReadLines(const std::string& path, FileSystem& fs) {
    LineReader reader(path, fs);
    std::vector<std::string> lines;
    while (const auto line = reader.NextLine()) lines.emplace_back(*line);
    EXPECT_FALSE(reader.NextLine()) << "a line after the end";
    return lines;
}

// Lines as a failure report can show them: long ones by length and ends, bytes escaped.
std::string Shown(const std::string& line) {
    std::string shown;
    const auto escape = [&](std::string_view part) {
        for (const char c : part) {
            const auto byte = static_cast<unsigned char>(c);
            if (byte >= 0x20 && byte < 0x7F) {
                shown += c;
            } else {
                char hex[5];
                std::snprintf(hex, sizeof hex, "\\x%02X", byte);
                shown += hex;
            }
        }
    };
    if (line.size() <= 40) {
        escape(line);
    } else {
        escape(line.substr(0, 10));
        shown += "...(" + std::to_string(line.size()) + " bytes)...";
        escape(line.substr(line.size() - 10));
    }
    return "\"" + shown + "\"";
}

struct LinesCase {
    const char* name;
    std::string bytes;
    std::vector<std::string> lines;
};

// Each row is read with reads of at most 1, 2, 3 and 7 bytes and with whole buffers, so every
// line end also lands on the edge of a read.
constexpr std::size_t kReadSizes[] = {1, 2, 3, 7, FaultyFileSystem::kNoLimit};

class LineReaderLines : public testing::TestWithParam<std::tuple<LinesCase, std::size_t>> {};

TEST_P(LineReaderLines, AreTheSameForAnyReadSize) {
    const auto& [c, readSize] = GetParam();
    TempFolder folder;
    const std::string path = folder.Write("Song_C.txt", c.bytes);
    FaultyFileSystem fs;
    fs.readChunk = readSize;
    const std::vector<std::string> lines = ReadLines(path, fs);
    ASSERT_EQ(lines.size(), c.lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i)
        EXPECT_TRUE(lines[i] == c.lines[i])
            << "line " << i << ": " << Shown(lines[i]) << ", expected " << Shown(c.lines[i]);
}

std::string Bytes(const char* text, std::size_t size) { return std::string(text, size); }
// A line of count filler bytes.
std::string Filler(std::size_t count, char c = 'x') { return std::string(count, c); }

const std::vector<LinesCase> kRows = {
    LinesCase{"CrLfEndsALine", "^C\r\nla\r\n", {"^C", "la"}},
    LinesCase{"LoneCrEndsALine", "^C\rla\r", {"^C", "la"}},
    LinesCase{"LoneLfEndsALine", "^C\nla\n", {"^C", "la"}},
    LinesCase{"MixedLineEnds", "a\r\nb\rc\nd\r\ne", {"a", "b", "c", "d", "e"}},
    LinesCase{"NoFinalLineEnd", "^C\r\nlast", {"^C", "last"}},
    LinesCase{"EmptyFile", "", {}},
    LinesCase{"OneLineEndIsOneEmptyLine", "\r\n", {""}},
    LinesCase{"OnlyLineEnds", "\r\n\r\n\n\r\r", {"", "", "", "", ""}},
    LinesCase{"LfThenCrIsTwoLineEnds", "a\n\rb", {"a", "", "b"}},
    LinesCase{"CrCrLfIsTwoLineEnds", "a\r\r\nb", {"a", "", "b"}},
    LinesCase{"NulAndHighBytesPassThrough",
              Bytes("\0^\xFF\r\n\x80\0\x7F\r\0", 10),
              {Bytes("\0^\xFF", 3), Bytes("\x80\0\x7F", 3), Bytes("\0", 1)}},
    LinesCase{"CrLfSplitByTheBufferEdge",
              Filler(kBuffer - 1) + "\r\nnext",
              {Filler(kBuffer - 1), "next"}},
    LinesCase{
        "LoneCrAtTheBufferEdge", Filler(kBuffer - 1) + "\rnext", {Filler(kBuffer - 1), "next"}},
    LinesCase{
        "LoneCrAtTheBufferEdgeThenCrLf", Filler(kBuffer - 1) + "\r\r\n", {Filler(kBuffer - 1), ""}},
    LinesCase{
        "LineEndRightAfterTheBufferEdge", Filler(kBuffer) + "\r\nnext", {Filler(kBuffer), "next"}},
    LinesCase{"CrLfJustBeforeTheBufferEdge",
              Filler(kBuffer - 2) + "\r\n\r\nnext",
              {Filler(kBuffer - 2), "", "next"}},
    LinesCase{"LineLongerThanTheBuffer",
              "^C\r\n" + Filler(kBuffer + 5000, 'y') + "\r\nend",
              {"^C", Filler(kBuffer + 5000, 'y'), "end"}},
    LinesCase{"UnendedLineLongerThanTheBuffer", Filler(kBuffer + 1), {Filler(kBuffer + 1)}},
    LinesCase{
        "LineOfTwoBuffersAndMore", Filler(2 * kBuffer + 3) + "\n", {Filler(2 * kBuffer + 3)}}};

INSTANTIATE_TEST_SUITE_P(Rows, LineReaderLines,
                         testing::Combine(testing::ValuesIn(kRows), testing::ValuesIn(kReadSizes)),
                         [](const testing::TestParamInfo<LineReaderLines::ParamType>& info) {
                             const std::size_t readSize = std::get<1>(info.param);
                             return std::string(std::get<0>(info.param).name) +
                                    (readSize == FaultyFileSystem::kNoLimit
                                         ? "_WholeBuffers"
                                         : "_ReadsOf" + std::to_string(readSize));
                         });

TEST(LineReader, AReadErrorNamesTheFile) {
    TempFolder folder;
    const std::string path = folder.Write("Song_C.txt", "^C\r\nla la\r\n");
    FaultyFileSystem fs;
    fs.readFailsAfter = 6;
    LineReader reader(path, fs);
    EXPECT_EQ(reader.NextLine(), "^C");
    try {
        reader.NextLine();
        FAIL() << "no failure";
    } catch (const RunFailure& failure) {
        EXPECT_STREQ(failure.what(),
                     ("Cannot read the input file " + path + ": Input/output error").c_str());
    }
}

// A named pipe might never end, and nobody may ever write into it: the reader refuses it
// without waiting for a writer.
TEST(LineReader, ANamedPipeIsRefusedAtOnce) {
    TempFolder folder;
    const std::string path = folder.Path("Song_C.txt");
    ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
    try {
        LineReader reader(path, SystemFileSystem());
        FAIL() << "a named pipe was opened for reading";
    } catch (const RunFailure& failure) {
        EXPECT_STREQ(failure.what(),
                     ("Cannot open the input file " + path + ": Invalid argument").c_str());
    }
}

}  // namespace
}  // namespace lw
