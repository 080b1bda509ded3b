#include "core/ChordSymbol.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>

namespace lw {

namespace {

// What may follow a chord's root, a byte string each, [0, 28): the chord words, then the signs.
// Degree symbols and the triangle are UTF-8: ° is C2 B0, ø C3 B8, Δ CE 94, and º (the
// masculine ordinal that Spanish and Brazilian sheets write for a diminished chord) C2 BA.
constexpr std::array<std::string_view, 28> kSuffixWords{
    "m",   "min", "maj",      "Maj",      "Min",      "M",       "mi",
    "ma",  "dim", "aug",      "sus",      "add",      "alt",     "omit",
    "no",  "o",   "+",        "-",        "#",        "b",       "(",
    ")",   ",",   "^",        "\xC2\xB0", "\xC3\xB8", "\xCE\x94", "\xC2\xBA"};

// Bit i of entry c: kSuffixWords[i] starts with the byte c, so that each position is compared
// only with the words that can start there.
constexpr std::array<std::uint32_t, 256> kWordsByFirstByte = [] {
    std::array<std::uint32_t, 256> words{};
    for (std::size_t i = 0; i < kSuffixWords.size(); ++i)
        words[static_cast<unsigned char>(kSuffixWords[i][0])] |= std::uint32_t{1} << i;
    return words;
}();

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The length of the degree token at p when it is one the chord-line scan knows; 0 otherwise.
std::size_t DegreeLengthAt(std::string_view text, std::size_t p) {
    if (text[p] != 'I' && text[p] != 'V' && text[p] != 'b') return 0;
    std::size_t length = 1;
    while (length < 4 && p + length < text.size() &&
           (text[p + length] == 'I' || text[p + length] == 'V'))
        ++length;
    const bool known = std::ranges::find(DegreeNames, text.substr(p, length)) != DegreeNames.end();
    return known ? length : 0;
}

// The length of the note at p, taken as the chord-line scan takes it, when it is a note the
// scan knows; 0 otherwise.
inline std::size_t NoteLengthAt(std::string_view text, std::size_t p, Notation notation) {
    if (p >= text.size()) return 0;
    if (notation == Notation::Degrees) return DegreeLengthAt(text, p);
    if (text[p] < 'A' || text[p] > 'G') return 0;
    return p + 1 < text.size() && (text[p + 1] == '#' || text[p + 1] == 'b') ? 2 : 1;
}

// Whether rest starts with word, whose first byte is known to match. Compared byte by byte, as
// the words are at most four bytes long.
bool RestStartsWith(std::string_view rest, std::string_view word) {
    if (rest.size() < word.size()) return false;
    for (std::size_t i = 1; i < word.size(); ++i)
        if (rest[i] != word[i]) return false;
    return true;
}

// The length of a suffix word at p, or of a tension's "/", "/b" or "/#" that a digit follows.
// Several words can start at p ("m" and "maj"), so each length found is marked in reach.
void MarkSuffixWordsAt(std::string_view text, std::size_t p, unsigned& reach) {
    const std::string_view rest = text.substr(p);
    for (std::uint32_t words = kWordsByFirstByte[static_cast<unsigned char>(rest[0])]; words != 0;
         words &= words - 1) {
        const std::string_view word = kSuffixWords[std::countr_zero(words)];
        if (RestStartsWith(rest, word)) reach |= 1u << word.size();
    }
    if (IsDigit(rest[0])) reach |= 1u << 1;
    if (rest[0] == '/') {
        if (rest.size() > 1 && IsDigit(rest[1])) reach |= 1u << 1;
        if (rest.size() > 2 && (rest[1] == 'b' || rest[1] == '#') && IsDigit(rest[2]))
            reach |= 1u << 2;
    }
}

// The length of the note of the slash bass ("/F#") that ends text at p; 0 when none does.
std::size_t SlashBassLengthAt(std::string_view text, std::size_t p, Notation notation) {
    if (text[p] != '/') return 0;
    const std::size_t length = NoteLengthAt(text, p + 1, notation);
    return p + 1 + length == text.size() ? length : 0;
}

// A chord without parentheses over the whole of text, its notes counted from offset.
std::optional<ChordSymbolNotes> ReadBareChord(std::string_view text, Notation notation,
                                              std::size_t offset) {
    if (text.empty()) return std::nullopt;
    if (text[0] == '/') {  // a walking bass
        const std::size_t bass = SlashBassLengthAt(text, 0, notation);
        if (bass == 0) return std::nullopt;
        return ChordSymbolNotes{{}, {offset + 1, bass}};
    }
    const std::size_t rootLength = NoteLengthAt(text, 0, notation);
    if (rootLength == 0) return std::nullopt;
    const TextSpan root{offset, rootLength};

    // Bit k of reach: the suffix words read so far can end k bytes after p.
    unsigned reach = 1;
    for (std::size_t p = rootLength; reach != 0; ++p, reach >>= 1) {
        if ((reach & 1) == 0) continue;
        if (p == text.size()) return ChordSymbolNotes{root, {}};
        if (const std::size_t bass = SlashBassLengthAt(text, p, notation))
            return ChordSymbolNotes{root, {offset + p + 1, bass}};
        MarkSuffixWordsAt(text, p, reach);
    }
    return std::nullopt;
}

}  // namespace

std::optional<ChordSymbolNotes> ReadChordSymbol(std::string_view text, Notation notation) {
    // In "(Am)" the chord is what the parentheses hold; no chord starts with a "(".
    std::size_t offset = 0;
    if (text.size() > 2 && text.front() == '(' && text.back() == ')') {
        text = text.substr(1, text.size() - 2);
        offset = 1;
    }
    return ReadBareChord(text, notation, offset);
}

}  // namespace lw
