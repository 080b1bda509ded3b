// The chord-line scans: which bytes are notes or degree tokens, and what replaces them.

#include <gtest/gtest.h>

#include "RecordingHost.h"
#include "convert/ChordLineRewriter.h"

namespace lw {
namespace {

using namespace std::string_literals;
using test::Texts;

enum class Rewrite { Up1Sharps, UpHalfFlats, CToDegrees, DegreesInC, DegreesInBb };

ChordLineRewriter Make(Rewrite rewrite, Messenger& messenger) {
    const auto sharps = SpelledNoteNames(Spelling::Sharp, messenger);
    const auto flats = SpelledNoteNames(Spelling::Flat, messenger);
    switch (rewrite) {
        case Rewrite::Up1Sharps:
            return {Notation::Letters, 2, sharps, messenger};
        case Rewrite::UpHalfFlats:
            return {Notation::Letters, 1, flats, messenger};
        case Rewrite::CToDegrees:
            return {Notation::Letters, -3, DegreeNames, messenger};
        case Rewrite::DegreesInC:
            return {Notation::Degrees, 3, flats, messenger};
        case Rewrite::DegreesInBb:
            break;
    }
    return {Notation::Degrees, 1, flats, messenger};
}

struct ScanCase {
    const char* name;
    Rewrite rewrite;
    std::string line;
    std::string expected;
    Texts messages = {};
};

const ScanCase kCases[] = {
    {"a root at the end of the line", Rewrite::Up1Sharps, "^G", "^A"},
    {"the rest of the line shifts", Rewrite::UpHalfFlats, "^A  D", "^Bb  Eb"},
    {"lowercase is never a note", Rewrite::Up1Sharps, "^am", "^am"},
    {"only a chord's first letter is its root", Rewrite::Up1Sharps, "^CG C G", "^DG D A"},
    {"tabs and control bytes separate chords", Rewrite::Up1Sharps, "^C\tG\0E"s, "^D\tA\0F#"s},
    {"bytes above 127 pass", Rewrite::Up1Sharps, "^C\xffm G", "^D\xffm A"},
    {"a slash bass changes", Rewrite::UpHalfFlats, "^G13/Ab", "^Ab13/A"},
    {"a slash before anything else stays", Rewrite::Up1Sharps, "^G13/b9 C/ D C/",
     "^A13/b9 D/ D D/"},
    {"two-character notes", Rewrite::CToDegrees, "^Cb B# E# Fb Db C#", "^VII I IV III bII bII"},
    {"degrees of a sheet in C", Rewrite::CToDegrees, "^C Am7 F#m7b5 G13/b9 C/E",
     "^I VIm7 bVm7b5 V13/b9 I/III"},
    {"degrees back in Bb", Rewrite::DegreesInBb, "^I  IV/V  bVII7", "^Bb  Eb/F  Ab7"},
    {"degrees back in C", Rewrite::DegreesInC, "^bVII VII VIm7 (IV) V7b9 iv C IV",
     "^Bb B Am7 (F) G7b9 iv C F"},
    {"a slash and a space keep the chord open", Rewrite::DegreesInC, "^V/ I V/", "^G/ I G/"},
    {"a token is four characters at most", Rewrite::DegreesInC, "^bVIII", "^BbI"},
    {"a lone flat or an unknown token is the tonic",
     Rewrite::DegreesInC,
     "^V13/b9 VIII Bb",
     "^G13/C9 C BC",
     {"ERROR! Code not found, GetCodeFromChordRoman(), b",
      "ERROR! Code not found, GetCodeFromChordRoman(), VIII",
      "ERROR! Code not found, GetCodeFromChordRoman(), b"}},
};

TEST(ChordLineScan, ReplacesRootsAndSlashBassesOnly) {
    for (const ScanCase& c : kCases) {
        test::RecordingHost host;
        std::string out;
        Make(c.rewrite, host).ChordLineScan(c.line, out, host);
        EXPECT_EQ(out, c.expected) << c.name;
        EXPECT_EQ(host.messages, c.messages) << c.name;
    }
}

}  // namespace
}  // namespace lw
