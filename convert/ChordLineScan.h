#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace lw {

// Note names on a chord line: a letter A to G, with a "#" or "b" right after it if any.
struct LetterNotes {
    static constexpr bool Starts(unsigned char c) { return c >= 'A' && c <= 'G'; }
    static constexpr std::size_t Length(std::string_view line, std::size_t p) {
        return p + 1 < line.size() && (line[p + 1] == '#' || line[p + 1] == 'b') ? 2 : 1;
    }
#if defined(__SSE2__)
    // Starts() for sixteen bytes at once: 0xFF where a byte is A to G.
    static __m128i StartsEach(__m128i bytes) {
        const __m128i fromA = _mm_sub_epi8(bytes, _mm_set1_epi8('A'));
        return _mm_cmpeq_epi8(_mm_min_epu8(fromA, _mm_set1_epi8('G' - 'A')), fromA);
    }
#endif
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
#if defined(__SSE2__)
    static __m128i StartsEach(__m128i bytes) {
        return _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('I')),
                                         _mm_cmpeq_epi8(bytes, _mm_set1_epi8('V'))),
                            _mm_cmpeq_epi8(bytes, _mm_set1_epi8('b')));
    }
#endif
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

    // Copies bytes from in[p] to out[w] up to the next stop or the end n, moving p and w.
    // Bytes up to in[readable] may be loaded (a stop must stand at in[n] if readable > n);
    // out must have room for n - p + 16 more bytes: sixteen are stored at a time.
    static void CopyPlainRun(const char* in, std::size_t& p, std::size_t n, std::size_t readable,
                             char* out, std::size_t& w, bool inChord) {
#if defined(__SSE2__)
        // Runs are short and end unpredictably; taking sixteen bytes at a time leaves one
        // well-predicted branch per run instead of one per byte.
        for (; p + 16 <= readable; p += 16, w += 16) {
            const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + p));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + w), bytes);
            const __m128i slashes = _mm_cmpeq_epi8(bytes, _mm_set1_epi8('/'));
            const __m128i decisive =
                inChord ? _mm_cmpeq_epi8(_mm_min_epu8(bytes, _mm_set1_epi8(' ')), bytes)
                        : Notation::StartsEach(bytes);
            const int stops = _mm_movemask_epi8(_mm_or_si128(slashes, decisive));
            if (stops != 0) {
                const auto run =
                    static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(stops)));
                p += run;
                w += run;
                return;
            }
        }
#endif
        const std::array<bool, 256>& stopsHere = inChord ? inside : outside;
        while (p < n && !stopsHere[static_cast<unsigned char>(in[p])]) out[w++] = in[p++];
    }
};

// Rewrites the notes of one chord line into out: every chord's root (the first note character
// after a space, tab or control character) and every note right after a "/" are replaced by
// rewrite(note), a view that stays valid until the scan ends; every other byte is copied in
// place. A "/" not followed by a note is copied together with the byte after it, so that byte
// never ends the chord.
template <class Notation, class Rewrite>
void ScanChordLine(std::string_view line, std::string& out, Rewrite&& rewrite) {
    constexpr std::size_t kSlack = 16;
    constexpr std::size_t kShortLine = 256;
    const std::size_t n = line.size();
    // A short line, as chord lines are, is scanned from a copy followed by slashes, so that
    // sixteen bytes can be looked at right up to its end, where the first slash stops the run.
    char padded[kShortLine + kSlack];
    const char* in = line.data();
    std::size_t readable = n;
    if (n <= kShortLine) {
        line.copy(padded, n);
        std::fill(padded + n, padded + n + kSlack, '/');
        in = padded;
        readable = n + kSlack;
    }

    std::size_t p = 0;  // next byte of the line
    std::size_t w = 0;  // next byte of out
    // Plain bytes are copied one for one, so only a replacement can need more room than the
    // rest of the line; out always has room for the rest of the line and sixteen bytes more.
    out.resize(n + kSlack);
    char* o = out.data();
    auto replace = [&](std::size_t length) {
        const std::string_view name = rewrite(std::string_view(in + p, length));
        p += length;
        if (w + name.size() + (n - p) + kSlack > out.size()) [[unlikely]] {
            out.resize(2 * out.size() + name.size());
            o = out.data();
        }
        for (const char c : name) o[w++] = c;
    };

    bool inChord = false;
    while (p < n) {
        ScanStops<Notation>::CopyPlainRun(in, p, n, readable, o, w, inChord);
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
