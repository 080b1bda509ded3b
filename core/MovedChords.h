#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/ChordLineRewriter.h"
#include "core/ChordSymbol.h"

namespace lw {

// The chord symbols of one run and what they become. A song uses a few chords over and over,
// so each is read and moved once and then remembered. At most kPlaces short texts are
// remembered, so a sheet of endless different chords holds no more than one of a few.
class MovedChords {
public:
    // A text and what it becomes as a chord symbol.
    struct Chord {
        std::size_t notes = 0;  // how many notes moved; 0 when the text is no chord
        std::string moved;      // the text with its notes moved
    };

    // Moves notes as the chord-line scan of rewriter does, read in notation.
    MovedChords(ChordLineRewriter rewriter, Notation notation);

    // What text becomes, valid until the next call. Inline, as it runs for every bracket and
    // grid word: most texts are no chord or one remembered.
    const Chord& Of(std::string_view text, Messenger& messenger) {
        if (text.empty() || !MayStartChordSymbol(text[0], notation_)) return noChord_;
        std::uint32_t hash = 2166136261u;  // FNV-1a
        for (const char c : text) hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
        Remembered& place = remembered_[hash % kPlaces];
        if (SameText(place.text, text)) return place.chord;  // an empty place matches none
        return Remember(place, text, messenger);
    }

private:
    // Longer texts are rare and read each time, so that what is remembered stays small.
    static constexpr std::size_t kLongestRemembered = 64;
    static constexpr std::size_t kPlaces = 256;

    struct Remembered {
        std::string text;  // empty while nothing is remembered here
        Chord chord;
    };

    // Compared byte by byte: chord symbols are a few bytes, too short for a library compare.
    static bool SameText(std::string_view a, std::string_view b) {
        if (a.size() != b.size()) return false;
        for (std::size_t i = 0; i < a.size(); ++i)
            if (a[i] != b[i]) return false;
        return true;
    }
    const Chord& Remember(Remembered& place, std::string_view text, Messenger& messenger);
    Chord Move(std::string_view text, Messenger& messenger) const;

    ChordLineRewriter rewriter_;
    Notation notation_;
    Chord noChord_;    // what a text that starts no chord becomes
    Chord longChord_;  // the last text longer than kLongestRemembered
    // Each text in the place its hash gives; on the heap, so that a run's rewriter stays small
    // and a lead sheet's run, which holds room for one, does not clear the places.
    std::vector<Remembered> remembered_ = std::vector<Remembered>(kPlaces);
};

}  // namespace lw
