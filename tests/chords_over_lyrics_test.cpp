// Chords-over-lyrics sheets: what each line is, what a sheet turns into, and the columns of
// chord lines.

#include <gtest/gtest.h>

#include "SheetRows.h"
#include "sheets/ChordsOverLyricsLine.h"
#include "sheets/ChordsOverLyricsSheet.h"

namespace lw {

void PrintTo(LineKind kind, std::ostream* os) {
    constexpr const char* kNames[] = {"Lyrics", "ChordLine", "KeyLine", "AlmostChordLine"};
    *os << kNames[static_cast<int>(kind)];
}

namespace {

using namespace test;

const ChordsOverLyricsSheet kChordsOverLyrics;
constexpr Notation L = Notation::Letters, D = Notation::Degrees;

std::string Repeated(std::string_view text, std::size_t times) {
    std::string repeated;
    for (std::size_t i = 0; i < times; ++i) repeated += text;
    return repeated;
}

const std::string kChordLineAtLimit = Repeated("G ", kLongestChordLine / 2);
const std::string kChordLineOverLimit = kChordLineAtLimit + "G";
const std::string kByteOrderMark = "\xEF\xBB\xBF";

// clang-format off
const Run kGToBb{L, 3, Names::Flats, 3};         // By Key from G to Bb
const Run kDownAStep{L, -1, Names::Sharps, -1};  // By Key from F to E
const Run kDToE{L, 2, Names::Sharps, 2};         // By Key from D to E
const Run kGToFiguredBass{L, -10, Names::Degrees, std::nullopt};

const SheetCase kExamples[] = {
    {"chords over lyrics", kGToD, "G           G7        C        G\nAmazing grace, how sweet the sound", "D           D7        G        D\nAmazing grace, how sweet the sound", 4},
    {"slash chords and a grown one", kGToD, "G/B  Cadd9  D/F#  Em7", "D/F# Gadd9  A/C#  Bm7", 6},
    {"a label", kGToBb, "Intro: G  D  Em C", "Intro: Bb F  Gm Eb", 4},
    {"a bracketed label", kGToD, "[Intro] G D Em C", "[Intro] D A Bm G", 4},
    {"bar and rhythm marks, a repeat", kGToD, "| G / / / | C . D7 . |  (x2)", "| D / / / | G . A7 . |  (x2)", 3},
    {"no chord", kGToD, "G  N.C.  C  x2", "D  N.C.  G  x2", 2},
    {"bar marks on chords", kGToD, "|Em | A/G  A7sus4||", "|Bm | E/D  E7sus4||", 4},
    {"parentheses, a muted hit", kGToD, "(Asus4 A)   D  (n.c.)  x", "(Esus4 E)   A  (n.c.)  x", 3},
    {"a parenthesized label", kGToD, "(intro 4x) Am7 F7M", "(intro 4x) Em7 C7M", 2},
    {"a chord in spaced brackets, footnote stars", kGToD, "Em   C    [ G ]\nE  B*  A**", "Bm   G    [ D ]\nB  F#* E**", 6},
    {"key lines", kGToD, "Tom: G\nTonalit\xC3\xA9 originale : G", "Tom: D\nTonalit\xC3\xA9 originale : D", 2},
    {"a label and a chord", kGToD, "Play: G", "Play: D", 1},
    {"a chord shape", kGToD, "Bbmaj7  (x13231)", "Bbmaj7  (x13231)", 0},
    {"a key line kept to figured bass", kGToFiguredBass, "Key: G", "Key: G", 0},
    {"to figured bass", kGToFiguredBass, "G    D/F#  Em", "I    V/VII VIm", 4},
    {"from figured bass", kFiguredBassToD, "I    V/VII  VIm", "D    A/C#   Bm", 4},
    {"diminished and half-diminished signs", kGToBb, "A\xC2\xB0" "7  C\xC3\xB8   D", "C\xC2\xB0" "7  Eb\xC3\xB8  F", 3},
    {"the masculine ordinal as a diminished sign", kDToE, "D\xC2\xBA   D\xC2\xBA" "7  F#\xC2\xBA", "E\xC2\xBA   E\xC2\xBA" "7  G#\xC2\xBA", 3},
    {"comments", kGToD, "Cadd9 G D (strum once)\nBm (riff 1)\nG  (hold)\nC G [hold for 4]", "Gadd9 D A (strum once)\nF#m (riff 1)\nD  (hold)\nG D [hold for 4]", 7},
    {"comments between chords", kGToD, "F (let ring)        G\nC G (hold) Am\nF  Em  Dm (Rasgueo)   G   (pausa)", "C (let ring)        D\nG D (hold) Em\nC  Bm  Am (Rasgueo)   D   (pausa)", 9},
    {"almost chord lines", kGToD, "G D Em Riff\n| G | D | Riff |\nC (then D) G", "G D Em Riff\n| G | D | Riff |\nC (then D) G", 0},
    {"lines of other kinds of sheet", kGToD, "{3. For a little spice...\n<Dm>\n^G C", "{3. For a little spice...\n<Dm>\n^G C", 0},
    {"a line of chords longer than a chord line", kGToD, kChordLineOverLimit, kChordLineOverLimit, 0},
    {"lyrics, a section head, capo", kGToD, "A man came by\n[Verse 1]\nCapo: 2", "A man came by\n[Verse 1]\nCapo: 2", 0},
    {"tab and tunings", kGToD, "e|---3---|\nG |-------|\nTuning: E A D G B E\nAfinaci\xC3\xB3n: Eb Ab Db Gb Bb Eb\nStimmung: D A D G A D", "e|---3---|\nG |-------|\nTuning: E A D G B E\nAfinaci\xC3\xB3n: Eb Ab Db Gb Bb Eb\nStimmung: D A D G A D", 0},
    {"a prose line with a bracket chord", kGToD, "Solo   Improvisaci\xC3\xB3n de la escala pentat\xC3\xB3nica de sol mayor   [G]", "Solo   Improvisaci\xC3\xB3n de la escala pentat\xC3\xB3nica de sol mayor   [G]", 0},
};

const SheetCase kColumns[] = {
    {"a grown chord takes the blanks after it", kGToBb, "G    Am7  C", "Bb   Cm7  Eb", 3},
    {"a shrunk chord gets blanks after it, none after the last word", kDownAStep, "Bb  C    F\nBb  C", "A   B    E\nA   B", 5},
    {"no room shifts the rest only as far as needed", kGToBb, "G Em    C", "Bb Gm   Eb", 3},
    {"a run of blanks with a tab is kept", kGToBb, "G\tAm7  C\nG \t C", "Bb\tCm7 Eb\nBb \t Eb", 5},
    {"UTF-8 signs are one column each", kGToBb, "C\xC3\xB8  G\xC2\xB0  A\xCE\x94" "7 D", "Eb\xC3\xB8 Bb\xC2\xB0 C\xCE\x94" "7 F", 4},
    {"a chord at the line's end, blanks after it kept", kGToBb, "G  C\nG  C   ", "Bb Eb\nBb Eb   ", 4},
    {"blanks before the first word and the label are kept", kGToBb, "  Intro:   G  C", "  Intro:   Bb Eb", 2},
    {"a marked chord grows after one kept in its place", kGToD, "G |B  D", "D |F# A", 3},
    {"a comment moves as one word", kGToBb, "G (let ring) C\nG  (let ring)  C", "Bb (let ring) Eb\nBb (let ring)  Eb", 4},
};

const SheetCase kSheets[] = {
    {"a sheet with a byte-order mark and CR LF line ends", kGToD, "\xEF\xBB\xBFKey: G\r\n\r\n[Verse 1]\r\nG           G7\r\nAmazing grace\rIntro: G  D\n| G / / / |", "\xEF\xBB\xBFKey: D\r\n\r\n[Verse 1]\r\nD           D7\r\nAmazing grace\rIntro: D  A\n| D / / / |", 6},
    {"a byte-order mark on a chord line", kGToD, kByteOrderMark + "G  C", kByteOrderMark + "D  G", 2},
    {"a mark is read at the start only", kGToD, "\xEF\xBB\nG\n" + kByteOrderMark + "G", "\xEF\xBB\nD\n" + kByteOrderMark + "G", 1},
    {"a chord line as long as the limit", kGToD, kChordLineAtLimit, Repeated("D ", kLongestChordLine / 2), kLongestChordLine / 2},
    {"the mark is not counted in the limit", kGToD, kByteOrderMark + kChordLineAtLimit, kByteOrderMark + Repeated("D ", kLongestChordLine / 2), kLongestChordLine / 2},
    {"a longer line between chord lines", kGToD, "G\n" + Repeated("G ", 35000) + "\nG", "D\n" + Repeated("G ", 35000) + "\nD", 2},
    {"a key line without a keys rewriter", {L, 7, Names::Sharps, std::nullopt}, "Key: G\nG", "Key: G\nD", 1},
};
// clang-format on

TEST(ChordsOverLyricsRewriter, RewritesTheExamples) {
    ExpectRewritten(kChordsOverLyrics, kExamples);
}
TEST(ChordsOverLyricsRewriter, KeepsEachChordInItsColumn) {
    ExpectRewritten(kChordsOverLyrics, kColumns);
}
TEST(ChordsOverLyricsRewriter, GivesTheSameBytesHoweverFed) {
    ExpectRewritten(kChordsOverLyrics, kSheets);
}

// How a test shows a reading: each word, its chord in angle brackets; or the key of a key line.
std::vector<std::string> Shown(std::string_view line, const ReadLine& reading) {
    if (reading.kind == LineKind::KeyLine)
        return {std::string(line.substr(reading.key.begin, reading.key.size))};
    std::vector<std::string> shown;
    for (const ChordLineWord& word : reading.words) {
        std::string text(line.substr(word.begin, word.size));
        if (word.chord.size > 0) {
            text.insert(word.chord.begin - word.begin + word.chord.size, ">");
            text.insert(word.chord.begin - word.begin, "<");
        }
        shown.push_back(text);
    }
    return shown;
}

// shown: the words of a chord line, or the key of a key line.
// clang-format off
struct LineCase { const char* name; Notation notation; std::string line; LineKind kind; std::vector<std::string> shown; };
const LineCase kLines[] = {
    {"blanks only", L, " \t ", LineKind::Lyrics, {}},
    {"a section head with a colon", L, "Chorus:", LineKind::Lyrics, {}},
    {"capo on a degree", D, "Capo: II", LineKind::Lyrics, {}},
    {"a tab staff word", L, "E-----2------||", LineKind::Lyrics, {}},
    {"a tab staff word with frets", L, "B-10-10-|", LineKind::Lyrics, {}},
    {"a tab staff word after blanks", L, "A  ---------", LineKind::Lyrics, {}},
    {"a dash that is no staff", L, "E-  A7", LineKind::ChordLine, {"<E->", "<A7>"}},
    {"dashes that are no staff", L, "A - - - |", LineKind::ChordLine, {"<A>", "-", "-", "-", "|"}},
    {"tuning in capitals", L, "TUNING: E A D G B E", LineKind::Lyrics, {}},
    {"AFINACIÓN", L, "AFINACI\xC3\x93N: Eb Ab", LineKind::Lyrics, {}},
    {"afinacion", L, "afinacion: Eb Ab", LineKind::Lyrics, {}},
    {"a label up to a colon", L, "Verse 1: Am F", LineKind::ChordLine, {"<Am>", "<F>"}},
    {"a label that looks like a chord", L, "A: Am7 GM7", LineKind::ChordLine, {"<Am7>", "<GM7>"}},
    {"a label with nothing after it", L, "Intro: ", LineKind::Lyrics, {}},
    {"a bracketed chord is no label", L, "[G] C D", LineKind::AlmostChordLine, {}},
    {"no label before a chord", L, "G D |: Em C :|", LineKind::ChordLine, {"<G>", "<D>", "|:", "<Em>", "<C>", ":|"}},
    {"no label before a parenthesized chord", L, "(Asus4 A) D", LineKind::ChordLine, {"(<Asus4>", "<A)>", "<D>"}},
    {"chords with marks", L, "|Em Em| |:Em :|G A7sus4|| B* G** (E) G7(#5)", LineKind::ChordLine, {"|<Em>", "<Em>|", "|:<Em>", ":|<G>", "<A7sus4>||", "<B>*", "<G>**", "<(E)>", "<G7(#5)>"}},
    {"colons alone are no bar marks", L, "G :C A:", LineKind::Lyrics, {}},
    {"chord-line words", L, "G | || |: :| / \\ - . % , ~ x X [ ] x2 2x X3 (x2) (2x) x12", LineKind::ChordLine, {"<G>", "|", "||", "|:", ":|", "/", "\\", "-", ".", "%", ",", "~", "x", "X", "[", "]", "x2", "2x", "X3", "(x2)", "(2x)", "x12"}},
    {"no chord in every spelling", L, "G N.C. N.C NC n.c. (N.C.) (nc) nC", LineKind::ChordLine, {"<G>", "N.C.", "N.C", "NC", "n.c.", "(N.C.)", "(nc)", "nC"}},
    {"three digits are no repeat", L, "G D x123", LineKind::AlmostChordLine, {}},
    {"a slash bass alone", L, "G /F# Em", LineKind::ChordLine, {"<G>", "<\x2F" "F#>", "<Em>"}},
    {"a bracketed comment between chords", L, "C [hold for 4] G", LineKind::ChordLine, {"<C>", "[hold for 4]", "<G>"}},
    {"a comment holding a chord is none", L, "C (then D) G", LineKind::AlmostChordLine, {}},
    {"a comment before the first chord is none", L, "| (hold) G", LineKind::Lyrics, {}},
    {"an unclosed comment is none", L, "G D (let ring", LineKind::Lyrics, {}},
    {"a fingering is no comment", L, "Bbmaj7  (x13231)", LineKind::Lyrics, {}},
    {"fingerings with a word", L, "Gm7  (xx3333) or (353333)", LineKind::Lyrics, {}},
    {"an almost chord line", L, "G D Em Riff", LineKind::AlmostChordLine, {}},
    {"an almost chord line with bars", L, "| G | D | Riff |", LineKind::AlmostChordLine, {}},
    {"half chords is not almost", L, "G D Riff Solo", LineKind::Lyrics, {}},
    {"one chord is not almost", L, "G Riff", LineKind::Lyrics, {}},
    {"degrees", D, "I    V/VII  bVIIm7 |IV", LineKind::ChordLine, {"<I>", "<V/VII>", "<bVIIm7>", "|<IV>"}},
    {"letters are no degrees", D, "G C D", LineKind::Lyrics, {}},
    {"KEY without blanks", L, "KEY:Em", LineKind::KeyLine, {"Em"}},
    {"key with blanks everywhere", L, "  key : Bb  ", LineKind::KeyLine, {"Bb"}},
    {"Tom", L, "Tom: D#", LineKind::KeyLine, {"D#"}},
    {"Tono", L, "Tono: A", LineKind::KeyLine, {"A"}},
    {"Tonalidad", L, "Tonalidad: Am", LineKind::KeyLine, {"Am"}},
    {"Tonart", L, "Tonart: F#m", LineKind::KeyLine, {"F#m"}},
    {"Tonality", L, "tonality: Bbm", LineKind::KeyLine, {"Bbm"}},
    {"TONALITÉ", L, "TONALIT\xC3\x89: Db", LineKind::KeyLine, {"Db"}},
    {"Tonalità", L, "Tonalit\xC3\xA0: C", LineKind::KeyLine, {"C"}},
    {"TONALITÀ", L, "TONALIT\xC3\x80: Gb", LineKind::KeyLine, {"Gb"}},
    {"Key signature", L, "Key signature: G", LineKind::KeyLine, {"G"}},
    {"a key line in figured bass", D, "Key: G", LineKind::KeyLine, {"G"}},
    {"a key name with a word after it", L, "Key: G major", LineKind::Lyrics, {}},
    {"no key name", L, "Key: H", LineKind::Lyrics, {}},
    {"no minor key name", L, "Key: E#m", LineKind::ChordLine, {"<E#m>"}},
    {"two more words: a label and a chord", L, "Key of the song: G", LineKind::ChordLine, {"<G>"}},
    {"a longer word than a key word", L, "Keys: G", LineKind::ChordLine, {"<G>"}},
};
// clang-format on

TEST(ChordsOverLyricsLine, ReadsEachKindOfLine) {
    for (const LineCase& c : kLines) {
        SCOPED_TRACE(c.name);
        ReadLine reading;
        ReadChordsOverLyricsLine(c.line, c.notation, reading);
        EXPECT_EQ(reading.kind, c.kind);
        EXPECT_EQ(Shown(c.line, reading), c.shown);
    }
}

}  // namespace
}  // namespace lw
