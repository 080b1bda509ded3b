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
using test::TempFolder;

constexpr std::size_t kBuffer = 256 * 1024;  // the reader's; rows put line ends on its edge
const std::string x(kBuffer - 1, 'x');

struct LinesCase {
    const char* name;
    std::string bytes;
    Lines lines;
};

const LinesCase kRows[] = {
    {"CR LF, a lone CR and a lone LF each end a line", "a\r\nb\rc\nd", {"a", "b", "c", "d"}},
    {"a final line end adds no empty line", "^C\r\n", {"^C"}},
    {"an empty file has no line", "", {}},
    {"line ends alone are empty lines", "\r\n\n\r\r", {"", "", "", ""}},
    {"LF CR and CR CR LF are two line ends each", "a\n\rb\r\r\nc", {"a", "", "b", "", "c"}},
    {"NUL and high bytes pass", "\0^\xFF\r\n\x80"s, {"\0^\xFF"s, "\x80"}},
    {"CR LF split by the buffer's edge", x + "\r\nnext", {x, "next"}},
    {"a lone CR at the buffer's edge", x + "\rnext\r\r\n", {x, "next", ""}},
    {"a line end right after the buffer", x + "x\r\nnext", {x + "x", "next"}},
    {"a line longer than two buffers", "^C\n" + x + x + x + "\nend", {"^C", x + x + x, "end"}},
};

// Each row is read with reads of at most 1, 2, 3 and 7 bytes and with whole buffers, so every
// line end also lands on the edge of a read.
TEST(LineReader, GivesTheSameLinesForAnyReadSize) {
    const TempFolder folder;
    for (const LinesCase& row : kRows) {
        const std::string path = folder.Write("Song_C.txt", row.bytes);
        for (const std::size_t readSize : {1ul, 2ul, 3ul, 7ul, test::FaultyFileSystem::kNoLimit}) {
            test::FaultyFileSystem fs;
            fs.readChunk = readSize;
            LineReader reader(path, fs);
            Lines lines;
            while (const auto line = reader.NextLine()) lines.emplace_back(*line);
            EXPECT_TRUE(lines == row.lines) << row.name << ", reads of " << readSize;
            EXPECT_EQ(reader.BytesRead(), row.bytes.size());
        }
    }
}

TEST(LineReader, RefusesWhatIsNoRegularFileOrTooLarge) {
    const TempFolder folder;
    const std::string path = folder.Write("Big_C.txt", "0123456789");
    EXPECT_THROW(LineReader(path, SystemFileSystem(), 9), FileError);
    mkfifo(folder.Path("Pipe_C.txt").c_str(), 0600);  // would wait for a writer forever
    const std::pair<std::string, std::string> refused[] = {
        {folder.Path("Pipe_C.txt"), "Invalid argument"}, {folder.Path(""), "Is a directory"}};
    for (const auto& [input, reason] : refused) {
        try {
            LineReader reader(input, SystemFileSystem());
            ADD_FAILURE() << input << " was opened";
        } catch (const FileError& failure) {
            EXPECT_EQ(failure.what(), "Cannot open the input file " + input + ": " + reason);
        }
    }
}

}  // namespace
}  // namespace lw
