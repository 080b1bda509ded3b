#pragma once

#include <cstddef>
#include <cstdint>
#include <random>
#include <string>
#include <string_view>

namespace lw {

// Makes ChordPro songbooks in C major for the benchmarks, every line ending in LF. Each song
// has a title, a {key: C} directive and other directives, comment lines, verses and a chorus of
// lyric lines with chords in brackets (some inside a word, a few annotations such as [N.C.]
// that are no chords), a grid section of chords and bar lines, and a tab section. The chords
// come from the same weighted mix as the lead sheets'.
class ChordProSheetGenerator {
public:
    static constexpr std::uint32_t kDefaultSeed = 20240612;

    explicit ChordProSheetGenerator(std::uint32_t seed = kDefaultSeed) : random_(seed) {}

    // Appends one whole song to the sheet.
    void AppendSong(std::string& sheet);

private:
    std::size_t Below(std::size_t bound) { return random_() % bound; }
    std::string_view PickChord();
    void AppendChord(std::string& line);
    void AppendLyricLine(std::string& sheet);
    void AppendSection(std::string& sheet, std::string_view start, std::string_view end);
    void AppendGrid(std::string& sheet);

    std::mt19937 random_;  // fully specified by the standard, so sheets match everywhere
    int songNumber_ = 0;
};

// Writes a ChordPro sheet of at least `bytes` bytes to a file, ending after a whole song; false
// when the file cannot be written.
bool WriteChordProSheet(const std::string& path, std::size_t bytes,
                        std::uint32_t seed = ChordProSheetGenerator::kDefaultSeed);

}  // namespace lw
