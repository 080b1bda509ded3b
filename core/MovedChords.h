#pragma once

#include <algorithm>
#include <array>
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "core/ChordLineRewriter.h"
#include "core/ChordSymbol.h"

namespace lw {

// The chord symbols of one run and what they become. A song uses a few chords over and over,
// so each is read and moved once and then remembered. At most kPlaces short texts are
// remembered, so a sheet of endless different chords holds no more than one of a few.
class MovedChords {
public:
    // What a text becomes as a chord symbol.
    struct Chord {
        std::size_t notes = 0;   // how many notes moved; 0 when the text is no chord
        std::string_view moved;  // the text with its notes moved
    };

    // Moves notes as the chord-line scan of rewriter does, read in notation.
    MovedChords(ChordLineRewriter rewriter, Notation notation);

    // What text becomes, its moved text valid until the next call. Inline, as it runs for every
    // chord: most texts are no chord or one remembered.
    Chord Of(std::string_view text, Messenger& messenger) {
        if (text.empty() || !MayStartChordSymbol(text[0], notation_)) return {};
        if (text.size() > kLongestRemembered) return {Move(text, messenger), moved_};
        const TextKey key = KeyOf(text);
        // Fibonacci hashing: the top bits of the product mix every byte of the text.
        const std::size_t place =
            ((key.head ^ key.tail) * 0x9E3779B97F4A7C15u) >> (64 - kPlaceBits);
        const Remembered& remembered = remembered_[place];
        if (!held_[place] || !(remembered.text == key))
            return Remember(place, key, text, messenger);
        return {remembered.notes, std::string_view(remembered.moved.data(), remembered.movedSize)};
    }

private:
    // Longer texts are rare and read each time, so that what is remembered stays small.
    static constexpr std::size_t kLongestRemembered = 15;
    static constexpr int kPlaceBits = 8;
    static constexpr std::size_t kPlaces = std::size_t{1} << kPlaceBits;

    // A text of up to kLongestRemembered bytes as two numbers: its first eight bytes, then the
    // rest and its size. Two texts are the same when their keys are.
    struct TextKey {
        std::uint64_t head = 0, tail = 0;
        bool operator==(const TextKey&) const = default;
    };
    static TextKey KeyOf(std::string_view text) {
        TextKey key;
        const std::size_t split = std::min<std::size_t>(text.size(), 8);
        for (std::size_t i = 0; i < split; ++i)
            key.head = key.head << 8 | static_cast<unsigned char>(text[i]);
        for (std::size_t i = split; i < text.size(); ++i)
            key.tail = key.tail << 8 | static_cast<unsigned char>(text[i]);
        key.tail = key.tail << 8 | text.size();
        return key;
    }

    struct Remembered {
        TextKey text;
        std::uint8_t notes = 0;
        std::uint8_t movedSize = 0;
        std::array<char, 22> moved;  // room for two notes that grow from 1 byte to 4
    };

    Chord Remember(std::size_t place, TextKey key, std::string_view text, Messenger& messenger);
    // Moves the notes of text into moved_ and returns how many moved.
    std::size_t Move(std::string_view text, Messenger& messenger);

    ChordLineRewriter rewriter_;
    Notation notation_;
    std::string moved_;  // the last text moved
    // Each text in the place its key gives, on the heap, so that a run's rewriter stays small.
    // Only the places held are ever read, so a new run writes nothing into them.
    std::unique_ptr<Remembered[]> remembered_ =
        std::make_unique_for_overwrite<Remembered[]>(kPlaces);
    std::bitset<kPlaces> held_;
};

}  // namespace lw
