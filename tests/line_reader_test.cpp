// Bytes in, pieces of lines out, whatever pieces the system hands the bytes in.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "FaultyFileSystem.h"
#include "TempFolder.h"
#include "io/FileError.h"
#include "io/LineReader.h"

namespace lw {
namespace {

using namespace std::string_literals;

// As long as the reader's buffer, and a byte short of it.
const std::string buffer(256 * 1024, 'x'), x = buffer.substr(1);

// Each piece is shown with the tag of its end: how the line ends, or "+" when it goes on.
const char* const kEndTags[] = {"<+>", "<CrLf>", "<Lf>", "<Cr>", "<Eof>"};

// skimmed: the pieces when the lines that hold no "^" are passed over.
// clang-format off
struct PiecesRow { std::string bytes, pieces, skimmed; };
const PiecesRow kRows[] = {
    {"a\r\n^b\rc\nd", "a<CrLf>^b<Cr>c<Lf>d<Eof>", "^b<Cr>"},
    {"^C\r\n", "^C<CrLf>", "^C<CrLf>"},                     // a final line end adds no line
    {"", "", ""},
    {"\r\n\n\r\r", "<CrLf><Lf><Cr><Cr>", ""},
    {"a\n\r^b\r\r\nc", "a<Lf><Cr>^b<Cr><CrLf>c<Eof>", "^b<Cr>"},  // LF CR and CR CR LF are two ends
    {"\0^\xFF\r\n\x80"s, "\0^\xFF<CrLf>\x80<Eof>"s, "\0^\xFF<CrLf>"s},  // NUL and high bytes pass
    {x + "\r\nnext", x + "<+><CrLf>next<Eof>", ""},         // a CR at the buffer's edge waits
    {x + "\rnext\r^\r\n", x + "<+><Cr>next<Cr>^<CrLf>", "^<CrLf>"},
    {x + "x\n^next", buffer + "<+><Lf>^next<Eof>", buffer + "<+><Lf>^next<Eof>"},  // a line end right after the buffer
    {x + "\n^y", x + "<Lf>^y<Eof>", "^y<Eof>"},              // a line that fills the buffer
    {"^C\n" + buffer + buffer + buffer, "^C<Lf>" + buffer + "<+>" + buffer + "<+>" + buffer + "<+><Eof>", "^C<Lf>" + buffer + "<+>" + buffer + "<+>" + buffer + "<+><Eof>"},  // a last line of three buffers
};
// clang-format on

// The pieces, each shown with the tag of its end, when the lines that hold no "^" are passed over.
std::string SkimmedPieces(LineReader& reader) {
    std::string shown;
    for (bool lineStart = true;;) {
        if (lineStart) reader.SkipLinesWithout("^");
        const auto piece = reader.NextPiece();
        if (!piece) return shown;
        shown.append(piece->bytes).append(kEndTags[static_cast<int>(piece->end)]);
        lineStart = piece->end != LineEnd::Continues;
    }
}

// Each row is read with reads of at most 1, 2, 3 and 7 bytes and with whole buffers, so every
// line end also lands on the edge of a read. Whole lines, each shown with a "|" after it, are
// the pieces joined.
TEST(LineReader, GivesTheSamePiecesForAnyReadSize) {
    const test::TempFolder folder;
    for (const PiecesRow& row : kRows) {
        const std::string path = folder.Write("Song_C.txt", row.bytes);
        for (const std::size_t readSize : {1ul, 2ul, 3ul, 7ul, test::FaultyFileSystem::kNoLimit}) {
            SCOPED_TRACE(row.bytes.substr(0, 20) + ", reads of " + std::to_string(readSize));
            test::FaultyFileSystem fs({.readChunk = readSize});
            LineReader pieces(path, fs), skimmed(path, fs), lines(path, SystemFileSystem());
            std::string shown, joined, whole;
            while (const auto piece = pieces.NextPiece()) {
                shown.append(piece->bytes).append(kEndTags[static_cast<int>(piece->end)]);
                joined.append(piece->bytes).append(piece->end == LineEnd::Continues ? "" : "|");
            }
            while (const auto line = lines.NextLine()) whole.append(*line).append("|");
            EXPECT_TRUE(shown == row.pieces);
            EXPECT_TRUE(SkimmedPieces(skimmed) == row.skimmed);
            EXPECT_TRUE(whole == joined);
        }
    }
}

// A file that changes while it is read gives no output that is neither the old sheet nor the
// new. A pipe would wait for a writer forever: it is refused before any read, as a folder is.
// clang-format off
struct Refusal { const char* name; std::string path; test::Faults faults; std::string failure, reason; };
const Refusal kRefusals[] = {
    {"a file that grows once it was read to its size", "Song_C.txt", {.growsAfterRead = true}, "Cannot read the input file", "the file changed while it was read"},
    {"a file shortened while it is read", "Song_C.txt", {.readEndsAfter = 2}, "Cannot read the input file", "the file changed while it was read"},
    {"a file rewritten at its size while it is read", "Song_C.txt", {.touchedAfterRead = true}, "Cannot read the input file", "the file changed while it was read"},
    {"a pipe", "z_C.txt", {}, "Cannot open the input file", "not a regular file"},
    {"a folder", "", {}, "Cannot open the input file", "Is a directory"},
};
// clang-format on

TEST(LineReader, RefusesWhatItCannotReadWhole) {
    const test::TempFolder folder;
    mkfifo(folder.Path("z_C.txt").c_str(), 0600);
    for (const Refusal& c : kRefusals) {
        SCOPED_TRACE(c.name);
        folder.Write("Song_C.txt", "^C\r\nla\r\n");
        test::FaultyFileSystem fs(c.faults);
        std::string message = "read whole";
        try {
            LineReader reader(folder.Path(c.path), fs);
            while (reader.NextPiece()) continue;
        } catch (const FileError& error) {
            message = error.what();
        }
        EXPECT_EQ(message, c.failure + " " + folder.Path(c.path) + ": " + c.reason);
    }
}

}  // namespace
}  // namespace lw
