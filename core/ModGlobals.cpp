#include "ModGlobals.h"

namespace lw {

void lstKey_Click(ModGlobals& globals) { globals.StepSemitones = 0; }

void lstStep_Click(ModGlobals& globals, int stepIndex) {
    // The first eleven rows go up 1 to 11 semitones, the next eleven down 1 to 11.
    globals.StepSemitones = stepIndex <= 10 ? stepIndex + 1 : 10 - stepIndex;
}

}  // namespace lw
