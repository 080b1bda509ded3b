// Bytes in, lines out, whatever pieces the system hands the bytes in.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "FaultyFileSystem.h"
#include "TempFolder.h"
#include "io/FileError.h"
#include "io/LineReader.h"

namespace lw {
namespace {

using namespace std::string_literals;
using Lines = std::vector<std::string>;

const std::string x(256 * 1024 - 1, 'x');  // a byte short of the reader's buffer

// clang-format off
const std::pair<std::string, Lines> kRows[] = {
    {"a\r\nb\rc\nd", {"a", "b", "c", "d"}},             // CR LF, a lone CR and a lone LF
    {"^C\r\n", {"^C"}},                                 // a final line end adds no line
    {"", {}},
    {"\r\n\n\r\r", {"", "", "", ""}},
    {"a\n\rb\r\r\nc", {"a", "", "b", "", "c"}},         // LF CR and CR CR LF are two ends each
    {"\0^\xFF\r\n\x80"s, {"\0^\xFF"s, "\x80"}},         // NUL and high bytes pass
    {x + "\r\nnext", {x, "next"}},                      // CR LF split by the buffer's edge
    {x + "\rnext\r\r\n", {x, "next", ""}},              // a lone CR at the edge
    {x + "x\r\nnext", {x + "x", "next"}},               // a line end right after the buffer
    {"^C\n" + x + x + x + "\nend", {"^C", x + x + x, "end"}},  // a line of three buffers
};
// clang-format on

// Each row is read with reads of at most 1, 2, 3 and 7 bytes and with whole buffers, so every
// line end also lands on the edge of a read.
TEST(LineReader, GivesTheSameLinesForAnyReadSize) {
    const test::TempFolder folder;
    for (const auto& [bytes, expected] : kRows) {
        const std::string path = folder.Write("Song_C.txt", bytes);
        for (const std::size_t readSize : {1ul, 2ul, 3ul, 7ul, test::FaultyFileSystem::kNoLimit}) {
            test::FaultyFileSystem fs;
            fs.readChunk = readSize;
            LineReader reader(path, fs);
            Lines lines;
            while (const auto line = reader.NextLine()) lines.emplace_back(*line);
            EXPECT_TRUE(lines == expected) << bytes.substr(0, 20) << ", reads of " << readSize;
        }
    }
}

// A pipe would wait for a writer forever; it is refused before any read.
TEST(LineReader, RefusesWhatIsNoRegularFile) {
    const test::TempFolder folder;
    mkfifo(folder.Path("Pipe_C.txt").c_str(), 0600);
    EXPECT_THROW(LineReader(folder.Path("Pipe_C.txt"), SystemFileSystem()), FileError);
    EXPECT_THROW(LineReader(folder.Path(""), SystemFileSystem()), FileError);
}

}  // namespace
}  // namespace lw
