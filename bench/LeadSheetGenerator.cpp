#include "bench/LeadSheetGenerator.h"

#include <array>
#include <fstream>
#include <string_view>

#include "bench/SongMaterial.h"

namespace lw {

namespace {

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
        line += kLyricWords[Below(kLyricWords.size())];
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
        const GeneratedChord& chord =
            WeightedChord(static_cast<unsigned>(Below(TotalChordWeight())));
        letters += chord.letters;
        degrees += chord.degrees;
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
