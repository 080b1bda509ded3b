#include "sheets/ChordsOverLyricsLine.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "core/AsciiCase.h"
#include "core/SheetKey.h"
#include "sheets/ChordProDirective.h"

namespace lw {

namespace {

// The words that start a key line, in small letters, [0, 10). é and à are UTF-8 and come in
// both cases: é C3 A9, É C3 89, à C3 A0, À C3 80.
constexpr std::array<std::string_view, 10> kKeyWords{"key",
                                                     "tom",
                                                     "tono",
                                                     "tonalidad",
                                                     "tonart",
                                                     "tonality",
                                                     "tonalit\xC3\xA9",
                                                     "tonalit\xC3\x89",
                                                     "tonalit\xC3\xA0",
                                                     "tonalit\xC3\x80"};

// Labels of lines that name strings or a fret, not chords, in small letters, [0, 6). ó is
// C3 B3, Ó C3 93.
constexpr std::array<std::string_view, 6> kNamingLabels{
    "tuning", "afinaci\xC3\xB3n", "afinaci\xC3\x93n", "afinacion", "stimmung", "capo"};

enum class WordKind { Chord, Mark, Other };

constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }
constexpr bool IsBarByte(char c) { return c == '|' || c == ':'; }
constexpr bool IsX(char c) { return c == 'x' || c == 'X'; }

// The bytes that bar and rhythm marks are made of.
constexpr bool IsMarkByte(char c) {
    switch (c) {
        case '|':
        case '/':
        case '\\':
        case '-':
        case '.':
        case '%':
        case ':':
        case '*':
        case '~':
        case '(':
        case ')':
        case ',':
            return true;
        default:
            return false;
    }
}

// The length of the word of text at p: up to a blank or, when stopAtColon, a ":".
std::size_t WordEnd(std::string_view text, std::size_t p, bool stopAtColon) {
    while (p < text.size() && !IsBlank(text[p]) && !(stopAtColon && text[p] == ':')) ++p;
    return p;
}

bool IsOneOf(std::string_view word, std::span<const std::string_view> smallWords) {
    return std::ranges::any_of(
        smallWords, [&](std::string_view small) { return EqualsIgnoringCase(word, small); });
}

std::string_view WithoutParentheses(std::string_view text) {
    if (text.size() > 2 && text.front() == '(' && text.back() == ')')
        return text.substr(1, text.size() - 2);
    return text;
}

// "x2", "2x", "X12", "(x2)", "(2x)": one or two digits with an x on either side.
bool IsRepeatMark(std::string_view word) {
    word = WithoutParentheses(word);
    if (word.size() < 2 || word.size() > 3) return false;
    std::string_view digits;
    if (IsX(word.front()))
        digits = word.substr(1);
    else if (IsX(word.back()))
        digits = word.substr(0, word.size() - 1);
    return !digits.empty() && std::ranges::all_of(digits, IsDigit);
}

// "N.C.", "N.C", "NC" in any letter case, with or without parentheses.
bool IsNoChord(std::string_view word) {
    word = WithoutParentheses(word);
    return EqualsIgnoringCase(word, "n.c.") || EqualsIgnoringCase(word, "n.c") ||
           EqualsIgnoringCase(word, "nc");
}

bool IsChordLineWord(std::string_view word) {
    if (word.size() == 1 && (IsX(word[0]) || word[0] == '[' || word[0] == ']')) return true;
    return std::ranges::all_of(word, IsMarkByte) || IsRepeatMark(word) || IsNoChord(word);
}

// Where the chord of word sits in it: the whole word when it reads as one chord ("(E)",
// "G7(#5)"), else what the shortest marks around it leave. Before the chord: bar marks (a run
// of "|" and ":" holding a "|"), then at most one "("; after it: at most one ")", footnote
// stars, then bar marks.
std::optional<TextSpan> ChordInWord(std::string_view word, Notation notation) {
    if (ReadsAsChord(word, notation)) return TextSpan{0, word.size()};
    // Bar marks and stars are never part of a chord, so each run is taken whole.
    std::size_t begin = 0, end = word.size();
    bool bar = false;
    while (begin < end && IsBarByte(word[begin])) bar |= word[begin++] == '|';
    if (begin > 0 && !bar) return std::nullopt;
    bar = false;
    while (end > begin && IsBarByte(word[end - 1])) bar |= word[--end] == '|';
    if (end < word.size() && !bar) return std::nullopt;
    while (end > begin && word[end - 1] == '*') --end;
    if (end == begin) return std::nullopt;
    const bool open = word[begin] == '(', close = word[end - 1] == ')';
    const std::array<TextSpan, 4> tries{
        TextSpan{begin, end - begin}, TextSpan{begin + open, end - begin - open},
        TextSpan{begin, end - begin - close}, TextSpan{begin + open, end - begin - open - close}};
    for (const TextSpan& chord : tries)
        if (chord.size > 0 && chord.size < word.size() &&
            ReadsAsChord(word.substr(chord.begin, chord.size), notation))
            return chord;
    return std::nullopt;
}

// What a word may be by its first byte, a bit each: most words of lyrics are told at once.
enum : std::uint8_t { kMayBeLetterChord = 1, kMayBeDegreeChord = 2, kMayBeChordLineWord = 4 };

// The bits of each byte, [0, 256).
constexpr std::array<std::uint8_t, 256> kFirstByte = [] {
    std::array<std::uint8_t, 256> bits{};
    for (int c = 0; c < 256; ++c) {
        const auto byte = static_cast<char>(c);
        const bool marks = IsBarByte(byte);  // bar marks may stand before a chord
        if (marks || MayStartChordSymbol(byte, Notation::Letters)) bits[c] |= kMayBeLetterChord;
        if (marks || MayStartChordSymbol(byte, Notation::Degrees)) bits[c] |= kMayBeDegreeChord;
        if (IsMarkByte(byte) || IsX(byte) || IsDigit(byte) || byte == 'n' || byte == 'N' ||
            byte == '[' || byte == ']')
            bits[c] |= kMayBeChordLineWord;
    }
    return bits;
}();

// What word is; chord is where its chord sits in it when it is one.
WordKind Classify(std::string_view word, Notation notation, TextSpan& chord) {
    const std::uint8_t bits = kFirstByte[static_cast<unsigned char>(word[0])];
    if (bits & (notation == Notation::Letters ? kMayBeLetterChord : kMayBeDegreeChord)) {
        if (const std::optional<TextSpan> found = ChordInWord(word, notation)) {
            chord = *found;
            return WordKind::Chord;
        }
    }
    if ((bits & kMayBeChordLineWord) == 0) return WordKind::Other;
    return IsChordLineWord(word) ? WordKind::Mark : WordKind::Other;
}

// Words up to this long are remembered, as one number each.
constexpr std::size_t kLongestRememberedWord = 7;

// What the word of line at p is, as Classify tells, where it ends (end) and where its chord
// sits in it (chord, size 0: none). A short word is read once and then remembered in its place
// of remembered, until another takes it; its bytes are gathered as one number while its end is
// found.
WordKind ReadWordAt(std::string_view line, std::size_t p, Notation notation,
                    std::vector<RememberedWord>& remembered, std::size_t& end, TextSpan& chord) {
    std::uint64_t bytes = 0;  // the word's last eight bytes: all of a short word
    for (end = p; end < line.size() && !IsBlank(line[end]); ++end)
        bytes = bytes << 8 | static_cast<unsigned char>(line[end]);
    const std::string_view word = line.substr(p, end - p);
    chord = {};
    const std::uint8_t chordBit =
        notation == Notation::Letters ? kMayBeLetterChord : kMayBeDegreeChord;
    if ((kFirstByte[static_cast<unsigned char>(word[0])] & (chordBit | kMayBeChordLineWord)) == 0)
        return WordKind::Other;  // most words of lyrics
    if (word.size() > kLongestRememberedWord) return Classify(word, notation, chord);
    // The bytes, then the size and the notation: never 0, as a word has a byte.
    const std::uint64_t text =
        bytes << 8 | word.size() << 1 | (notation == Notation::Degrees ? 1 : 0);
    // Fibonacci hashing: the top bits of the product mix every byte of the word.
    RememberedWord& place =
        remembered[(text * 0x9E3779B97F4A7C15u) >> (64 - ReadLine::kRememberedBits)];
    if (place.text != text) {
        const WordKind kind = Classify(word, notation, chord);
        place = {text, static_cast<std::uint8_t>(kind), static_cast<std::uint8_t>(chord.begin),
                 static_cast<std::uint8_t>(chord.size)};
    }
    chord = {place.chordBegin, place.chordSize};
    return static_cast<WordKind>(place.kind);
}

// How many words of line after the word that ends at p may be chords by their first byte
// (chordBit of kFirstByte): a bound that tells most lines of lyrics in one pass over their bytes,
// where such a byte is rare.
std::size_t MayBeChords(std::string_view line, std::size_t p, std::uint8_t chordBit) {
    std::size_t count = 0;
    for (++p; p < line.size(); ++p)  // the byte at p is a blank: no word starts there
        if (kFirstByte[static_cast<unsigned char>(line[p])] & chordBit)
            count += IsBlank(line[p - 1]);
    return count;
}

// The key name of a key line whose first non-blank byte is at start: a key word, optionally one
// more word, ":", one key name, each with any blanks around it ("Key: G", "KEY:Em",
// "Tonalité originale : D").
std::optional<TextSpan> KeyOfKeyLine(std::string_view line, std::size_t start) {
    const char first = ToLowerAscii(line[start]);
    if (first != 'k' && first != 't') return std::nullopt;
    std::size_t p = WordEnd(line, start, true);
    if (!IsOneOf(line.substr(start, p - start), kKeyWords)) return std::nullopt;
    p = SkipBlanks(line, p);
    if (p < line.size() && line[p] != ':') p = SkipBlanks(line, WordEnd(line, p, true));
    if (p == line.size() || line[p] != ':') return std::nullopt;
    const std::size_t name = SkipBlanks(line, p + 1);
    const std::size_t nameEnd = FindBlank(line, name);
    if (SkipBlanks(line, nameEnd) != line.size()) return std::nullopt;
    if (!ParseKeyName(line.substr(name, nameEnd - name))) return std::nullopt;
    return TextSpan{name, nameEnd - name};
}

// A tab staff from start: a string name, optional blanks, then "|-" ("e|---3---|",
// "G |-----|"), or a staff word from a "-" to the line's end that ends in "-" or "|"
// ("E-----2---||", "A  ------"). "E-  A7" is none.
bool IsTabStaff(std::string_view line, std::size_t start) {
    const char name = ToLowerAscii(line[start]);
    if (name < 'a' || name > 'g') return false;
    std::size_t p = start + 1;
    if (p < line.size() && (line[p] == '#' || line[p] == 'b')) ++p;
    p = SkipBlanks(line, p);
    if (p + 1 < line.size() && line[p] == '|' && line[p + 1] == '-') return true;
    if (p == line.size() || line[p] != '-') return false;
    const std::size_t end = FindBlank(line, p);
    return SkipBlanks(line, end) == line.size() && (line[end - 1] == '-' || line[end - 1] == '|');
}

// Where a label that starts at start ends: after a bracketed or parenthesized text that is not
// one chord and that a blank follows ("[Intro] G", "(intro 4x) Am7"), else after the first ":"
// that a blank follows ("Verse 1: Am F"). start when there is none.
std::size_t LabelEnd(std::string_view line, std::size_t start, Notation notation) {
    const char open = line[start];
    if (open == '(' || open == '[') {
        const std::size_t close = line.find(open == '(' ? ')' : ']', start + 1);
        if (close != std::string_view::npos && close + 1 < line.size() &&
            IsBlank(line[close + 1]) &&
            !ReadsAsChord(line.substr(start + 1, close - start - 1), notation))
            return close + 1;
    }
    for (std::size_t colon = line.find(':', start); colon != std::string_view::npos;
         colon = line.find(':', colon + 1))
        if (colon + 1 < line.size() && IsBlank(line[colon + 1])) return colon + 1;
    return start;
}

// "(x13231)", "(x 3 2 0 1 0)": digits, x, "-" and blanks, three digits or more.
bool IsFingering(std::string_view inside) {
    std::size_t digits = 0;
    for (const char c : inside) {
        if (IsDigit(c))
            ++digits;
        else if (!IsX(c) && c != '-' && !IsBlank(c))
            return false;
    }
    return digits >= 3;
}

// Where a comment that starts with the word at p ends: at the end of the first word from there
// that ends in the bracket matching line[p], when the text between holds no chord symbol and is
// no fingering. p when there is none.
std::size_t CommentEnd(std::string_view line, std::size_t p, Notation notation) {
    const char close = line[p] == '(' ? ')' : ']';
    std::size_t end = FindBlank(line, p);
    while (line[end - 1] != close) {
        const std::size_t next = SkipBlanks(line, end);
        if (next == line.size()) return p;
        end = FindBlank(line, next);
    }
    const std::string_view inside = line.substr(p + 1, end - p - 2);
    if (close == ')' && IsFingering(inside)) return p;
    for (std::size_t word = SkipBlanks(inside, 0); word < inside.size();) {
        const std::size_t wordEnd = FindBlank(inside, word);
        if (ChordInWord(inside.substr(word, wordEnd - word), notation)) return p;
        word = SkipBlanks(inside, wordEnd);
    }
    return end;
}

}  // namespace

void ReadChordsOverLyricsLine(std::string_view line, Notation notation, ReadLine& reading) {
    reading.kind = LineKind::Lyrics;
    reading.words.clear();
    reading.key = {};
    if (line.size() > kLongestChordLine) return;
    std::size_t p = SkipBlanks(line, 0);
    if (p == line.size()) return;
    if (const std::optional<TextSpan> key = KeyOfKeyLine(line, p)) {
        reading.kind = LineKind::KeyLine;
        reading.key = *key;
        return;
    }
    if (IsTabStaff(line, p)) return;

    std::size_t end = p;
    TextSpan chord;
    WordKind kind = ReadWordAt(line, p, notation, reading.remembered, end, chord);
    if (kind == WordKind::Other) {
        const std::size_t label = LabelEnd(line, p, notation);
        if (label != p) {
            const std::string_view labelText = line.substr(p, label - p);
            if (IsOneOf(labelText.substr(0, WordEnd(labelText, 0, true)), kNamingLabels)) return;
            p = SkipBlanks(line, label);
            if (p == line.size()) return;
            kind = ReadWordAt(line, p, notation, reading.remembered, end, chord);
        }
    }
    // Comments are read on a line that starts like a chord line, after its first chord.
    const bool startsLikeChordLine = kind != WordKind::Other;
    const std::uint8_t chordBit =
        notation == Notation::Letters ? kMayBeLetterChord : kMayBeDegreeChord;
    std::size_t chords = 0, others = 0;
    for (;;) {
        const bool comment = kind == WordKind::Other && startsLikeChordLine && chords > 0 &&
                             (line[p] == '(' || line[p] == '[');
        const std::size_t commentEnd = comment ? CommentEnd(line, p, notation) : p;
        if (commentEnd != p) {
            end = commentEnd;
            chord = {};
        } else if (kind == WordKind::Chord) {
            ++chords;
        } else if (kind == WordKind::Other && ++others == 1) {
            // No chord line any more; an almost chord line needs more chords than other words.
            const std::size_t mayBeChords = chords + MayBeChords(line, end, chordBit);
            if (mayBeChords < 2 || mayBeChords <= others) {
                reading.words.clear();
                return;
            }
        }
        if (others == 0) reading.words.push_back({p, end - p, {p + chord.begin, chord.size}});
        p = SkipBlanks(line, end);
        if (p == line.size()) break;
        kind = ReadWordAt(line, p, notation, reading.remembered, end, chord);
    }
    if (others == 0 && chords > 0) {
        reading.kind = LineKind::ChordLine;
        return;
    }
    reading.words.clear();
    if (chords >= 2 && chords > others) reading.kind = LineKind::AlmostChordLine;
}

}  // namespace lw
