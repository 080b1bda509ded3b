// What a click in the step or key list records, and how a key from the list is spelled.

#include <gtest/gtest.h>

#include <cstddef>
#include <optional>
#include <string_view>

#include "RecordingMessenger.h"
#include "core/ModGlobals.h"
#include "core/NoteCodes.h"
#include "core/Tables.h"

namespace lw {
namespace {

struct StepRow {
    int index;
    std::string_view item;
    int semitones;
};

// The two ends and both sides of the turn from up to down.
const StepRow kStepRows[] = {
    {0, "Up 1/2", 1},
    {10, "Up 5 1/2", 11},
    {11, "Down 1/2", -1},
    {21, "Down 5 1/2", -11},
};

TEST(StepClick, RecordsTheIntervalItsRowSays) {
    for (const auto& row : kStepRows) {
        ModGlobals globals;
        lstStep_Click(globals, row.index);
        EXPECT_EQ(globals.StepSemitones, std::optional(row.semitones)) << row.item;
        EXPECT_EQ(StepListItems.at(static_cast<std::size_t>(row.index)), row.item);
    }
}

TEST(KeyClick, RecordsZeroEvenAfterAStep) {
    ModGlobals globals;
    EXPECT_EQ(globals.StepSemitones, std::nullopt);  // nothing chosen yet
    lstStep_Click(globals, 21);
    lstKey_Click(globals);
    EXPECT_EQ(globals.StepSemitones, std::optional(0));
}

// A black key chosen from the list is written with the accidental it is listed with.
TEST(KeyList, EveryRowWritesItsOwnKey) {
    test::RecordingMessenger messenger;
    for (std::size_t i = 0; i < kKeyCount; ++i) {
        const auto combined = GetChordFromCode(KeySpellingCodes[i], messenger).value_or("");
        EXPECT_EQ(PickSpelling(combined, KeyListSpellings[i], kNoteSpellingWidth), KeySpellings[i]);
    }
    EXPECT_EQ(messenger.texts, test::Texts{});
}

}  // namespace
}  // namespace lw
