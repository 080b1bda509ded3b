#include "bench/ChordsOverLyricsSheetGenerator.h"

#include <algorithm>

#include "bench/SongMaterial.h"

namespace lw {

namespace {

void AddLine(std::string& sheet, std::string_view line) {
    sheet += line;
    sheet += '\n';
}

// How many characters text holds, its two UTF-8 words counted as musicians see them.
std::size_t Columns(std::string_view text) {
    std::size_t columns = 0;
    for (const char c : text) columns += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return columns;
}

}  // namespace

std::string_view ChordsOverLyricsSheetGenerator::PickChord() {
    return WeightedChord(static_cast<unsigned>(Below(TotalChordWeight()))).letters;
}

// A lyric line, and over it a chord at the column of its first word and of about every third
// word after it; a chord that would touch the one before it moves right.
void ChordsOverLyricsSheetGenerator::AppendChordsOverLyrics(std::string& sheet) {
    std::string chords, lyrics;
    std::size_t chordsColumns = 0;
    const std::size_t words = 4 + Below(7);
    for (std::size_t i = 0; i < words; ++i) {
        if (i > 0) lyrics += ' ';
        if (i == 0 || Below(3) == 0) {
            const std::size_t column = Columns(lyrics);
            const std::size_t at =
                chordsColumns == 0 ? column : std::max(column, chordsColumns + 1);
            chords.append(at - chordsColumns, ' ');
            const std::string_view chord = PickChord();
            chords += chord;
            chordsColumns = at + chord.size();
        }
        lyrics += kLyricWords[Below(kLyricWords.size())];
    }
    AddLine(sheet, chords);
    AddLine(sheet, lyrics);
}

void ChordsOverLyricsSheetGenerator::AppendSection(std::string& sheet, std::string_view head) {
    AddLine(sheet, head);
    const std::size_t lines = Below(3) == 0 ? 2 : 4;
    for (std::size_t l = 0; l < lines; ++l) AppendChordsOverLyrics(sheet);
    AddLine(sheet, "");
}

void ChordsOverLyricsSheetGenerator::AppendSong(std::string& sheet) {
    std::string title = "Song " + std::to_string(++songNumber_) + ":";
    for (std::size_t i = 0, words = 2 + Below(3); i < words; ++i)
        (title += ' ') += kLyricWords[Below(kLyricWords.size())];
    AddLine(sheet, title);
    AddLine(sheet, "Words and music: traditional, arranged");
    AddLine(sheet, "Key: C");
    AddLine(sheet, "");
    std::string intro = "Intro:";
    for (int i = 0; i < 4; ++i) (intro += "  ") += PickChord();
    AddLine(sheet, intro);
    AddLine(sheet, "");
    const std::size_t verses = 1 + Below(2);
    for (std::size_t v = 1; v <= verses; ++v) {
        AppendSection(sheet, "[Verse " + std::to_string(v) + "]");
        if (v == 1) AppendSection(sheet, "Chorus:");
    }
    std::string bars = "|";
    for (int bar = 0; bar < 4; ++bar) ((bars += ' ') += PickChord()) += " / / / |";
    AddLine(sheet, bars + "  x2");
    AddLine(sheet, "");
}

bool WriteChordsOverLyricsSheet(const std::string& path, std::size_t bytes, std::uint32_t seed) {
    return WriteSongs(path, bytes, ChordsOverLyricsSheetGenerator(seed));
}

}  // namespace lw
