#include "bench/ChordProSheetGenerator.h"

#include <array>
#include <string_view>

#include "bench/SongMaterial.h"

namespace lw {

namespace {

// Bracketed text that reads as no chord and is kept as written.
constexpr std::array<std::string_view, 4> kAnnotations{"[N.C.]", "[*Rit.]", "[x2]", "[|]"};

constexpr std::string_view kTab =
    "{start_of_tab: Guitar, first bar}\n"
    "e|-------0-------|\n"
    "B|-----1---1-----|\n"
    "G|---0-------0---|\n"
    "D|-2-------------|\n"
    "A|---------------|\n"
    "E|---------------|\n"
    "{end_of_tab}\n";

void AddLine(std::string& sheet, std::string_view line) {
    sheet += line;
    sheet += '\n';
}

}  // namespace

std::string_view ChordProSheetGenerator::PickChord() {
    return WeightedChord(static_cast<unsigned>(Below(TotalChordWeight()))).letters;
}

void ChordProSheetGenerator::AppendChord(std::string& line) {
    ((line += '[') += PickChord()) += ']';
}

// Words with a chord before about every third one, some in the middle of a word ("Su[G]sanna"),
// now and then an annotation.
void ChordProSheetGenerator::AppendLyricLine(std::string& sheet) {
    std::string line;
    const std::size_t words = 4 + Below(7);
    for (std::size_t i = 0; i < words; ++i) {
        if (i > 0) line += ' ';
        const std::string_view word = kLyricWords[Below(kLyricWords.size())];
        if (Below(3) != 0) {
            line += word;
        } else if (word.size() > 3 && Below(4) == 0) {
            line += word.substr(0, 2);
            AppendChord(line);
            line += word.substr(2);
        } else {
            AppendChord(line);
            line += word;
        }
    }
    if (Below(6) == 0) line += kAnnotations[Below(kAnnotations.size())];
    AddLine(sheet, line);
}

void ChordProSheetGenerator::AppendSection(std::string& sheet, std::string_view start,
                                           std::string_view end) {
    AddLine(sheet, start);
    const std::size_t lines = Below(3) == 0 ? 2 : 4;
    for (std::size_t l = 0; l < lines; ++l) AppendLyricLine(sheet);
    AddLine(sheet, end);
    AddLine(sheet, "");
}

// Two rows of four bars; a cell holds a chord, two chords joined by "~" or a beat ".".
void ChordProSheetGenerator::AppendGrid(std::string& sheet) {
    AddLine(sheet, "{start_of_grid: shape=\"1+4x2+1\"}");
    for (int row = 0; row < 2; ++row) {
        std::string line = "||";
        for (int bar = 0; bar < 4; ++bar) {
            if (bar > 0) line += " |";
            for (int beat = 0; beat < 4; ++beat) {
                const std::size_t cell = beat == 0 ? 0 : Below(5);
                line += ' ';
                if (cell > 1) {
                    line += '.';
                    continue;
                }
                line += PickChord();
                if (cell == 1) (line += '~') += PickChord();
            }
        }
        AddLine(sheet, line + " ||");
    }
    AddLine(sheet, "{end_of_grid}");
    AddLine(sheet, "");
}

void ChordProSheetGenerator::AppendSong(std::string& sheet) {
    std::string title = "{title: Song " + std::to_string(++songNumber_) + ":";
    for (std::size_t i = 0, words = 2 + Below(3); i < words; ++i)
        (title += ' ') += kLyricWords[Below(kLyricWords.size())];
    AddLine(sheet, title + "}");
    AddLine(sheet, "{subtitle: Words and music: traditional, arranged}");
    AddLine(sheet, "{key: C}");
    AddLine(sheet, Below(2) == 0 ? "{time: 4/4}" : "{time: 3/4}");
    AddLine(sheet, "{define: G base-fret 1 frets 3 2 0 0 0 3}");
    AddLine(sheet, "# arranged for the Sunday band; capo 2 for the choir");
    AddLine(sheet, "");
    const std::size_t verses = 1 + Below(2);
    for (std::size_t v = 1; v <= verses; ++v) {
        AppendSection(sheet, "{start_of_verse: Verse " + std::to_string(v) + "}", "{end_of_verse}");
        if (v == 1) AppendSection(sheet, "{start_of_chorus}", "{end_of_chorus}");
    }
    AddLine(sheet, "{comment: Instrumental, two bars a cell}");
    AppendGrid(sheet);
    sheet += kTab;
    AddLine(sheet, "");
    AddLine(sheet, "{chorus}");
    AddLine(sheet, "");
}

bool WriteChordProSheet(const std::string& path, std::size_t bytes, std::uint32_t seed) {
    return WriteSongs(path, bytes, ChordProSheetGenerator(seed));
}

}  // namespace lw
