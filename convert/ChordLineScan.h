#pragma once

#include <array>
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

// The bytes at which the scan has something to decide. Outside a chord: a note, which starts
// one, and a "/". Inside a chord: a separator (any byte below "!"), which ends it, and a "/".
// Every other byte is copied as it is, whatever the state.
template <class Notation>
struct ScanStops {
    static constexpr std::array<bool, 256> Make(bool inChord) {
        std::array<bool, 256> stops{};
        for (int c = 0; c < 256; ++c)
            stops[static_cast<std::size_t>(c)] =
                c == '/' || (inChord ? c < '!' : Notation::Starts(static_cast<unsigned char>(c)));
        return stops;
    }
    static constexpr std::array<bool, 256> outside = Make(false);
    static constexpr std::array<bool, 256> inside = Make(true);
};

// Rewrites the notes of one chord line into out: every chord's root (the first note character
// after a space, tab or control character) and every note right after a "/" are replaced by
// rewrite(note), a view that stays valid until the scan ends; every other byte is copied in
// place. A "/" not followed by a note is copied together with the byte after it, so that byte
// never ends the chord.
template <class Notation, class Rewrite>
void ScanChordLine(std::string_view line, std::string& out, Rewrite&& rewrite) {
    const char* const in = line.data();
    const std::size_t n = line.size();
    std::size_t p = 0;  // next byte of the line
    std::size_t w = 0;  // next byte of out
    // Plain bytes are copied one for one, so only a replacement can need more room than
    // the rest of the line; out always has room for the rest of the line as it stands.
    out.resize(n + 16);
    char* o = out.data();
    auto replace = [&](std::size_t length) {
        const std::string_view name = rewrite(std::string_view(in + p, length));
        p += length;
        if (w + name.size() + (n - p) > out.size()) [[unlikely]] {
            out.resize(2 * out.size() + name.size());
            o = out.data();
        }
        for (const char c : name) o[w++] = c;
    };

    bool inChord = false;
    while (p < n) {
        const std::array<bool, 256>& stops =
            inChord ? ScanStops<Notation>::inside : ScanStops<Notation>::outside;
        while (p < n && !stops[static_cast<unsigned char>(in[p])]) o[w++] = in[p++];
        if (p == n) break;

        const auto c = static_cast<unsigned char>(in[p]);
        if (c < '!') {
            inChord = false;
            o[w++] = in[p++];
        } else if (!inChord && Notation::Starts(c)) {
            inChord = true;
            replace(Notation::Length(line, p));
        } else if (p + 1 < n) {  // a "/" with a byte after it
            o[w++] = in[p++];
            if (Notation::Starts(static_cast<unsigned char>(in[p])))
                replace(Notation::Length(line, p));
            else
                o[w++] = in[p++];
        } else {  // a "/" that ends the line
            o[w++] = in[p++];
        }
    }
    out.resize(w);
}

}  // namespace lw
