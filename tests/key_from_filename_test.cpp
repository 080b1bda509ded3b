// The key right before the last dot of the file name itself, never a folder's.

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "RecordingMessenger.h"
#include "core/KeyFromFilename.h"
#include "core/ModGlobals.h"
#include "core/Tables.h"

namespace lw {
namespace {

using test::RecordingMessenger;
using test::ShowedMessages;
using test::ShowedNothing;

const std::string kNoDot = "ERROR! '.' not found in input filename...";
const std::string kNoKey = "ERROR! Key not found in input filename...";
const std::string kBeforeName = "Key starts before the file name, GetKeyCodeFromFilename()";

// A table row is known by its name: in test names, in test listings and in failure reports.
template <typename Row>
std::string RowName(const ::testing::TestParamInfo<Row>& info) {
    return info.param.name;
}
template <typename Row>
requires requires(const Row& row) { row.name; }
void PrintTo(const Row& row, std::ostream* out) { *out << row.name; }

// Globals as a previous run could have left them. The three key globals hold values that no
// reading stores, so that "unchanged" and "stored" can be told apart; each test runs with two
// primings whose key globals differ in every field.
struct KeyGlobals {
    NoteCode code;
    bool minor;
    int length;
};
constexpr KeyGlobals kPrimings[] = {{99, true, 0}, {-5, false, 7}};

ModGlobals Primed(const KeyGlobals& key) {
    ModGlobals globals;
    globals.ChordLineMarker = "!";
    globals.FileExtension = "lead";
    globals.ConvertMode = 3;
    globals.StepSemitones = -1;
    globals.OutputKeyCode = 9;
    globals.UseSharps = true;
    globals.OutputKeyName = "Gbm";
    globals.InputKeyCode = key.code;
    globals.InputKeyIsMinor = key.minor;
    globals.InputKeyLength = key.length;
    return globals;
}

// GetKeyCodeFromFilename writes the three key globals and nothing else.
void ExpectOnlyKeyGlobalsWritten(const ModGlobals& after) {
    const ModGlobals before = Primed(kPrimings[0]);
    EXPECT_EQ(after.ChordLineMarker, before.ChordLineMarker);
    EXPECT_EQ(after.FileExtension, before.FileExtension);
    EXPECT_EQ(after.ConvertMode, before.ConvertMode);
    EXPECT_EQ(after.StepSemitones, before.StepSemitones);
    EXPECT_EQ(after.OutputKeyCode, before.OutputKeyCode);
    EXPECT_EQ(after.UseSharps, before.UseSharps);
    EXPECT_EQ(after.OutputKeyName, before.OutputKeyName);
}

// ---- Names whose key is found --------------------------------------------------------------

struct FoundRow {
    const char* name;
    std::string path;
    KeyGlobals key;
};

class KeyFound : public ::testing::TestWithParam<FoundRow> {};

TEST_P(KeyFound, StoresCodeMinorFlagAndLength) {
    const auto& row = GetParam();
    for (const auto& priming : kPrimings) {
        ModGlobals globals = Primed(priming);
        RecordingMessenger messenger;
        EXPECT_TRUE(GetKeyCodeFromFilename(row.path, globals, messenger));
        EXPECT_EQ(globals.InputKeyCode, row.key.code);
        EXPECT_EQ(globals.InputKeyIsMinor, row.key.minor);
        EXPECT_EQ(globals.InputKeyLength, row.key.length);
        ExpectOnlyKeyGlobalsWritten(globals);
        EXPECT_TRUE(ShowedNothing(messenger));
    }
}

// The readings of the usual kinds of name.
const FoundRow kWorkedReadings[] = {
    {"A_major", "Song_A.txt", {0, false, 1}},
    {"A_flat_major", "Another Ewe_Ab.txt", {11, false, 2}},
    {"F_sharp_major", "Medication_F#.txt", {9, false, 2}},
    {"D_minor_is_F_major", "SongoftheNight_Dm.txt", {8, true, 2}},
    {"B_flat_minor_is_C_sharp", "Song_Bbm.txt", {4, true, 3}},
    {"F_sharp_minor_is_A", "Song_F#m.txt", {0, true, 3}},
    {"C_sharp_minor_is_E", "Song_C#m.txt", {7, true, 3}},
    {"Fixed_name_of_the_figured_bass_run", "XXXX_A.txt", {0, false, 1}},
};
INSTANTIATE_TEST_SUITE_P(WorkedReadings, KeyFound, ::testing::ValuesIn(kWorkedReadings),
                         RowName<FoundRow>);

const FoundRow kPathsWithAKey[] = {
    {"Full_path", "/home/ann/Lead Sheets/Medication_F#.txt", {9, false, 2}},
    {"Dotted_folder_is_not_looked_at", "/a.b/Song_C.txt", {3, false, 1}},
    {"Dotted_folder_right_before_a_short_name", "/x.Gm/Bb.txt", {1, false, 2}},
    {"Folder_ending_in_b_before_a_one_letter_name", "/club/E.txt", {7, false, 1}},
    {"No_underscore_needed", "A.txt", {0, false, 1}},
    {"Whole_name_is_a_three_letter_key", "Ebm.txt", {9, true, 3}},
    {"Extension_is_not_examined", "Song_Gb.text", {9, false, 2}},
    {"Empty_extension", "Song_Em.", {10, true, 2}},
    {"Only_the_last_dot_counts", "Song.v2_G#.txt", {11, false, 2}},
    {"Key_name_earlier_in_the_song_name", "Am_Song_D.txt", {5, false, 1}},
    {"NUL_inside_the_song_name", std::string("So\0ng_D.txt", 11), {5, false, 1}},
    {"Bytes_above_127_in_the_song_name", "Ch\xC3\xA2teau_Eb.txt", {6, false, 2}},
    {"One_megabyte_song_name", std::string(1 << 20, 'x') + "_Cm.txt", {6, true, 2}},
};
INSTANTIATE_TEST_SUITE_P(Paths, KeyFound, ::testing::ValuesIn(kPathsWithAKey), RowName<FoundRow>);

// Every major and every minor spelling a file name may carry. The codes are the spec's literals.
const FoundRow kEveryMajorKey[] = {
    {"A", "Song_A.txt", {0, false, 1}},        {"A_sharp", "Song_A#.txt", {1, false, 2}},
    {"B_flat", "Song_Bb.txt", {1, false, 2}},  {"B", "Song_B.txt", {2, false, 1}},
    {"C", "Song_C.txt", {3, false, 1}},        {"C_sharp", "Song_C#.txt", {4, false, 2}},
    {"D_flat", "Song_Db.txt", {4, false, 2}},  {"D", "Song_D.txt", {5, false, 1}},
    {"D_sharp", "Song_D#.txt", {6, false, 2}}, {"E_flat", "Song_Eb.txt", {6, false, 2}},
    {"E", "Song_E.txt", {7, false, 1}},        {"F", "Song_F.txt", {8, false, 1}},
    {"F_sharp", "Song_F#.txt", {9, false, 2}}, {"G_flat", "Song_Gb.txt", {9, false, 2}},
    {"G", "Song_G.txt", {10, false, 1}},       {"G_sharp", "Song_G#.txt", {11, false, 2}},
    {"A_flat", "Song_Ab.txt", {11, false, 2}},
};
INSTANTIATE_TEST_SUITE_P(EveryMajorKey, KeyFound, ::testing::ValuesIn(kEveryMajorKey),
                         RowName<FoundRow>);

const FoundRow kEveryMinorKey[] = {
    {"G_flat_minor_is_A", "Song_Gbm.txt", {0, true, 3}},
    {"G_minor_is_B_flat", "Song_Gm.txt", {1, true, 2}},
    {"G_sharp_minor_is_B", "Song_G#m.txt", {2, true, 3}},
    {"A_flat_minor_is_B", "Song_Abm.txt", {2, true, 3}},
    {"A_minor_is_C", "Song_Am.txt", {3, true, 2}},
    {"A_sharp_minor_is_C_sharp", "Song_A#m.txt", {4, true, 3}},
    {"B_flat_minor_is_D_flat", "Song_Bbm.txt", {4, true, 3}},
    {"B_minor_is_D", "Song_Bm.txt", {5, true, 2}},
    {"C_minor_is_E_flat", "Song_Cm.txt", {6, true, 2}},
    {"C_sharp_minor_is_E", "Song_C#m.txt", {7, true, 3}},
    {"D_flat_minor_is_E", "Song_Dbm.txt", {7, true, 3}},
    {"D_minor_is_F", "Song_Dm.txt", {8, true, 2}},
    {"D_sharp_minor_is_F_sharp", "Song_D#m.txt", {9, true, 3}},
    {"E_flat_minor_is_G_flat", "Song_Ebm.txt", {9, true, 3}},
    {"E_minor_is_G", "Song_Em.txt", {10, true, 2}},
    {"F_minor_is_A_flat", "Song_Fm.txt", {11, true, 2}},
    {"F_sharp_minor_is_A", "Song_F#m.txt", {0, true, 3}},
};
INSTANTIATE_TEST_SUITE_P(EveryMinorKey, KeyFound, ::testing::ValuesIn(kEveryMinorKey),
                         RowName<FoundRow>);

// The runs name the output key from MinorNoteNames at the code read: it must name the same key.
TEST(KeyFoundMinor, MinorNoteNamesAtTheCodeNamesTheSameKey) {
    for (const auto& entry : MinorKeySpellings) {
        const std::string_view spelling = entry.name;
        SCOPED_TRACE(std::string(spelling));
        ModGlobals globals;
        RecordingMessenger messenger;
        ASSERT_TRUE(
            GetKeyCodeFromFilename("Song_" + std::string(spelling) + ".txt", globals, messenger));
        const std::string_view combined =
            MinorNoteNames.at(static_cast<std::size_t>(globals.InputKeyCode));
        const Spelling own =
            spelling.size() == 3 && spelling[1] == 'b' ? Spelling::Flat : Spelling::Sharp;
        EXPECT_EQ(PickSpelling(combined, own, kMinorKeySpellingWidth), spelling);
    }
}

// ---- Names whose key is not found ----------------------------------------------------------

struct FailedRow {
    const char* name;
    std::string path;
    std::string message;
    std::optional<bool> minor;  // nullopt: left unchanged
    std::optional<int> length;  // nullopt: left unchanged
};

class KeyNotFound : public ::testing::TestWithParam<FailedRow> {};

// InputKeyCode is never written on a failure; the flag and the length are written as far as the
// reading came before it failed.
TEST_P(KeyNotFound, ShowsItsMessageAndKeepsTheCode) {
    const auto& row = GetParam();
    for (const auto& priming : kPrimings) {
        ModGlobals globals = Primed(priming);
        RecordingMessenger messenger;
        EXPECT_FALSE(GetKeyCodeFromFilename(row.path, globals, messenger));
        EXPECT_TRUE(ShowedMessages(messenger, {row.message}));
        EXPECT_EQ(globals.InputKeyCode, priming.code);
        EXPECT_EQ(globals.InputKeyIsMinor, row.minor.value_or(priming.minor));
        EXPECT_EQ(globals.InputKeyLength, row.length.value_or(priming.length));
        ExpectOnlyKeyGlobalsWritten(globals);
    }
}

const FailedRow kNoDotInTheFileName[] = {
    {"Dotted_folder_and_file_without_extension", "/songs/My.Folder/Song_Am", kNoDot, std::nullopt,
     std::nullopt},
    {"Name_without_dot", "Song_Am", kNoDot, std::nullopt, std::nullopt},
    {"Empty_name", "", kNoDot, std::nullopt, std::nullopt},
    {"Path_ending_in_a_slash", "/songs/v1.0/", kNoDot, std::nullopt, std::nullopt},
    {"Dot_only_in_the_folder_next_to_the_name", "Song_C.d/readme", kNoDot, std::nullopt,
     std::nullopt},
    {"One_megabyte_without_dot", std::string(1 << 20, 'A'), kNoDot, std::nullopt, std::nullopt},
    {"NUL_instead_of_dot", std::string("Song_A\0txt", 10), kNoDot, std::nullopt, std::nullopt},
};
INSTANTIATE_TEST_SUITE_P(NoDotInTheFileName, KeyNotFound, ::testing::ValuesIn(kNoDotInTheFileName),
                         RowName<FailedRow>);

const FailedRow kNoKeyOfTheTable[] = {
    {"Lowercase_key_letter", "Song_a.txt", kNoKey, false, 1},
    {"Lowercase_minor_key", "Song_am.txt", kNoKey, true, 2},
    {"Capital_M_is_no_minor_mark", "Song_AM.txt", kNoKey, false, 1},
    {"C_flat_only_for_chords", "Song_Cb.txt", kNoKey, false, 2},
    {"E_sharp_only_for_chords", "Song_E#.txt", kNoKey, false, 2},
    {"F_flat_minor_not_in_the_table", "Song_Fbm.txt", kNoKey, true, 3},
    {"B_sharp_minor_not_in_the_table", "Song_B#m.txt", kNoKey, true, 3},
    {"Letter_H", "Song_H.txt", kNoKey, false, 1},
    {"Club_takes_ub", "Club.txt", kNoKey, false, 2},
    {"Song_Am_backup_takes_p", "Song_Am.backup.txt", kNoKey, false, 1},
    {"Underscore_right_before_the_dot", "Song_.txt", kNoKey, false, 1},
    {"Blank_right_before_the_dot", "Song_Dm .txt", kNoKey, false, 1},
    {"Double_flat_key", "Song_Bbb.txt", kNoKey, false, 2},
    {"Byte_above_127_before_the_dot", "Song_\xC3\x89.txt", kNoKey, false, 1},
    {"NUL_before_the_dot", std::string("Song_A\0.txt", 11), kNoKey, false, 1},
    {"One_megabyte_of_b", std::string(1 << 20, 'b') + ".txt", kNoKey, false, 2},
};
INSTANTIATE_TEST_SUITE_P(NoKeyOfTheTable, KeyNotFound, ::testing::ValuesIn(kNoKeyOfTheTable),
                         RowName<FailedRow>);

// The key would reach back over the first character of the file name (or a folder's '/').
const FailedRow kKeyStartsBeforeTheName[] = {
    {"b_txt_needs_two_characters", "b.txt", kBeforeName, false, 1},
    {"m_txt_needs_two_characters", "m.txt", kBeforeName, true, 1},
    {"Sharp_txt_needs_two_characters", "#.txt", kBeforeName, false, 1},
    {"bm_txt_needs_three_characters", "bm.txt", kBeforeName, true, 2},
    {"Sharp_m_txt_needs_three_characters", "#m.txt", kBeforeName, true, 2},
    {"Dot_first_in_the_name", ".txt", kBeforeName, std::nullopt, std::nullopt},
    {"Folder_does_not_lend_its_characters", "/x.A/b.txt", kBeforeName, false, 1},
    {"Folder_does_not_lend_to_a_minor_key", "/Song_C#/m.txt", kBeforeName, true, 1},
    {"Dot_first_after_a_slash", "/songs/.txt", kBeforeName, std::nullopt, std::nullopt},
};
INSTANTIATE_TEST_SUITE_P(KeyStartsBeforeTheName, KeyNotFound,
                         ::testing::ValuesIn(kKeyStartsBeforeTheName), RowName<FailedRow>);

// A failed name keeps the code of the file read before it; flag and length follow the new name.
TEST(KeyNotFoundAfterARun, KeepsTheCodeOfThePreviousFile) {
    ModGlobals globals;
    RecordingMessenger messenger;
    ASSERT_TRUE(GetKeyCodeFromFilename("SongoftheNight_Dm.txt", globals, messenger));
    EXPECT_FALSE(GetKeyCodeFromFilename("Club.txt", globals, messenger));
    EXPECT_EQ(globals.InputKeyCode, 8);
    EXPECT_FALSE(globals.InputKeyIsMinor);
    EXPECT_EQ(globals.InputKeyLength, 2);
    EXPECT_TRUE(ShowedMessages(messenger, {kNoKey}));
}

// ---- FileNameOf ----------------------------------------------------------------------------

TEST(FileNameOf, IsEverythingAfterTheLastSlash) {
    EXPECT_EQ(FileNameOf("/a.b/Song_C.txt"), "Song_C.txt");
    EXPECT_EQ(FileNameOf("Song_C.txt"), "Song_C.txt");
    EXPECT_EQ(FileNameOf("/songs/My.Folder/"), "");
    EXPECT_EQ(FileNameOf(""), "");
}

}  // namespace
}  // namespace lw
