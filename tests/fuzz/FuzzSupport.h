#pragma once

// What every fuzz target shares: a way to report a broken property, and a Messenger that keeps
// what it was told.

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "core/Messenger.h"

namespace lw::fuzz {

// Stops the fuzzer with a report when a property does not hold; libFuzzer then saves the input.
inline void Require(bool holds, const char* property) {
    if (holds) return;
    std::fprintf(stderr, "Property broken: %s\n", property);
    std::abort();
}

// Keeps every message in order. No conversion asks a question, so a question is a fault.
class KeptMessages : public Messenger {
public:
    std::vector<std::string> texts;

    void ShowMessage(std::string_view text) override { texts.emplace_back(text); }
    bool AskOkCancel(std::string_view) override {
        Require(false, "no question is asked outside the run frame");
        return false;
    }
};

// The pitch class of a note name: A = 0 up to G#/Ab = 11; the letter is A to G, then an
// optional '#' or 'b'.
inline int PitchOf(std::string_view note) {
    static constexpr int kLetterPitch[7] = {0, 2, 3, 5, 7, 8, 10};  // A B C D E F G
    int pitch = kLetterPitch[note[0] - 'A'];
    if (note.size() > 1) pitch += note[1] == '#' ? 1 : -1;
    return (pitch + 12) % 12;
}

// The names the program writes for each pitch class, with sharps and with flats.
inline constexpr std::string_view kSharpNames[12] = {"A",  "A#", "B", "C",  "C#", "D",
                                                     "D#", "E",  "F", "F#", "G",  "G#"};
inline constexpr std::string_view kFlatNames[12] = {"A",  "Bb", "B", "C",  "Db", "D",
                                                    "Eb", "E",  "F", "Gb", "G",  "Ab"};

inline std::string_view NameOf(int pitch, bool sharps) {
    return sharps ? kSharpNames[pitch] : kFlatNames[pitch];
}

// The Roman degrees, by semitones above the tonic.
inline constexpr std::string_view kDegrees[12] = {"I",  "bII", "II",  "bIII", "III",  "IV",
                                                  "bV", "V",   "bVI", "VI",   "bVII", "VII"};

// Splits a file's bytes into lines the way a lead sheet is read: a line ends at CR LF, a lone
// CR or a lone LF; the end is not part of the line; bytes after the last end are a last line.
inline std::vector<std::string_view> SplitLines(std::string_view bytes) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t p = 0; p < bytes.size(); ++p) {
        if (bytes[p] != '\r' && bytes[p] != '\n') continue;
        lines.push_back(bytes.substr(start, p - start));
        if (bytes[p] == '\r' && p + 1 < bytes.size() && bytes[p + 1] == '\n') ++p;
        start = p + 1;
    }
    if (start < bytes.size()) lines.push_back(bytes.substr(start));
    return lines;
}

}  // namespace lw::fuzz
