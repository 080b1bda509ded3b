// Note names to codes and back, and one spelling out of a combined name.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "RecordingMessenger.h"
#include "core/NoteCodes.h"
#include "core/Tables.h"

namespace lw {
namespace {

using test::RecordingMessenger;
using test::Texts;

struct NoteRow {
    std::string_view note;
    NoteCode code;
};

// Every spelling a key may have, then the four that only chord roots use.
const NoteRow kSpellings[] = {
    {"A", 0},  {"A#", 1},  {"Bb", 1},  {"B", 2},  {"C", 3},  {"C#", 4}, {"Db", 4},
    {"D", 5},  {"D#", 6},  {"Eb", 6},  {"E", 7},  {"F", 8},  {"F#", 9}, {"Gb", 9},
    {"G", 10}, {"G#", 11}, {"Ab", 11}, {"B#", 3}, {"Cb", 2}, {"E#", 8}, {"Fb", 7},
};

TEST(GetCodeFromChord, EverySpellingGivesItsCode) {
    RecordingMessenger messenger;
    for (const auto& row : kSpellings)
        EXPECT_EQ(GetCodeFromChord(row.note, messenger), std::optional(row.code)) << row.note;
    EXPECT_EQ(messenger.texts, Texts{});
}

// Names close to a note, and bad input. The empty name shows the fixed text alone, down to its
// last blank.
const std::vector<std::string> kCloseMisses = {"H", "c", "Am", "A#Bb", "C ", "Bbb"};
const std::vector<std::string> kBadInput = {"", std::string(1 << 20, 'A'), "\xC3\x89",
                                            std::string("C\0", 2), std::string("\0C", 2)};

// The caller goes on with nothing found as if the note were A.
TEST(GetCodeFromChord, AnythingElseShowsTheMessageAndGivesNothing) {
    for (const auto* table : {&kCloseMisses, &kBadInput}) {
        for (const std::string& note : *table) {
            RecordingMessenger messenger;
            EXPECT_EQ(GetCodeFromChord(note, messenger), std::nullopt) << note.substr(0, 8);
            EXPECT_EQ(messenger.texts, Texts{"ERROR! Code not found, GetCodeFromChord(), " + note});
        }
    }
}

TEST(GetChordFromCode, GivesTheLetterOrBothSpellings) {
    RecordingMessenger messenger;
    EXPECT_EQ(GetChordFromCode(0, messenger), std::optional<std::string_view>("A"));
    EXPECT_EQ(GetChordFromCode(1, messenger), std::optional<std::string_view>("A#Bb"));
    EXPECT_EQ(GetChordFromCode(3, messenger), std::optional<std::string_view>("C"));
    EXPECT_EQ(GetChordFromCode(11, messenger), std::optional<std::string_view>("G#Ab"));
    EXPECT_EQ(messenger.texts, Texts{});
}

TEST(GetChordFromCode, OutOfRangeShowsTheMessageAndGivesNothing) {
    for (const int code : {12, -1}) {
        RecordingMessenger messenger;
        EXPECT_EQ(GetChordFromCode(code, messenger), std::nullopt) << code;
        EXPECT_EQ(messenger.texts, Texts{"Subscript out of range, GetChordFromCode"});
    }
}

struct SliceRow {
    std::string_view combined;
    Spelling spelling;
    std::size_t width;
    std::string_view written;
};

// One half of a combined note or minor key name; a single name is taken whole.
const SliceRow kSlices[] = {
    {"A#Bb", Spelling::Sharp, kNoteSpellingWidth, "A#"},
    {"A#Bb", Spelling::Flat, kNoteSpellingWidth, "Bb"},
    {"C", Spelling::Flat, kNoteSpellingWidth, "C"},
    {"", Spelling::Flat, kNoteSpellingWidth, ""},
    {"F#mGbm", Spelling::Sharp, kMinorKeySpellingWidth, "F#m"},
    {"F#mGbm", Spelling::Flat, kMinorKeySpellingWidth, "Gbm"},
    {"Gm", Spelling::Flat, kMinorKeySpellingWidth, "Gm"},
};

TEST(PickSpelling, TakesOneHalfOrTheWhole) {
    for (const auto& row : kSlices)
        EXPECT_EQ(PickSpelling(row.combined, row.spelling, row.width), row.written) << row.combined;
}

}  // namespace
}  // namespace lw
