// The chord-line scans: which bytes are notes or degree tokens, and what replaces them.

#include <gtest/gtest.h>

#include "FeedSheet.h"
#include "RecordingHost.h"
#include "core/ChordLineRewriter.h"

namespace lw {
namespace {

using namespace std::string_literals;
using namespace test;
using enum Names;

constexpr Notation L = Notation::Letters, D = Notation::Degrees;

// clang-format off
struct ScanCase { const char* name; Notation notation; int step; Names names; std::string line, expected; std::size_t notes; Texts messages = {}; };
const ScanCase kCases[] = {
    {"lowercase is never a note", L, 2, Sharps, "^am", "^am", 0},
    {"only a chord's first letter is its root", L, 2, Sharps, "^CG C G", "^DG D A", 3},
    {"tabs and control bytes separate chords", L, 2, Sharps, "^C\tG\0E"s, "^D\tA\0F#"s, 3},
    {"bytes above 127 pass", L, 2, Sharps, "^C\xffm G", "^D\xffm A", 2},
    {"a slash bass changes", L, 1, Flats, "^G13/Ab", "^Ab13/A", 2},
    {"a slash before anything else stays", L, 2, Sharps, "^G13/b9 C/ D C/", "^A13/b9 D/ D D/", 3},
    {"every note", L, -3, Degrees, "^A A# Ab B B# Bb C C# Cb D D# Db E E# Eb F F# Fb G G# Gb", "^VI bVII bVI VII I bVII I bII VII II bIII bII III IV bIII IV bV III V bVI bV", 21},
    {"degrees of a sheet in C", L, -3, Degrees, "^C Am7 F#m7b5 G13/b9 C/E", "^I VIm7 bVm7b5 V13/b9 I/III", 6},
    {"degrees back in Bb", D, 1, Flats, "^I  IV/V  bVII7", "^Bb  Eb/F  Ab7", 4},
    {"degrees back in C", D, 3, Flats, "^bVII VII VIm7 (IV) V7b9 iv C IV", "^Bb B Am7 (F) G7b9 iv C F", 6},
    {"a slash and a space keep the chord open", D, 3, Flats, "^V/ I V/", "^G/ I G/", 2},
    {"a token is four characters at most", D, 3, Flats, "^bVIII", "^BbI", 1},
    {"a lone flat or an unknown token is the tonic", D, 3, Flats, "^V13/b9 VIII Bb", "^G13/C9 C BC", 4, {"ERROR! Code not found, GetCodeFromChordRoman(), b", "ERROR! Code not found, GetCodeFromChordRoman(), VIII", "ERROR! Code not found, GetCodeFromChordRoman(), b"}},
};
// clang-format on

// Each line comes in pieces of every size: the bytes out, the messages and the count of notes
// stay those of the whole line.
TEST(ChordLineScan, ReplacesRootsAndSlashBassesOnly) {
    for (const ScanCase& c : kCases) {
        ChordLineRewriter::ScanState state;  // each line's last piece leaves it fresh for the next
        for (std::size_t size = 0; size <= kMaxPiece; ++size) {
            RecordingHost host;
            const ChordLineRewriter rewriter(c.notation, c.step, NamesOf(c.names, host));
            std::string out, joined, lineEnds;
            std::size_t notes = 0;
            FeedSheet(c.line, size, lineEnds, [&](std::string_view piece, bool last) {
                notes += rewriter.Feed(state, piece, last, out, host);
                joined += out;
            });
            EXPECT_EQ(std::tuple(joined, host.messages, notes),
                      std::tuple(c.expected, c.messages, c.notes))
                << c.name << ", pieces of " << size;
        }
    }
}

}  // namespace
}  // namespace lw
