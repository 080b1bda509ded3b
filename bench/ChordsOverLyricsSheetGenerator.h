#pragma once

#include <cstddef>
#include <cstdint>
#include <random>
#include <string>
#include <string_view>

namespace lw {

// Makes chords-over-lyrics songbooks in C major for the benchmarks, every line ending in LF.
// Each song has a title, a "Key: C" line, an "Intro:" line of chords, section heads
// ("[Verse 1]", "Chorus:"), chord lines laid out in columns over the lyric lines they belong
// to, a bar line with a repeat ("| C / / / | G / / / |  x2") and blank lines. The chords and
// words come from the same weighted mix as the lead sheets'.
class ChordsOverLyricsSheetGenerator {
public:
    static constexpr std::uint32_t kDefaultSeed = 20240613;

    explicit ChordsOverLyricsSheetGenerator(std::uint32_t seed = kDefaultSeed) : random_(seed) {}

    // Appends one whole song to the sheet.
    void AppendSong(std::string& sheet);

private:
    std::size_t Below(std::size_t bound) { return random_() % bound; }
    std::string_view PickChord();
    void AppendChordsOverLyrics(std::string& sheet);
    void AppendSection(std::string& sheet, std::string_view head);

    std::mt19937 random_;  // fully specified by the standard, so sheets match everywhere
    int songNumber_ = 0;
};

// Writes a chords-over-lyrics sheet of at least `bytes` bytes to a file, ending after a whole
// song; false when the file cannot be written.
bool WriteChordsOverLyricsSheet(const std::string& path, std::size_t bytes,
                                std::uint32_t seed = ChordsOverLyricsSheetGenerator::kDefaultSeed);

}  // namespace lw
