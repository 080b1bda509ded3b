// The key right before the last dot of the file name itself, never a folder's.

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <tuple>

#include "RecordingMessenger.h"
#include "core/KeyFromFilename.h"
#include "core/ModGlobals.h"
#include "core/Tables.h"

namespace lw {
namespace {

using test::RecordingMessenger;
using test::Texts;

using KeyRead = std::tuple<NoteCode, bool, int>;  // InputKeyCode, InputKeyIsMinor, InputKeyLength

KeyRead KeyOf(const ModGlobals& globals) {
    return {globals.InputKeyCode, globals.InputKeyIsMinor, globals.InputKeyLength};
}

struct FoundRow {
    std::string path;
    KeyRead key;
};

// A minor key is stored as its relative major; both spellings of a minor give the same code.
const FoundRow kReadings[] = {
    {"Song_A.txt", {0, false, 1}},
    {"Another Ewe_Ab.txt", {11, false, 2}},
    {"/home/ann/Lead Sheets/Medication_F#.txt", {9, false, 2}},  // a folder with a blank
    {"Song.v2_G.txt", {10, false, 1}},                           // only the last dot counts
    {"SongoftheNight_Dm.txt", {8, true, 2}},
    {"Song_Bbm.txt", {4, true, 3}},
    {"Song_F#m.txt", {0, true, 3}},
    {"Song_Gbm.txt", {0, true, 3}},
    {"Song_C#m.txt", {7, true, 3}},
    {"Song_Dbm.txt", {7, true, 3}},
    {"Song_G#m.txt", {2, true, 3}},
    {"Song_Abm.txt", {2, true, 3}},
};

TEST(GetKeyCodeFromFilename, StoresCodeMinorFlagAndLength) {
    for (const auto& row : kReadings) {
        ModGlobals globals;
        RecordingMessenger messenger;
        EXPECT_TRUE(GetKeyCodeFromFilename(row.path, globals, messenger)) << row.path;
        EXPECT_EQ(KeyOf(globals), row.key) << row.path;
        EXPECT_EQ(messenger.texts, Texts{});
    }
}

// The output file name takes its minor key from MinorNoteNames at the code read.
TEST(GetKeyCodeFromFilename, EveryMinorCodeNamesTheSameKey) {
    for (const auto& minor : MinorKeySpellings) {
        ModGlobals globals;
        RecordingMessenger messenger;
        const std::string path = "Song_" + std::string(minor.name) + ".txt";
        ASSERT_TRUE(GetKeyCodeFromFilename(path, globals, messenger)) << path;
        const Spelling own = minor.name.substr(1) == "bm" ? Spelling::Flat : Spelling::Sharp;
        const auto names = MinorNoteNames.at(static_cast<std::size_t>(globals.InputKeyCode));
        EXPECT_EQ(PickSpelling(names, own, kMinorKeySpellingWidth), minor.name);
    }
}

const std::string kNoDot = "ERROR! '.' not found in input filename...";
const std::string kNoKey = "ERROR! Key not found in input filename...";
const std::string kBeforeName = "Key starts before the file name, GetKeyCodeFromFilename()";

struct FailedRow {
    std::string path;
    std::string message;
    KeyRead after;  // from {99, true, 7}, values no reading stores
};

// The code is never stored on a failure; the flag and the length as far as the reading came.
const FailedRow kFailures[] = {
    {"Song_Am", kNoDot, {99, true, 7}},
    {"/songs/My.Folder/Song_Am", kNoDot, {99, true, 7}},
    {"", kNoDot, {99, true, 7}},
    {std::string(1 << 20, 'A'), kNoDot, {99, true, 7}},
    {"Club.txt", kNoKey, {99, false, 2}},
    {"Song_Am.backup.txt", kNoKey, {99, false, 1}},
    {"Song_AM.txt", kNoKey, {99, false, 1}},
    {"Song_am.txt", kNoKey, {99, true, 2}},
    {"Song_Cb.txt", kNoKey, {99, false, 2}},
    {"Song_\xC3\x89.txt", kNoKey, {99, false, 1}},
    {std::string("Song_A\0.txt", 11), kNoKey, {99, false, 1}},
    {"b.txt", kBeforeName, {99, false, 1}},
    {"m.txt", kBeforeName, {99, true, 1}},
    {"/x.A/b.txt", kBeforeName, {99, false, 1}},  // a folder lends none of its characters
};

TEST(GetKeyCodeFromFilename, FailureShowsItsMessageAndKeepsTheCode) {
    for (const auto& row : kFailures) {
        ModGlobals globals;
        globals.InputKeyCode = 99;
        globals.InputKeyIsMinor = true;
        globals.InputKeyLength = 7;
        RecordingMessenger messenger;
        EXPECT_FALSE(GetKeyCodeFromFilename(row.path, globals, messenger))
            << row.path.substr(0, 30);
        EXPECT_EQ(messenger.texts, Texts{row.message}) << row.path.substr(0, 30);
        EXPECT_EQ(KeyOf(globals), row.after) << row.path.substr(0, 30);
    }
}

}  // namespace
}  // namespace lw
