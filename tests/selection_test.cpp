// The start state, what a click in the key or step list records, the key list, and
// the slicing of combined names.

#include <gtest/gtest.h>

#include <cstddef>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <string_view>

#include "RecordingMessenger.h"
#include "core/ModGlobals.h"
#include "core/NoteCodes.h"
#include "core/Tables.h"

namespace lw {
namespace {

using test::RecordingMessenger;
using test::ShowedNothing;

// A table row is known by its name: in test names, in test listings and in failure reports.
template <typename Row>
std::string RowName(const ::testing::TestParamInfo<Row>& info) {
    return info.param.name;
}
template <typename Row>
requires requires(const Row& row) { row.name; }
void PrintTo(const Row& row, std::ostream* out) { *out << row.name; }

TEST(StartState, NothingChosenAndNoOutputKey) {
    const ModGlobals globals;
    EXPECT_EQ(globals.StepSemitones, std::nullopt);
    EXPECT_EQ(globals.OutputKeyCode, -1);
    EXPECT_EQ(globals.ConvertMode, 0);
    EXPECT_EQ(globals.ChordLineMarker, "^");
    EXPECT_EQ(globals.FileExtension, "txt");
    EXPECT_FALSE(globals.UseSharps);
    EXPECT_EQ(globals.OutputKeyName, "");
}

// ---- Step list -------------------------------------------------------------------------------

struct StepRow {
    const char* name;
    int index;
    std::string_view item;
    int semitones;
};

class StepClick : public ::testing::TestWithParam<StepRow> {};

TEST_P(StepClick, RecordsTheIntervalOfTheRow) {
    const auto& row = GetParam();
    ModGlobals globals;
    lstStep_Click(globals, row.index);
    EXPECT_EQ(globals.StepSemitones, std::optional(row.semitones));
    EXPECT_EQ(StepListItems.at(static_cast<std::size_t>(row.index)), row.item);
}

// The rows on both sides of the turn from up to down, and the two ends.
const StepRow kStepRows[] = {
    {"First_row_up_half_a_step", 0, "Up 1/2", +1},
    {"Second_row_up_a_step", 1, "Up 1", +2},
    {"Up_3_is_a_tritone", 5, "Up 3", +6},
    {"Last_up_row", 10, "Up 5 1/2", +11},
    {"First_down_row_down_half_a_step", 11, "Down 1/2", -1},
    {"Down_a_step", 12, "Down 1", -2},
    {"Down_3_is_a_tritone", 16, "Down 3", -6},
    {"Last_row", 21, "Down 5 1/2", -11},
};
INSTANTIATE_TEST_SUITE_P(Spec, StepClick, ::testing::ValuesIn(kStepRows), RowName<StepRow>);

// The semitones that a step item's text says: two for each whole step, one for "1/2".
int SemitonesOfStepItem(std::string_view item) {
    std::istringstream words{std::string(item)};
    std::string direction;
    std::string word;
    words >> direction;
    int semitones = 0;
    while (words >> word) semitones += word == "1/2" ? 1 : 2 * std::stoi(word);
    return direction == "Down" ? -semitones : semitones;
}

TEST(StepClickAllRows, EveryRowRecordsWhatItsTextSays) {
    for (std::size_t index = 0; index < StepListItems.size(); ++index) {
        SCOPED_TRACE(std::string(StepListItems[index]));
        ModGlobals globals;
        lstStep_Click(globals, static_cast<int>(index));
        EXPECT_EQ(globals.StepSemitones, std::optional(SemitonesOfStepItem(StepListItems[index])));
    }
}

// -1 is half a step down, an interval like any other, never the nothing-chosen state.
TEST(StepClickAllRows, DownHalfAStepIsChosen) {
    ModGlobals globals;
    lstStep_Click(globals, 11);
    ASSERT_TRUE(globals.StepSemitones.has_value());
    EXPECT_EQ(*globals.StepSemitones, -1);
}

// ---- Key list and the order of clicks --------------------------------------------------------

TEST(KeyClick, RecordsZeroFromNothingChosen) {
    ModGlobals globals;
    lstKey_Click(globals);
    EXPECT_EQ(globals.StepSemitones, std::optional(0));
}

TEST(KeyClick, KeyAfterStepRecordsZero) {
    ModGlobals globals;
    lstStep_Click(globals, 21);
    lstKey_Click(globals);
    EXPECT_EQ(globals.StepSemitones, std::optional(0));
}

TEST(KeyClick, StepAfterKeyRecordsTheStep) {
    ModGlobals globals;
    lstKey_Click(globals);
    lstStep_Click(globals, 11);
    EXPECT_EQ(globals.StepSemitones, std::optional(-1));
}

// A click records only the interval; the output key and the other globals stay as they were.
TEST(KeyClick, ClicksStoreNothingElse) {
    ModGlobals globals;
    globals.OutputKeyCode = 7;
    globals.InputKeyCode = 4;
    globals.UseSharps = true;
    lstKey_Click(globals);
    lstStep_Click(globals, 3);
    EXPECT_EQ(globals.OutputKeyCode, 7);
    EXPECT_EQ(globals.InputKeyCode, 4);
    EXPECT_TRUE(globals.UseSharps);
    EXPECT_EQ(globals.ConvertMode, 0);
}

// Every key list row: its key is the key spelling at the same index, read to the code at that
// index, and the minor in parentheses lies three semitones below it.
TEST(KeyListRows, KeyAndMinorOfEveryRowMatchTheTables) {
    for (std::size_t index = 0; index < KeyListItems.size(); ++index) {
        const std::string_view item = KeyListItems[index];
        SCOPED_TRACE(std::string(item));
        const auto open = item.find(" (");
        ASSERT_NE(open, std::string_view::npos);
        ASSERT_TRUE(item.ends_with("m)"));
        const std::string_view major = item.substr(0, open);
        const std::string_view minorRoot = item.substr(open + 2, item.size() - open - 4);

        RecordingMessenger messenger;
        EXPECT_EQ(major, KeySpellings[index]);
        const NoteCode majorCode = GetCodeFromChord(major, messenger).value_or(-1);
        const NoteCode minorCode = GetCodeFromChord(minorRoot, messenger).value_or(-100);
        EXPECT_EQ(majorCode, KeySpellingCodes[index]);
        EXPECT_EQ((majorCode - minorCode + 12) % 12, 3);
        EXPECT_TRUE(ShowedNothing(messenger));
    }
}

// Choosing a row and writing its own key with the row's spelling gives the row's key back, so
// every black key is spelled with the accidental it is listed with.
TEST(KeyListRows, EveryRowWritesItsOwnKey) {
    for (std::size_t index = 0; index < KeyListItems.size(); ++index) {
        SCOPED_TRACE(std::string(KeyListItems[index]));
        RecordingMessenger messenger;
        const std::string_view combined =
            GetChordFromCode(KeySpellingCodes[index], messenger).value_or("");
        EXPECT_EQ(PickSpelling(combined, KeyListSpellings[index], kNoteSpellingWidth),
                  KeySpellings[index]);
        EXPECT_TRUE(ShowedNothing(messenger));
    }
}

struct KeyRow {
    const char* name;
    std::size_t index;
    std::string_view item;
    NoteCode code;
    Spelling spelling;
};

class KeyListRow : public ::testing::TestWithParam<KeyRow> {};

TEST_P(KeyListRow, GivesItsCodeAndSpelling) {
    const auto& row = GetParam();
    EXPECT_EQ(KeyListItems.at(row.index), row.item);
    EXPECT_EQ(KeySpellingCodes.at(row.index), row.code);
    EXPECT_EQ(KeyListSpellings.at(row.index), row.spelling);
}

// Rows whose minor looks odd, and the white keys, whose spelling the round trip above
// cannot see (A, B, D, E, G with sharps; C, F with flats).
const KeyRow kKeyListRows[] = {
    {"D_sharp_with_B_sharp_minor", 8, "D# (B#m)", 6, Spelling::Sharp},
    {"G_sharp_with_E_sharp_minor", 15, "G# (E#m)", 11, Spelling::Sharp},
    {"A_sharp_shares_G_minor", 1, "A# (Gm)", 1, Spelling::Sharp},
    {"B_flat_shares_G_minor", 2, "Bb (Gm)", 1, Spelling::Flat},
    {"A_with_sharps", 0, "A (F#m)", 0, Spelling::Sharp},
    {"B_with_sharps", 3, "B (G#m)", 2, Spelling::Sharp},
    {"C_with_flats", 4, "C (Am)", 3, Spelling::Flat},
    {"D_with_sharps", 7, "D (Bm)", 5, Spelling::Sharp},
    {"E_with_sharps", 10, "E (C#m)", 7, Spelling::Sharp},
    {"F_with_flats", 11, "F (Dm)", 8, Spelling::Flat},
    {"G_with_sharps", 14, "G (Em)", 10, Spelling::Sharp},
};
INSTANTIATE_TEST_SUITE_P(Spec, KeyListRow, ::testing::ValuesIn(kKeyListRows), RowName<KeyRow>);

// ---- Slicing a combined name -----------------------------------------------------------------

struct SliceRow {
    const char* name;
    std::string_view combined;
    Spelling spelling;
    std::size_t width;
    std::string_view written;
};

class PickSpellingRows : public ::testing::TestWithParam<SliceRow> {};

TEST_P(PickSpellingRows, TakesOneHalfOrTheWhole) {
    const auto& row = GetParam();
    EXPECT_EQ(PickSpelling(row.combined, row.spelling, row.width), row.written);
}

const SliceRow kNoteSlices[] = {
    {"Sharp_half_of_A_sharp_B_flat", "A#Bb", Spelling::Sharp, kNoteSpellingWidth, "A#"},
    {"Flat_half_of_A_sharp_B_flat", "A#Bb", Spelling::Flat, kNoteSpellingWidth, "Bb"},
    {"Sharp_half_of_G_sharp_A_flat", "G#Ab", Spelling::Sharp, kNoteSpellingWidth, "G#"},
    {"Flat_half_of_G_sharp_A_flat", "G#Ab", Spelling::Flat, kNoteSpellingWidth, "Ab"},
    {"Letter_whole_with_sharps", "C", Spelling::Sharp, kNoteSpellingWidth, "C"},
    {"Letter_whole_with_flats", "C", Spelling::Flat, kNoteSpellingWidth, "C"},
    {"Empty_name_stays_empty", "", Spelling::Flat, kNoteSpellingWidth, ""},
};
INSTANTIATE_TEST_SUITE_P(Notes, PickSpellingRows, ::testing::ValuesIn(kNoteSlices),
                         RowName<SliceRow>);

const SliceRow kMinorKeySlices[] = {
    {"Sharp_half_of_F_sharp_minor_G_flat_minor", "F#mGbm", Spelling::Sharp, kMinorKeySpellingWidth,
     "F#m"},
    {"Flat_half_of_F_sharp_minor_G_flat_minor", "F#mGbm", Spelling::Flat, kMinorKeySpellingWidth,
     "Gbm"},
    {"Two_letter_minor_whole_with_sharps", "Gm", Spelling::Sharp, kMinorKeySpellingWidth, "Gm"},
    {"Two_letter_minor_whole_with_flats", "Am", Spelling::Flat, kMinorKeySpellingWidth, "Am"},
};
INSTANTIATE_TEST_SUITE_P(MinorKeys, PickSpellingRows, ::testing::ValuesIn(kMinorKeySlices),
                         RowName<SliceRow>);

// Usable where the compiler needs the answer.
static_assert(PickSpelling("D#Eb", Spelling::Flat, kNoteSpellingWidth) == "Eb");

}  // namespace
}  // namespace lw
