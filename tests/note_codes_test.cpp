// GetCodeFromChord and GetChordFromCode, and the slicing of a combined name.

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "RecordingMessenger.h"
#include "core/NoteCodes.h"
#include "core/Tables.h"

namespace lw {
namespace {

using test::RecordingMessenger;
using test::ShowedMessages;
using test::ShowedNothing;

const std::string kCodeNotFound = "ERROR! Code not found, GetCodeFromChord(), ";

// A table row is known by its name: in test names, in test listings and in failure reports.
template <typename Row>
std::string RowName(const ::testing::TestParamInfo<Row>& info) {
    return info.param.name;
}
template <typename Row>
requires requires(const Row& row) { row.name; }
void PrintTo(const Row& row, std::ostream* out) { *out << row.name; }

// ---- Note name to code -------------------------------------------------------------------

struct NameToCodeRow {
    const char* name;
    std::string_view note;
    NoteCode code;
};

class NoteNameToCode : public ::testing::TestWithParam<NameToCodeRow> {};

TEST_P(NoteNameToCode, GivesItsCodeWithoutAMessage) {
    RecordingMessenger messenger;
    EXPECT_EQ(GetCodeFromChord(GetParam().note, messenger), std::optional(GetParam().code));
    EXPECT_TRUE(ShowedNothing(messenger));
}

// Every spelling of the key table, then the four enharmonic extras that only chords may use.
const NameToCodeRow kKeySpellingsAndExtras[] = {
    {"A_is_0", "A", 0},
    {"A_sharp_is_1", "A#", 1},
    {"B_flat_is_1_like_A_sharp", "Bb", 1},
    {"B_is_2", "B", 2},
    {"C_is_3", "C", 3},
    {"C_sharp_is_4", "C#", 4},
    {"D_flat_is_4_like_C_sharp", "Db", 4},
    {"D_is_5", "D", 5},
    {"D_sharp_is_6", "D#", 6},
    {"E_flat_is_6_like_D_sharp", "Eb", 6},
    {"E_is_7", "E", 7},
    {"F_is_8", "F", 8},
    {"F_sharp_is_9", "F#", 9},
    {"G_flat_is_9_like_F_sharp", "Gb", 9},
    {"G_is_10", "G", 10},
    {"G_sharp_is_11", "G#", 11},
    {"A_flat_is_11_like_G_sharp", "Ab", 11},
    {"Extra_B_sharp_is_3_like_C", "B#", 3},
    {"Extra_C_flat_is_2_like_B", "Cb", 2},
    {"Extra_E_sharp_is_8_like_F", "E#", 8},
    {"Extra_F_flat_is_7_like_E", "Fb", 7},
};
INSTANTIATE_TEST_SUITE_P(KeySpellingsAndExtras, NoteNameToCode,
                         ::testing::ValuesIn(kKeySpellingsAndExtras), RowName<NameToCodeRow>);

// ---- Code to note name -------------------------------------------------------------------

struct CodeToNameRow {
    const char* name;
    int code;
    std::string_view combined;  // what GetChordFromCode gives
    std::string_view sharp;     // what a writer preferring sharps takes from it
    std::string_view flat;      // ... and one preferring flats
};

class CodeToNoteName : public ::testing::TestWithParam<CodeToNameRow> {};

TEST_P(CodeToNoteName, GivesItsNameAndBothSpellings) {
    const auto& row = GetParam();
    RecordingMessenger messenger;
    const auto name = GetChordFromCode(row.code, messenger);
    ASSERT_TRUE(name.has_value());
    EXPECT_EQ(*name, row.combined);
    EXPECT_EQ(PickSpelling(*name, Spelling::Sharp, kNoteSpellingWidth), row.sharp);
    EXPECT_EQ(PickSpelling(*name, Spelling::Flat, kNoteSpellingWidth), row.flat);
    EXPECT_TRUE(ShowedNothing(messenger));
}

const CodeToNameRow kEveryCode[] = {
    {"Code_0_is_A", 0, "A", "A", "A"},
    {"Code_1_is_A_sharp_or_B_flat", 1, "A#Bb", "A#", "Bb"},
    {"Code_2_is_B", 2, "B", "B", "B"},
    {"Code_3_is_C", 3, "C", "C", "C"},
    {"Code_4_is_C_sharp_or_D_flat", 4, "C#Db", "C#", "Db"},
    {"Code_5_is_D", 5, "D", "D", "D"},
    {"Code_6_is_D_sharp_or_E_flat", 6, "D#Eb", "D#", "Eb"},
    {"Code_7_is_E", 7, "E", "E", "E"},
    {"Code_8_is_F", 8, "F", "F", "F"},
    {"Code_9_is_F_sharp_or_G_flat", 9, "F#Gb", "F#", "Gb"},
    {"Code_10_is_G", 10, "G", "G", "G"},
    {"Code_11_is_G_sharp_or_A_flat", 11, "G#Ab", "G#", "Ab"},
};
INSTANTIATE_TEST_SUITE_P(EveryCode, CodeToNoteName, ::testing::ValuesIn(kEveryCode),
                         RowName<CodeToNameRow>);

// ---- Round trips ---------------------------------------------------------------------------

// A spelling read into a code and written back with its own accidental's preference is itself.
TEST(NoteCodeRoundTrip, EveryKeySpellingComesBackAsItself) {
    for (const std::string_view spelling : KeySpellings) {
        SCOPED_TRACE(std::string(spelling));
        RecordingMessenger messenger;
        const NoteCode code = GetCodeFromChord(spelling, messenger).value_or(-1);
        const std::string_view combined = GetChordFromCode(code, messenger).value_or("");
        const Spelling own = spelling.ends_with('b') ? Spelling::Flat : Spelling::Sharp;
        EXPECT_EQ(PickSpelling(combined, own, kNoteSpellingWidth), spelling);
        if (spelling.size() == 1) {
            EXPECT_EQ(combined, spelling);  // a white key: its letter alone
        }
        EXPECT_TRUE(ShowedNothing(messenger));
    }
}

// A code written with either spelling and read back is the same code.
TEST(NoteCodeRoundTrip, EveryCodeComesBackFromBothSpellings) {
    for (int code = 0; code < kPitchClasses; ++code) {
        SCOPED_TRACE(code);
        RecordingMessenger messenger;
        const std::string_view combined = GetChordFromCode(code, messenger).value_or("");
        for (const Spelling spelling : {Spelling::Sharp, Spelling::Flat}) {
            const auto written = PickSpelling(combined, spelling, kNoteSpellingWidth);
            EXPECT_EQ(GetCodeFromChord(written, messenger), std::optional(code)) << written;
        }
        EXPECT_TRUE(ShowedNothing(messenger));
    }
}

// The extras are read but never written: each comes back as its twin of the key table.
TEST(NoteCodeRoundTrip, TheExtrasAreWrittenAsTheirTwins) {
    RecordingMessenger messenger;
    auto writtenAs = [&](std::string_view extra) {
        const NoteCode code = GetCodeFromChord(extra, messenger).value_or(-1);
        return GetChordFromCode(code, messenger).value_or("");
    };
    EXPECT_EQ(writtenAs("B#"), "C");
    EXPECT_EQ(writtenAs("Cb"), "B");
    EXPECT_EQ(writtenAs("E#"), "F");
    EXPECT_EQ(writtenAs("Fb"), "E");
    EXPECT_TRUE(ShowedNothing(messenger));
}

// ---- Names that are no note --------------------------------------------------------------

struct BadNameRow {
    const char* name;
    std::string note;  // std::string, so that a row can hold a NUL
};

class NoteNameNotFound : public ::testing::TestWithParam<BadNameRow> {};

TEST_P(NoteNameNotFound, ShowsTheMessageWithTheNameAndGivesNothing) {
    const std::string& note = GetParam().note;
    RecordingMessenger messenger;
    const auto code = GetCodeFromChord(note, messenger);
    EXPECT_EQ(code, std::nullopt);
    EXPECT_EQ(code.value_or(0), 0);  // the caller goes on as if the note were A
    EXPECT_TRUE(ShowedMessages(messenger, {kCodeNotFound + note}));
}

const BadNameRow kNamesThatAreNoNote[] = {
    {"Lowercase_c", "c"},
    {"Lowercase_flat_root_bb", "bb"},
    {"Letter_H_outside_A_to_G", "H"},
    {"Double_flat_Bbb", "Bbb"},
    {"Double_sharp_F_double_sharp", "F##"},
    {"Capital_B_as_flat_sign", "AB"},
    {"Sharp_and_flat_together", "A#b"},
    {"Lone_sharp", "#"},
    {"Lone_flat", "b"},
    {"Minor_key_name_Am", "Am"},
    {"Combined_name_A_sharp_B_flat", "A#Bb"},
    {"Trailing_blank", "C "},
    {"Leading_blank", " C"},
    {"Degree_token_IV", "IV"},
};
INSTANTIATE_TEST_SUITE_P(Spec, NoteNameNotFound, ::testing::ValuesIn(kNamesThatAreNoNote),
                         RowName<BadNameRow>);

// Bad input never crashes the lookup; the message carries the text byte for byte.
const BadNameRow kBadNoteNames[] = {
    {"Empty_name", ""},
    {"One_megabyte", std::string(1 << 20, 'A')},
    {"One_megabyte_starting_with_a_note", "C#" + std::string(1 << 20, '#')},
    {"Bytes_above_127", "\xC3\x89"},
    {"Note_then_byte_255", "A\xFF"},
    {"Note_then_NUL", std::string("C\0", 2)},
    {"NUL_then_note", std::string("\0C", 2)},
    {"NUL_between_letter_and_sharp", std::string("F\0#", 3)},
    {"Lone_NUL", std::string(1, '\0')},
};
INSTANTIATE_TEST_SUITE_P(BadInput, NoteNameNotFound, ::testing::ValuesIn(kBadNoteNames),
                         RowName<BadNameRow>);

// The message of an empty name is the fixed part alone, down to its last blank.
TEST(NoteNameNotFoundText, EmptyNameShowsTheFixedPartExactly) {
    RecordingMessenger messenger;
    EXPECT_EQ(GetCodeFromChord("", messenger), std::nullopt);
    EXPECT_TRUE(ShowedMessages(messenger, {"ERROR! Code not found, GetCodeFromChord(), "}));
}

TEST(NoteNameNotFoundText, LetterHEndsTheMessage) {
    RecordingMessenger messenger;
    EXPECT_EQ(GetCodeFromChord("H", messenger), std::nullopt);
    EXPECT_TRUE(ShowedMessages(messenger, {"ERROR! Code not found, GetCodeFromChord(), H"}));
}

// A failure leaves nothing behind: the next lookup is answered as if it had not happened.
TEST(NoteNameNotFoundText, TheNextLookupIsIndependent) {
    RecordingMessenger messenger;
    EXPECT_EQ(GetCodeFromChord("H", messenger), std::nullopt);
    EXPECT_EQ(GetCodeFromChord("Db", messenger), std::optional(4));
    EXPECT_TRUE(ShowedMessages(messenger, {kCodeNotFound + "H"}));
}

// ---- Codes outside 0 to 11 -----------------------------------------------------------------

struct BadCodeRow {
    const char* name;
    int code;
};

class CodeOutOfRange : public ::testing::TestWithParam<BadCodeRow> {};

TEST_P(CodeOutOfRange, ShowsTheMessageAndGivesNothing) {
    RecordingMessenger messenger;
    const auto name = GetChordFromCode(GetParam().code, messenger);
    EXPECT_EQ(name, std::nullopt);
    EXPECT_EQ(name.value_or(""), "");  // the caller goes on with an empty name
    EXPECT_TRUE(ShowedMessages(messenger, {"Subscript out of range, GetChordFromCode"}));
}

const BadCodeRow kCodesOutOfRange[] = {
    {"Twelve_one_past_the_end", 12},        {"Minus_one", -1},        {"Unwrapped_sum_22", 22},
    {"Unwrapped_difference_minus_11", -11}, {"Largest_int", INT_MAX}, {"Smallest_int", INT_MIN},
};
INSTANTIATE_TEST_SUITE_P(Spec, CodeOutOfRange, ::testing::ValuesIn(kCodesOutOfRange),
                         RowName<BadCodeRow>);

}  // namespace
}  // namespace lw
