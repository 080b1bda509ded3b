#include "bench/LeadSheetGenerator.h"

#include <array>
#include <fstream>
#include <string_view>

namespace lw {

namespace {

struct Chord {
    std::string_view letters;  // in C major
    std::string_view degrees;  // the same chord as Key to Figured Bass writes it
    unsigned weight;           // how often it comes up, out of the total
};

// Mostly diatonic harmony, some borrowed chords, a few slash chords and altered extensions.
constexpr std::array<Chord, 30> kChords{{
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

constexpr unsigned TotalWeight() {
    unsigned total = 0;
    for (const Chord& chord : kChords) total += chord.weight;
    return total;
}

// Lyric words; two are UTF-8, which every run must pass through as plain bytes.
constexpr std::array<std::string_view, 40> kWords{
    "love",   "night",   "river", "home",   "light",  "heart",   "road",  "rain",  "I",     "you",
    "we",     "the",     "and",   "never",  "always", "down",    "over",  "again", "slow",  "gold",
    "Sunday", "morning", "Mary",  "Jordan", "Lord",   "Georgia", "blue",  "sky",   "hold",  "me",
    "wind",   "sweet",   "old",   "town",   "café",   "naïve",   "train", "fire",  "water", "song"};

constexpr std::array<std::string_view, 5> kSections{"[Verse 1]", "[Chorus]", "[Verse 2]",
                                                    "[Bridge]", "[Outro]"};

void EndLine(std::string& sheet) { sheet += "\r\n"; }

void AppendToBoth(std::string& letters, std::string& degrees, std::string_view line) {
    letters += line;
    EndLine(letters);
    degrees += line;
    EndLine(degrees);
}

}  // namespace

void LeadSheetGenerator::AppendWords(std::string& line, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0) line += ' ';
        line += kWords[Below(kWords.size())];
    }
}

void LeadSheetGenerator::AppendChordLine(std::string& letters, std::string& degrees) {
    letters += '^';
    degrees += '^';
    // Chords stand over the syllables they go with, so the gaps between them vary.
    const std::size_t lead = Below(4) == 0 ? 1 + Below(6) : 0;
    letters.append(lead, ' ');
    degrees.append(lead, ' ');
    const std::size_t count = 2 + Below(5);
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0) {
            const std::size_t gap = 2 + Below(7);
            letters.append(gap, ' ');
            degrees.append(gap, ' ');
        }
        unsigned pick = static_cast<unsigned>(Below(TotalWeight()));
        std::size_t c = 0;
        while (pick >= kChords[c].weight) pick -= kChords[c++].weight;
        letters += kChords[c].letters;
        degrees += kChords[c].degrees;
    }
    EndLine(letters);
    EndLine(degrees);
}

void LeadSheetGenerator::AppendSong(std::string& letters, std::string& degrees) {
    std::string line = "Song " + std::to_string(++songNumber_) + ": ";
    AppendWords(line, 2 + Below(3));
    AppendToBoth(letters, degrees, line);
    AppendToBoth(letters, degrees, "Words and music: traditional, arranged");
    AppendToBoth(letters, degrees, "");
    const std::size_t sections = 3 + Below(3);
    for (std::size_t s = 0; s < sections; ++s) {
        AppendToBoth(letters, degrees, kSections[(s + Below(2)) % kSections.size()]);
        const std::size_t pairs = Below(3) == 0 ? 2 : 4;
        for (std::size_t p = 0; p < pairs; ++p) {
            AppendChordLine(letters, degrees);
            line.clear();
            AppendWords(line, 4 + Below(7));
            AppendToBoth(letters, degrees, line);
        }
        AppendToBoth(letters, degrees, "");
    }
    AppendToBoth(letters, degrees, "");
}

std::string GenerateLeadSheet(std::size_t bytes, ChordNotation notation, std::uint32_t seed) {
    LeadSheetGenerator generator(seed);
    std::string letters;
    std::string degrees;
    while (letters.size() < bytes) generator.AppendSong(letters, degrees);
    return notation == ChordNotation::Letters ? letters : degrees;
}

bool WriteLeadSheet(const std::string& path, std::size_t bytes, ChordNotation notation,
                    std::uint32_t seed) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    LeadSheetGenerator generator(seed);
    std::size_t lettersWritten = 0;
    std::string letters;
    std::string degrees;
    while (file && lettersWritten < bytes) {
        letters.clear();
        degrees.clear();
        generator.AppendSong(letters, degrees);
        lettersWritten += letters.size();
        const std::string& song = notation == ChordNotation::Letters ? letters : degrees;
        file.write(song.data(), static_cast<std::streamsize>(song.size()));
    }
    file.close();
    return !file.fail();
}

}  // namespace lw
