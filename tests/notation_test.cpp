// The notation core where a run cannot reach it alone: the key of a file name, list clicks and
// lookups that fail.

#include <gtest/gtest.h>

#include "RecordingHost.h"
#include "core/KeyFromFilename.h"
#include "core/NoteCodes.h"

namespace lw {
namespace {

using test::Texts;

TEST(GetKeyCodeFromFilename, ReadsTheKeyRightBeforeTheFileNamesLastDot) {
    struct Case {
        std::string_view path;
        int code, minor, length;
        std::string_view message;  // empty when the key is found
    };
    const Case cases[] = {
        {"/Songs/Another Ewe_Ab.txt", 11, false, 2, ""},
        {"SongoftheNight_Dm.txt", 8, true, 2, ""},
        {"Medication_F#m.txt", 0, true, 3, ""},
        {"Song_Abm.txt", 2, true, 3, ""},
        {"v1.2/Song_C.text", 3, false, 1, ""},
        {"v1.2/Song", 0, false, 0, "ERROR! '.' not found in input filename..."},
        {"Song_H.txt", 0, false, 1, "ERROR! Key not found in input filename..."},
        {"Song_Cb.txt", 0, false, 2, "ERROR! Key not found in input filename..."},
        {"/m.txt", 0, true, 1, "Key starts before the file name, GetKeyCodeFromFilename()"},
    };
    for (const Case& c : cases) {
        ModGlobals globals;
        test::RecordingHost host;
        EXPECT_EQ(GetKeyCodeFromFilename(c.path, globals, host), c.message.empty()) << c.path;
        EXPECT_EQ(host.messages, c.message.empty() ? Texts{} : Texts{std::string(c.message)});
        EXPECT_EQ((std::array{globals.InputKeyCode, int(globals.InputKeyIsMinor),
                              globals.InputKeyLength}),
                  (std::array{c.code, c.minor, c.length}))
            << c.path;
    }
}

TEST(ListClicks, RecordTheIntervalOfTheRowAndZeroForAKey) {
    ModGlobals globals;
    EXPECT_EQ(globals.StepSemitones, std::nullopt);  // nothing chosen yet
    for (const auto& [row, semitones] : {std::pair{0, 1}, {10, 11}, {11, -1}, {21, -11}}) {
        lstStep_Click(globals, row);
        EXPECT_EQ(globals.StepSemitones, semitones) << "row " << row;
    }
    lstKey_Click(globals);
    EXPECT_EQ(globals.StepSemitones, 0);
}

TEST(Lookups, ShowTheirMessageAndGiveNothingForWhatNoTableHolds) {
    test::RecordingHost host;
    EXPECT_EQ(GetCodeFromChord("H", host), std::nullopt);
    EXPECT_EQ(GetChordFromCode(12, host), std::nullopt);
    EXPECT_EQ(host.messages, (Texts{"ERROR! Code not found, GetCodeFromChord(), H",
                                    "Subscript out of range, GetChordFromCode"}));
}

}  // namespace
}  // namespace lw
