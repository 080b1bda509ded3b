// Degree tokens to codes, and degrees counted from a key.

#include "core/Degrees.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "RecordingMessenger.h"
#include "core/Tables.h"

namespace lw {
namespace {

using test::RecordingMessenger;
using test::Texts;

struct TokenRow {
    std::string_view token;
    DegreeCode code;
};

// Only the whole text counts: bV never stands in for bVII nor VI for VII, nor the other way.
const TokenRow kTokens[] = {
    {"I", 0},  {"bII", 1}, {"II", 2},  {"bIII", 3}, {"III", 4},   {"IV", 5},
    {"bV", 6}, {"V", 7},   {"bVI", 8}, {"VI", 9},   {"bVII", 10}, {"VII", 11},
};

TEST(GetCodeFromChordRoman, EveryTokenGivesItsCode) {
    RecordingMessenger messenger;
    for (const auto& row : kTokens)
        EXPECT_EQ(GetCodeFromChordRoman(row.token, messenger), std::optional(row.code))
            << row.token;
    EXPECT_EQ(messenger.texts, Texts{});
}

// Texts close to a token, and bad input. The empty text shows the fixed text alone, down to its
// last blank.
const std::vector<std::string> kCloseMisses = {"VIII", "iv", "bIV", "VIm7", " V", "b"};
const std::vector<std::string> kBadInput = {"", std::string(1 << 20, 'I'), "\xE2\x85\xA4",
                                            std::string("bVII\0", 5), std::string("b\0V", 3)};

// The caller goes on with nothing found as if the degree were the tonic.
TEST(GetCodeFromChordRoman, AnythingElseShowsTheMessageAndGivesNothing) {
    for (const auto* table : {&kCloseMisses, &kBadInput}) {
        for (const std::string& text : *table) {
            RecordingMessenger messenger;
            EXPECT_EQ(GetCodeFromChordRoman(text, messenger), std::nullopt) << text.substr(0, 8);
            EXPECT_EQ(messenger.texts,
                      Texts{"ERROR! Code not found, GetCodeFromChordRoman(), " + text});
        }
    }
}

struct InKeyRow {
    NoteCode key;
    DegreeCode degree;
    NoteCode note;
};

// Both directions; the sums and differences past either end wrap once into 0 to 11.
const InKeyRow kDegreesInKeys[] = {
    {0, 0, 0},     // I in A is A
    {3, 7, 10},    // V in C is G
    {3, 10, 1},    // bVII in C is Bb
    {1, 11, 0},    // VII in Bb wraps to A
    {10, 11, 9},   // VII in G wraps to F#
    {11, 6, 5},    // bV in Ab is D
    {11, 1, 0},    // bII in Ab is A: the lowest difference, -11
    {11, 11, 10},  // VII in Ab is G: the highest sum, 22
};

TEST(DegreesInAKey, NoteOfDegreeAndDegreeOfNote) {
    for (const auto& row : kDegreesInKeys) {
        EXPECT_EQ(NoteOfDegree(row.degree, row.key), row.note) << row.key << " " << row.degree;
        EXPECT_EQ(DegreeOfNote(row.note, row.key), row.degree) << row.key << " " << row.note;
    }
}

}  // namespace
}  // namespace lw
