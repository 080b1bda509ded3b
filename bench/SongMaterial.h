#pragma once

#include <array>
#include <cstddef>
#include <fstream>
#include <string>
#include <string_view>

namespace lw {

// What the generated sheets are made of, shared by the lead-sheet and the ChordPro generators.

struct GeneratedChord {
    std::string_view letters;  // in C major
    std::string_view degrees;  // the same chord as Key to Figured Bass writes it
    unsigned weight;           // how often it comes up, out of the total
};

// Mostly diatonic harmony, some borrowed chords, a few slash chords and altered extensions.
inline constexpr std::array<GeneratedChord, 30> kGeneratedChords{{
    {"C", "I", 10},           {"G", "V", 9},         {"F", "IV", 9},
    {"Am", "VIm", 7},         {"Dm7", "IIm7", 5},    {"G7", "V7", 5},
    {"Am7", "VIm7", 5},       {"Em", "IIIm", 4},     {"Fmaj7", "IVmaj7", 3},
    {"Cmaj7", "Imaj7", 3},    {"Em7", "IIIm7", 3},   {"Gsus4", "Vsus4", 2},
    {"Cadd9", "Iadd9", 2},    {"C/E", "I/III", 2},   {"F/G", "IV/V", 2},
    {"G/B", "V/VII", 2},      {"Bb", "bVII", 2},     {"D7", "II7", 2},
    {"E7", "III7", 2},        {"Am/G", "VIm/V", 1},  {"Dm", "IIm", 2},
    {"Ab", "bVI", 1},         {"Eb", "bIII", 1},     {"Fm", "IVm", 1},
    {"A7", "VI7", 1},         {"Bdim", "VIIdim", 1}, {"F#m7b5", "bVm7b5", 1},
    {"C#dim7", "bIIdim7", 1}, {"E7#9", "III7#9", 1}, {"G13/b9", "V13/b9", 1},
}};

// The chord that `pick`, below the sum of the weights, falls on.
constexpr const GeneratedChord& WeightedChord(unsigned pick) {
    std::size_t c = 0;
    while (pick >= kGeneratedChords[c].weight) pick -= kGeneratedChords[c++].weight;
    return kGeneratedChords[c];
}

constexpr unsigned TotalChordWeight() {
    unsigned total = 0;
    for (const GeneratedChord& chord : kGeneratedChords) total += chord.weight;
    return total;
}

// Lyric words; two are UTF-8, which every run must pass through as plain bytes.
inline constexpr std::array<std::string_view, 40> kLyricWords{
    "love",   "night",   "river", "home",   "light",  "heart",   "road",  "rain",  "I",     "you",
    "we",     "the",     "and",   "never",  "always", "down",    "over",  "again", "slow",  "gold",
    "Sunday", "morning", "Mary",  "Jordan", "Lord",   "Georgia", "blue",  "sky",   "hold",  "me",
    "wind",   "sweet",   "old",   "town",   "café",   "naïve",   "train", "fire",  "water", "song"};

// Writes the songs of generator to a new file until it holds at least bytes, ending after a
// whole song; false when the file cannot be written.
template <typename Generator>
bool WriteSongs(const std::string& path, std::size_t bytes, Generator&& generator) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    std::size_t written = 0;
    std::string song;
    while (file && written < bytes) {
        song.clear();
        generator.AppendSong(song);
        written += song.size();
        file.write(song.data(), static_cast<std::streamsize>(song.size()));
    }
    file.close();
    return !file.fail();
}

}  // namespace lw
