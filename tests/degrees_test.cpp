// Degree tokens, GetCodeFromChordRoman, and degrees counted from a key.

#include "core/Degrees.h"

#include <gtest/gtest.h>

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

const std::string kRomanNotFound = "ERROR! Code not found, GetCodeFromChordRoman(), ";

// A table row is known by its name: in test names, in test listings and in failure reports.
template <typename Row>
std::string RowName(const ::testing::TestParamInfo<Row>& info) {
    return info.param.name;
}
template <typename Row>
requires requires(const Row& row) { row.name; }
void PrintTo(const Row& row, std::ostream* out) { *out << row.name; }

// ---- Degree tokens ---------------------------------------------------------------------------

struct TokenRow {
    const char* name;
    std::string_view token;
    DegreeCode code;
};

class DegreeToken : public ::testing::TestWithParam<TokenRow> {};

TEST_P(DegreeToken, GivesItsCodeWithoutAMessage) {
    RecordingMessenger messenger;
    EXPECT_EQ(GetCodeFromChordRoman(GetParam().token, messenger), std::optional(GetParam().code));
    EXPECT_TRUE(ShowedNothing(messenger));
}

// Grouped by the tokens that are prefixes of one another: a whole-text match never lets the
// shorter one stand in for the longer, nor the longer for the shorter.
const TokenRow kPrefixFamilies[] = {
    {"I_is_0", "I", 0},
    {"II_is_2_not_I", "II", 2},
    {"III_is_4_not_II", "III", 4},
    {"IV_is_5_not_I", "IV", 5},
    {"V_is_7", "V", 7},
    {"VI_is_9_not_V", "VI", 9},
    {"VII_is_11_not_VI", "VII", 11},
    {"bII_is_1", "bII", 1},
    {"bIII_is_3_not_bII", "bIII", 3},
    {"bV_is_6", "bV", 6},
    {"bVI_is_8_not_bV", "bVI", 8},
    {"bVII_is_10_not_bV_nor_VII", "bVII", 10},
};
INSTANTIATE_TEST_SUITE_P(PrefixFamilies, DegreeToken, ::testing::ValuesIn(kPrefixFamilies),
                         RowName<TokenRow>);

TEST(DegreeTokenRoundTrip, EveryCodesTokenGivesTheCodeBack) {
    RecordingMessenger messenger;
    for (DegreeCode code = 0; code < kPitchClasses; ++code)
        EXPECT_EQ(GetCodeFromChordRoman(DegreeNames[static_cast<std::size_t>(code)], messenger),
                  std::optional(code));
    EXPECT_TRUE(ShowedNothing(messenger));
}

// ---- Text that is no degree token ------------------------------------------------------------

struct BadTokenRow {
    const char* name;
    std::string text;  // std::string, so that a row can hold a NUL
};

class NotADegreeToken : public ::testing::TestWithParam<BadTokenRow> {};

TEST_P(NotADegreeToken, ShowsTheMessageWithTheTextAndGivesNothing) {
    const std::string& text = GetParam().text;
    RecordingMessenger messenger;
    const auto code = GetCodeFromChordRoman(text, messenger);
    EXPECT_EQ(code, std::nullopt);
    EXPECT_EQ(code.value_or(0), 0);  // the caller goes on with the tonic
    EXPECT_TRUE(ShowedMessages(messenger, {kRomanNotFound + text}));
}

const BadTokenRow kTextsThatAreNoToken[] = {
    {"Numeral_above_VII", "VIII"},
    {"Four_I", "IIII"},
    {"Lone_flat", "b"},
    {"Lowercase_iv", "iv"},
    {"Mixed_case_Bvii", "Bvii"},
    {"Lowercase_v", "v"},
    {"Lowercase_flat_numeral_bvii", "bvii"},
    {"Flat_before_a_major_degree_bIV", "bIV"},
    {"Flat_numeral_above_VII", "bVIII"},
    {"Sharp_form", "#IV"},
    {"Flat_then_letter", "bA"},
    {"Letter_root", "C"},
    {"Token_with_chord_suffix", "VIm7"},
    {"Trailing_blank", "V "},
    {"Leading_blank", " V"},
};
INSTANTIATE_TEST_SUITE_P(Spec, NotADegreeToken, ::testing::ValuesIn(kTextsThatAreNoToken),
                         RowName<BadTokenRow>);

// Bad input never crashes the lookup; the message carries the text byte for byte.
const BadTokenRow kBadTokenTexts[] = {
    {"Empty_text", ""},
    {"One_megabyte", std::string(1 << 20, 'I')},
    {"One_megabyte_after_a_token", "bVII" + std::string(1 << 20, 'V')},
    {"Roman_numeral_five_in_UTF8_bytes_above_127", "\xE2\x85\xA4"},
    {"Token_then_byte_255", "IV\xFF"},
    {"Token_then_NUL", std::string("bVII\0", 5)},
    {"NUL_then_token", std::string("\0V", 2)},
    {"NUL_inside_a_token", std::string("b\0V", 3)},
};
INSTANTIATE_TEST_SUITE_P(BadInput, NotADegreeToken, ::testing::ValuesIn(kBadTokenTexts),
                         RowName<BadTokenRow>);

TEST(NotADegreeTokenText, EmptyTextShowsTheFixedPartExactly) {
    RecordingMessenger messenger;
    EXPECT_EQ(GetCodeFromChordRoman("", messenger), std::nullopt);
    EXPECT_TRUE(ShowedMessages(messenger, {"ERROR! Code not found, GetCodeFromChordRoman(), "}));
}

TEST(NotADegreeTokenText, VIIIEndsTheMessage) {
    RecordingMessenger messenger;
    EXPECT_EQ(GetCodeFromChordRoman("VIII", messenger), std::nullopt);
    EXPECT_TRUE(
        ShowedMessages(messenger, {"ERROR! Code not found, GetCodeFromChordRoman(), VIII"}));
}

// A failure leaves nothing behind: the next lookup is answered as if it had not happened.
TEST(NotADegreeTokenText, TheNextLookupIsIndependent) {
    RecordingMessenger messenger;
    EXPECT_EQ(GetCodeFromChordRoman("iv", messenger), std::nullopt);
    EXPECT_EQ(GetCodeFromChordRoman("IV", messenger), std::optional(5));
    EXPECT_TRUE(ShowedMessages(messenger, {kRomanNotFound + "iv"}));
}

// ---- Degrees in a key ------------------------------------------------------------------------

struct InKeyRow {
    const char* name;
    NoteCode key;            // a minor key is given by the code of its relative major
    std::string_view token;  // the degree ...
    std::string_view note;   // ... and the note it stands for in that key
    Spelling spelling;       // how the note is written
};

class DegreeInKey : public ::testing::TestWithParam<InKeyRow> {};

TEST_P(DegreeInKey, TokenGivesTheNote) {
    const auto& row = GetParam();
    RecordingMessenger messenger;
    const DegreeCode degree = GetCodeFromChordRoman(row.token, messenger).value_or(-1);
    const NoteCode note = NoteOfDegree(degree, row.key);
    const std::string_view combined = GetChordFromCode(note, messenger).value_or("");
    EXPECT_EQ(PickSpelling(combined, row.spelling, kNoteSpellingWidth), row.note);
    EXPECT_TRUE(ShowedNothing(messenger));
}

TEST_P(DegreeInKey, NoteGivesTheToken) {
    const auto& row = GetParam();
    RecordingMessenger messenger;
    const NoteCode note = GetCodeFromChord(row.note, messenger).value_or(-1);
    const DegreeCode degree = DegreeOfNote(note, row.key);
    ASSERT_GE(degree, 0);
    ASSERT_LT(degree, kPitchClasses);
    EXPECT_EQ(DegreeNames[static_cast<std::size_t>(degree)], row.token);
    EXPECT_TRUE(ShowedNothing(messenger));
}

// The examples of Parts 1.4 and 2.3.
const InKeyRow kWorkedExamples[] = {
    {"V_in_C_is_G", 3, "V", "G", Spelling::Flat},
    {"bVII_in_C_is_B_flat", 3, "bVII", "Bb", Spelling::Flat},
    {"bVII_in_C_is_A_sharp_with_sharps", 3, "bVII", "A#", Spelling::Sharp},
    {"VII_in_C_is_B", 3, "VII", "B", Spelling::Flat},
    {"III_in_B_flat_is_D", 1, "III", "D", Spelling::Flat},
    {"VII_in_B_flat_wraps_to_A", 1, "VII", "A", Spelling::Flat},
    {"IV_in_B_flat_is_E_flat", 1, "IV", "Eb", Spelling::Flat},
    {"bVII_in_B_flat_is_A_flat", 1, "bVII", "Ab", Spelling::Flat},
    {"VI_in_D_minor_is_D", 8, "VI", "D", Spelling::Flat},
    {"III_in_D_minor_is_A", 8, "III", "A", Spelling::Flat},
    {"bII_in_A_is_A_sharp", 0, "bII", "A#", Spelling::Sharp},
    {"bIII_in_A_is_C", 0, "bIII", "C", Spelling::Sharp},
    {"VII_in_G_wraps_to_F_sharp", 10, "VII", "F#", Spelling::Sharp},
    {"bVII_in_G_is_F", 10, "bVII", "F", Spelling::Sharp},
    {"I_in_A_flat_is_A_flat", 11, "I", "Ab", Spelling::Flat},
    {"bV_in_A_flat_is_D", 11, "bV", "D", Spelling::Flat},
};
INSTANTIATE_TEST_SUITE_P(WorkedExamples, DegreeInKey, ::testing::ValuesIn(kWorkedExamples),
                         RowName<InKeyRow>);

// Both directions, in every key: a note's degree leads back to the note, and a degree's note
// back to the degree.
TEST(DegreeInKeyRoundTrip, EveryNoteAndDegreeInEveryKey) {
    for (NoteCode key = 0; key < kPitchClasses; ++key) {
        for (int value = 0; value < kPitchClasses; ++value) {
            SCOPED_TRACE("key " + std::to_string(key) + ", value " + std::to_string(value));
            const DegreeCode degree = DegreeOfNote(value, key);
            EXPECT_GE(degree, 0);
            EXPECT_LT(degree, kPitchClasses);
            EXPECT_EQ(NoteOfDegree(degree, key), value);
            const NoteCode note = NoteOfDegree(value, key);
            EXPECT_GE(note, 0);
            EXPECT_LT(note, kPitchClasses);
            EXPECT_EQ(DegreeOfNote(note, key), value);
        }
        EXPECT_EQ(DegreeOfNote(key, key), 0);  // the tonic is I
    }
}

// ---- One correction brings every sum into 0 to 11 ------------------------------------------

struct WrapRow {
    const char* name;
    int sum;
    int wrapped;
};

class WrapPitchClassRows : public ::testing::TestWithParam<WrapRow> {};

TEST_P(WrapPitchClassRows, BringsTheSumInto0To11) {
    EXPECT_EQ(WrapPitchClass(GetParam().sum), GetParam().wrapped);
}

const WrapRow kSumEnds[] = {
    {"Lowest_sum_minus_11", -11, 1}, {"Minus_1_is_11", -1, 11}, {"Zero_stays", 0, 0},
    {"Eleven_stays", 11, 11},        {"Twelve_is_0", 12, 0},    {"Highest_sum_22", 22, 10},
};
INSTANTIATE_TEST_SUITE_P(Ends, WrapPitchClassRows, ::testing::ValuesIn(kSumEnds), RowName<WrapRow>);

}  // namespace
}  // namespace lw
