#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lw {

// Note names on a chord line: a letter A to G, with a "#" or "b" right after it if any.
struct LetterNotes {
    static constexpr bool Starts(unsigned char c) { return c >= 'A' && c <= 'G'; }
    static constexpr std::size_t Length(std::string_view line, std::size_t p) {
        return p + 1 < line.size() && (line[p + 1] == '#' || line[p + 1] == 'b') ? 2 : 1;
    }
};

// Degree tokens on a chord line: an "I", "V" or "b", then up to three more "I" or "V".
struct DegreeTokens {
    static constexpr bool Starts(unsigned char c) { return c == 'I' || c == 'V' || c == 'b'; }
    static constexpr std::size_t Length(std::string_view line, std::size_t p) {
        std::size_t length = 1;
        while (length < 4 && p + length < line.size() &&
               (line[p + length] == 'I' || line[p + length] == 'V'))
            ++length;
        return length;
    }
};

// Rewrites the notes of one chord line into out: every chord's root (the first note character
// after a space, tab or control character) and every note right after a "/" go through
// rewrite(note, out), which appends the replacement; every other byte is copied in place.
// A "/" not followed by a note is copied together with the byte after it, so that byte never
// ends the chord.
template <class Notation, class Rewrite>
void ScanChordLine(std::string_view line, std::string& out, Rewrite&& rewrite) {
    out.clear();
    const std::size_t n = line.size();
    bool inChord = false;
    std::size_t p = 0;
    while (p < n) {
        const auto c = static_cast<unsigned char>(line[p]);
        if (c < '!') inChord = false;
        if (!inChord && Notation::Starts(c)) {
            inChord = true;
            const std::size_t length = Notation::Length(line, p);
            rewrite(line.substr(p, length), out);
            p += length;
        } else if (c == '/' && p + 1 < n && Notation::Starts(static_cast<unsigned char>(line[p + 1]))) {
            out += '/';
            const std::size_t length = Notation::Length(line, p + 1);
            rewrite(line.substr(p + 1, length), out);
            p += 1 + length;
        } else if (c == '/' && p + 1 < n) {
            out.append(line.substr(p, 2));
            p += 2;
        } else {
            out += static_cast<char>(c);
            ++p;
        }
    }
}

}  // namespace lw
