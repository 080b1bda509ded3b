// ChordPro sheets: which texts are chords, what a sheet turns into, and the key it is in.

#include <gtest/gtest.h>

#include <span>

#include "SheetRows.h"
#include "sheets/ChordProRewriter.h"
#include "sheets/ChordProSheet.h"
#include "sheets/KeyDirectiveFinder.h"

namespace lw {
namespace {

using namespace test;

const ChordProSheet kChordPro;
constexpr Notation kLetters = Notation::Letters, kDegrees = Notation::Degrees;

// clang-format off
struct Reading { const char* name; Notation notation; std::vector<std::string> texts; };
const Reading kChords[] = {
    {"roots, chord words and signs", kLetters, {"A", "Am7", "Bbmaj7", "C#m7b5", "Dsus4", "E7(#9)", "F6/9", "Gadd9/B", "D+", "C\xC3\xB8", "C\xCE\x94" "7", "Ebmaj7#11", "G13/b9", "C7/#11", "FMaj7/E", "C2", "Cmadd9", "Bbm(no3)", "Cmin7", "CMin", "CM7", "Cmi", "Cma7", "Cdim", "Caug", "C7alt", "C7omit3", "Co7", "C7-5", "C7,9"}},
    {"a caret for major", kLetters, {"C^7", "C^"}},
    {"the diminished signs of degree and ordinal", kLetters, {"A\xC2\xB0" "7", "D\xC2\xBA" "7"}},
    {"a bass alone, a chord in parentheses", kLetters, {"/D", "(E)", "(/F#)"}},
    {"degrees", kDegrees, {"IV7/V", "bVIIm7", "I13/b9", "(V)", "/bIII"}},
};
const Reading kNoChords[] = {
    {"labels and annotations", kLetters, {"Chorus", "Bridge", "Amazing", "Coda", "Intro", "Verse 2", "N.C.", "x2", "bIV", "Bes", "c", "D'", "G C"}},
    {"signs without a chord", kLetters, {"/", "|", "^", "", "C/", "C/E7"}},
    {"no degree", kDegrees, {"bIV", "IIII", "I/b", "Intro", "C"}},
};

const std::string kLong(ChordProRewriter::kHoldLimit, '7');  // makes a text one byte too long with "C"+kLong
const std::string kBlanks(8000, ' ');

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

const SheetCase kLyrics[] = {
    {"chords in brackets", kGToD, "A[G]mazing [G7]grace! How [C]sweet", "A[D]mazing [D7]grace! How [G]sweet", 3},
    {"annotation, slash chord, N.C.", kGToD, "[*Rit.]That saved a [Em]wretch like [D/F#]me [N.C.]", "[*Rit.]That saved a [Bm]wretch like [A/C#]me [N.C.]", 3},
    {"comment, '#' first only", kGToD, "# capo 2 for the choir [G]\n #[G]", "# capo 2 for the choir [G]\n #[D]", 1},
    {"labels", kGToD, "[Chorus][Verse 2][x2][|][^][][G C][(E)][/F#]", "[Chorus][Verse 2][x2][|][^][][G C][(B)][/C#]", 2},
    {"chorus", kGToD, "{soc}\n[C]Glory\n{eoc}", "{soc}\n[G]Glory\n{eoc}", 1},
    {"'[' with no ']'", kGToD, "[C] and [G no close", "[G] and [G no close", 1},
    {"bytes above 127", kGToD, "[G]\xC3\xA9t\xC3\xA9 [A\xC2\xB0" "7] [C\xCE\x94] [G\xff]", "[D]\xC3\xA9t\xC3\xA9 [E\xC2\xB0" "7] [G\xCE\x94] [G\xff]", 3},
    {"degree tensions", kFiguredBassToD, "[I13/b9] [IV7/V] [bVII] [V7/#11]", "[D13/b9] [G7/A] [C] [A7/#11]", 5},
};
const SheetCase kGrids[] = {
    {"bars of chords", kGToD, "{start_of_grid: Intro}\n|| G . . . | C . G . |\n{end_of_grid}\n[G]", "{start_of_grid: Intro}\n|| D . . . | G . D . |\n{end_of_grid}\n[D]", 4},
    {"words that are no chord", kGToD, "{sog}\nIntro |\tG~C . % | Am7 x2 / (x2) |G ~G C\xff |\n{eog}", "{sog}\nIntro |\tD~G . % | Em7 x2 / (x2) |G ~D C\xff |\n{eog}", 4},
    {"a bass alone", kGToD, "{sog}\n| /B . /F# |", "{sog}\n| /F# . /C# |", 2},
    {"a chord in parentheses, in a cell too", kGToD, "{sog}\n| (D) . C~(D) |", "{sog}\n| (A) . G~(A) |", 3},
    {"a chord in brackets", kGToD, "{sog}\n| [G] . |[C]~[Chorus] [G", "{sog}\n| [D] . |[G]~[Chorus] [G", 2},
};
const SheetCase kSections[] = {
    {"tab", kGToD, "{sot}\nG e|---3---|\n[G]\n{EOT}\n[G]", "{sot}\nG e|---3---|\n[G]\n{EOT}\n[D]", 1},
    {"kept to their end or the file's", kGToD, "{Start_Of_ABC}\n[G]\n{end_of_abc}\n[G]\n{start_of_textblock-html}\n[G]\n{eot}\n[G]", "{Start_Of_ABC}\n[G]\n{end_of_abc}\n[D]\n{start_of_textblock-html}\n[G]\n{eot}\n[G]", 1},
    {"ly kept", kGToD, "{start_of_ly}\n[G]", "{start_of_ly}\n[G]", 0},
    {"svg ends at its end", kGToD, "{start_of_svg}\n[G]\n{end_of_svg}\n[G]", "{start_of_svg}\n[G]\n{end_of_svg}\n[D]", 1},
};
const SheetCase kDirectives[] = {
    {"key directive forms", kGToD, "{key:G}\n{key G}\n{KEY: Gb}\n{meta: key Em}\n  { Meta:  Key  F#m }x\n{keys: G}\n{meta: keys G}", "{key:D}\n{key D}\n{KEY: C#}\n{meta: key Bm}\n  { Meta:  Key  C#m }x\n{keys: G}\n{meta: keys G}", 5},
    {"a tab ends the name", kGToD, "{key\tG}", "{key\tD}", 1},
    {"a key after 8,000 blanks", kGToD, kBlanks + "{key: G}", kBlanks + "{key: D}", 1},
    {"fingerings", kGToD, "{define: G base-fret 1 frets 3 2 0 0 0 3}\n{chord: G}\n{title: [G]}", "{define: G base-fret 1 frets 3 2 0 0 0 3}\n{chord: G}\n{title: [G]}", 0},
    {"byte-order mark, at the start only", kGToD, "\xEF\xBB\xBF{key: G}\n\xEF\xBB\xBF{key: G}", "\xEF\xBB\xBF{key: D}\n\xEF\xBB\xBF{key: G}", 1},
    {"part of a mark is text", kGToD, "\xEF\xBB[G]", "\xEF\xBB[D]", 1},
};
const SheetCase kLimits[] = {
    {"a chord as long as the limit", kGToD, "[C" + kLong.substr(1) + "]", "[G" + kLong.substr(1) + "]", 1},
    {"longer brackets are kept", kGToD, "[C" + kLong + "] [G]", "[C" + kLong + "] [D]", 1},
    {"longer grid words are kept", kGToD, "{sog}\nC" + kLong + "\tG", "{sog}\nC" + kLong + "\tD", 1},
    {"longer directives are kept", kGToD, "{sot" + kLong + "}\n[G]", "{sot" + kLong + "}\n[D]", 1},
    {"more chords than are remembered", kGToD, ManyChords('C'), ManyChords('G'), 600},
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

void ExpectReadings(std::span<const Reading> rows, bool chord) {
    for (const Reading& row : rows) {
        SCOPED_TRACE(row.name);
        for (const std::string& text : row.texts)
            EXPECT_EQ(ReadsAsChord(text, row.notation), chord) << text;
    }
}

TEST(ChordSymbol, ReadsAsChord) { ExpectReadings(kChords, true); }
TEST(ChordSymbol, ReadsAsNoChord) { ExpectReadings(kNoChords, false); }

TEST(ChordProRewriter, Lyrics) { ExpectRewritten(kChordPro, kLyrics); }
TEST(ChordProRewriter, Grids) { ExpectRewritten(kChordPro, kGrids); }
TEST(ChordProRewriter, Sections) { ExpectRewritten(kChordPro, kSections); }
TEST(ChordProRewriter, Directives) { ExpectRewritten(kChordPro, kDirectives); }
TEST(ChordProRewriter, Limits) { ExpectRewritten(kChordPro, kLimits); }

TEST(KeyDirectiveFinder, ReadsUpToTheFirstKeyDirective) {
    for (const KeyCase& row : kKeys) {
        SCOPED_TRACE(row.name);
        for (std::size_t size = 0; size <= kMaxPiece; ++size) {
            KeyDirectiveFinder finder;
            int lines = 0, linesAtKey = 0;
            std::string lineEnds;
            FeedSheet(row.sheet, size, lineEnds, [&](std::string_view piece, bool endsLine) {
                lines += endsLine;
                if (finder.Feed(piece, endsLine) && linesAtKey == 0) linesAtKey = lines;
            });
            const auto got = std::pair(finder.Key(), linesAtKey);
            EXPECT_EQ(got, std::pair(row.key, row.lines)) << "pieces of " << size;
            if (got != std::pair(row.key, row.lines)) break;
        }
    }
}

}  // namespace
}  // namespace lw
