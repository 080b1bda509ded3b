#pragma once

#include <cstddef>
#include <cstdint>
#include <random>
#include <string>

namespace lw {

enum class ChordNotation { Letters, Degrees };

// Makes lead sheets in C major for the benchmarks: songs with a title, section labels, chord
// lines over lyric lines and blank lines, every line ending in CR LF. The chords come from a
// fixed weighted mix ("^C  Am7  F/G  Bb  G13/b9  F#m7b5"). The same seed gives the same songs
// in both notations; the degree sheet is exactly what Key to Figured Bass makes of the letter
// sheet ("^I  VIm7  IV/V  bVII  V13/b9  bVm7b5").
class LeadSheetGenerator {
public:
    static constexpr std::uint32_t kDefaultSeed = 20240611;

    explicit LeadSheetGenerator(std::uint32_t seed = kDefaultSeed) : random_(seed) {}

    // Appends one whole song to each sheet.
    void AppendSong(std::string& letters, std::string& degrees);

private:
    std::size_t Below(std::size_t bound) { return random_() % bound; }
    void AppendWords(std::string& line, std::size_t count);
    void AppendChordLine(std::string& letters, std::string& degrees);

    std::mt19937 random_;  // fully specified by the standard, so sheets match everywhere
    int songNumber_ = 0;
};

// A lead sheet of at least `bytes` bytes in letter notation, ending after a whole song. With
// ChordNotation::Degrees it is the twin of that letter sheet, a little longer.
std::string GenerateLeadSheet(std::size_t bytes, ChordNotation notation,
                              std::uint32_t seed = LeadSheetGenerator::kDefaultSeed);

// The same, written to a file song by song; false when the file cannot be written.
bool WriteLeadSheet(const std::string& path, std::size_t bytes, ChordNotation notation,
                    std::uint32_t seed = LeadSheetGenerator::kDefaultSeed);

}  // namespace lw
