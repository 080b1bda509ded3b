// ChordPro sheets: which texts are chords, what a sheet turns into, keys and output names.

#include <gtest/gtest.h>

#include "FeedSheet.h"
#include "RecordingHost.h"
#include "sheets/ChordProRewriter.h"
#include "sheets/KeyDirectiveFinder.h"

namespace lw {
namespace {

constexpr Notation L = Notation::Letters, D = Notation::Degrees;

// clang-format off
const struct { Notation notation; bool chord; std::vector<std::string> texts; } kReadings[] = {
    {L, true, {"A", "Am7", "Bbmaj7", "C#m7b5", "Dsus4", "E7(#9)", "F6/9", "Gadd9/B", "D+", "A\xC2\xB0" "7", "C\xC3\xB8", "C\xCE\x94" "7", "Ebmaj7#11", "G13/b9", "C7/#11", "FMaj7/E", "/D", "(E)", "(/F#)", "C2", "Cmadd9", "Bbm(no3)", "Cmin7", "CMin", "CM7", "Cmi", "Cma7", "Cdim", "Caug", "C7alt", "C7omit3", "Co7", "C7-5", "C7,9"}},
    {L, false, {"Chorus", "Bridge", "Amazing", "Coda", "Intro", "Verse 2", "N.C.", "x2", "/", "|", "^", "bIV", "Bes", "c", "D'", "", "C/", "C/E7", "G C"}},
    {D, true, {"IV7/V", "bVIIm7", "I13/b9", "(V)", "/bIII"}}, {D, false, {"bIV", "IIII", "I/b", "Intro", "C"}},
};

// A run as planning builds it: the chords' notation, step and names ('#', 'b', or 'd' for
// degrees), and the step of the key directives' rewriter, if there is one.
struct Run { Notation notation; int step; char names; std::optional<int> keyStep; };
const Run kGToD{L, 7, '#', 7};                       // By Key from G to D

const std::string kLong(ChordProRewriter::kHoldLimit, '7');  // makes a text one byte too long with "C"+kLong

// "[C1][C2]...[C300][C300]...[C1]" for root C: more different chords than a run remembers, each
// seen again after the others.
std::string ManyChords(char root) {
    std::string up, down;
    for (int i = 1; i <= 300; ++i) {
        const std::string chord = std::string("[") + root + std::to_string(i) + "]";
        up += chord;
        down.insert(0, chord);
    }
    return up + down;
}

struct SheetCase { const char* name; Run run; std::string input, expected; std::size_t notes; };
const SheetCase kSheets[] = {
    {"key directive, lyrics", kGToD, "{key: G}\nA[G]mazing [G7]grace! How [C]sweet", "{key: D}\nA[D]mazing [D7]grace! How [G]sweet", 4},
    {"annotation, slash chord, N.C.", kGToD, "[*Rit.]That saved a [Em]wretch like [D/F#]me [N.C.]", "[*Rit.]That saved a [Bm]wretch like [A/C#]me [N.C.]", 3},
    {"grid", kGToD, "{start_of_grid: Intro}\n|| G . . . | C . G . |\n{end_of_grid}\n[G]", "{start_of_grid: Intro}\n|| D . . . | G . D . |\n{end_of_grid}\n[D]", 4},
    {"tab", kGToD, "{sot}\nG e|---3---|\n[G]\n{EOT}\n[G]", "{sot}\nG e|---3---|\n[G]\n{EOT}\n[D]", 1},
    {"fingerings", kGToD, "{define: G base-fret 1 frets 3 2 0 0 0 3}\n{chord: G}\n{title: [G]}", "{define: G base-fret 1 frets 3 2 0 0 0 3}\n{chord: G}\n{title: [G]}", 0},
    {"comment, '#' first only", kGToD, "# capo 2 for the choir [G]\n #[G]", "# capo 2 for the choir [G]\n #[D]", 1},
    {"labels", kGToD, "[Chorus][Verse 2][x2][|][^][][G C][(E)][/F#]", "[Chorus][Verse 2][x2][|][^][][G C][(B)][/C#]", 2},
    {"chorus", kGToD, "{soc}\n[C]Glory\n{eoc}", "{soc}\n[G]Glory\n{eoc}", 1},
    {"grid words", kGToD, "{sog}\nIntro |\tG~C . % | Am7 x2 /D (E) ~G C\xff |\n{eog}", "{sog}\nIntro |\tD~G . % | Em7 x2 /D (E) ~D C\xff |\n{eog}", 4},
    {"sections kept to their end or the file's", kGToD, "{Start_Of_ABC}\n[G]\n{end_of_abc}\n[G]\n{start_of_textblock-html}\n[G]\n{eot}\n[G]", "{Start_Of_ABC}\n[G]\n{end_of_abc}\n[D]\n{start_of_textblock-html}\n[G]\n{eot}\n[G]", 1},
    {"key directive forms", kGToD, "{key:G}\n{key G}\n{KEY: Gb}\n{meta: key Em}\n  { Meta:  Key  F#m }x\n{keys: G}\n{meta: keys G}", "{key:D}\n{key D}\n{KEY: C#}\n{meta: key Bm}\n  { Meta:  Key  C#m }x\n{keys: G}\n{meta: keys G}", 5},
    {"to figured bass keeps the key", {L, -10, 'd', std::nullopt}, "{key: G}\n[G]A[D/F#]", "{key: G}\n[I]A[V/VII]", 3},
    {"from figured bass to Bb (Gm), modulation", {D, 1, 'b', 1 - 10}, "{key: G}\n[I]\n{key: D}\n[V/VII]", "{key: Bb}\n[Bb]\n{key: F}\n[F/A]", 5},
    {"degree tensions", {D, 5, '#', std::nullopt}, "[I13/b9] [IV7/V] [bVII] [V7/#11]", "[D13/b9] [G7/A] [C] [A7/#11]", 5},
    {"'[' with no ']'", kGToD, "[C] and [G no close", "[G] and [G no close", 1},
    {"byte-order mark, at the start only", kGToD, "\xEF\xBB\xBF{key: G}\n\xEF\xBB\xBF{key: G}", "\xEF\xBB\xBF{key: D}\n\xEF\xBB\xBF{key: G}", 1},
    {"part of a mark is text", kGToD, "\xEF\xBB[G]", "\xEF\xBB[D]", 1},
    {"bytes above 127", kGToD, "[G]\xC3\xA9t\xC3\xA9 [A\xC2\xB0" "7] [C\xCE\x94] [G\xff]", "[D]\xC3\xA9t\xC3\xA9 [E\xC2\xB0" "7] [G\xCE\x94] [G\xff]", 3},
    {"a chord as long as the limit", kGToD, "[C" + kLong.substr(1) + "]", "[G" + kLong.substr(1) + "]", 1},
    {"longer brackets are kept", kGToD, "[C" + kLong + "] [G]", "[C" + kLong + "] [D]", 1},
    {"longer grid words are kept", kGToD, "{sog}\nC" + kLong + "\tG", "{sog}\nC" + kLong + "\tD", 1},
    {"longer directives are kept", kGToD, "{sot" + kLong + "}\n[G]", "{sot" + kLong + "}\n[D]", 1},
    {"more chords than are remembered", kGToD, ManyChords('C'), ManyChords('G'), 600},
    {"too far in for a directive", kGToD, std::string(kLong.size() + 1, ' ') + "{sot}\n[G]", std::string(kLong.size() + 1, ' ') + "{sot}\n[D]", 1},
};

struct KeyCase { const char* name; std::string sheet; std::optional<std::string> key; int lines; };
const KeyCase kKeys[] = {
    {"the first of two", "{title: T}\n{key: Em }\n{key: G}", "Em", 2},
    {"meta", "\xEF\xBB\xBF{Meta: KEY Bb}", "Bb", 1},
    {"none in comments or kept sections", "#{key: A}\n{sot}\n{key: B}\n{eot}\n{key: C}", "C", 5},
    {"no key name, as written", "{key: H}", "H", 1},
    {"empty", "{key}", "", 1},
    {"none", "[G]{key: G}\n {key: G\n{meta: keys G}", std::nullopt, 0},
};

// clang-format on

TEST(ChordProRewriter, ConvertsChordsAndKeysOnlyHoweverFed) {
    for (const SheetCase& c : kSheets) {
        for (std::size_t size = 0; size <= test::kMaxPiece; ++size) {
            test::RecordingHost host;
            const Spelling spelling = c.run.names == '#' ? Spelling::Sharp : Spelling::Flat;
            const auto names = c.run.names == 'd' ? DegreeNames : SpelledNoteNames(spelling, host);
            std::optional<ChordLineRewriter> keys;
            if (c.run.keyStep) keys.emplace(L, *c.run.keyStep, names, host);
            ChordProRewriter rewriter(ChordLineRewriter(c.run.notation, c.run.step, names, host),
                                      c.run.notation, keys);
            std::string out;
            std::size_t notes = 0;
            test::FeedSheet(c.input, size, out, [&](std::string_view piece, bool endsLine) {
                notes += rewriter.Rewrite(piece, endsLine, out, host);
            });
            ASSERT_EQ(std::tuple(out, notes, host.messages),
                      std::tuple(c.expected, c.notes, test::Texts{}))
                << c.name << ", pieces of " << size;
        }
    }
}

TEST(KeyDirectiveFinder, ReadsUpToTheFirstKeyDirective) {
    for (const auto& c : kKeys) {
        for (std::size_t size = 0; size <= test::kMaxPiece; ++size) {
            KeyDirectiveFinder finder;
            int lines = 0, linesAtKey = 0;
            std::string lineEnds;
            test::FeedSheet(c.sheet, size, lineEnds, [&](std::string_view piece, bool endsLine) {
                lines += endsLine;
                if (finder.Feed(piece, endsLine) && linesAtKey == 0) linesAtKey = lines;
            });
            ASSERT_EQ(std::pair(finder.Key(), linesAtKey), std::pair(c.key, c.lines)) << c.name;
        }
    }
}

TEST(ChordSymbol, ReadsAsChord) {
    for (const auto& r : kReadings)
        for (const std::string& text : r.texts)
            EXPECT_EQ(ReadsAsChord(text, r.notation), r.chord) << text;
}

}  // namespace
}  // namespace lw
