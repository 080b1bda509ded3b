#include "core/ModGlobals.h"

namespace lw {

void lstKey_Click(ModGlobals& globals) { globals.StepSemitones = 0; }

void lstStep_Click(ModGlobals& globals, int stepIndex) {
    globals.StepSemitones = StepList.at(static_cast<std::size_t>(stepIndex)).semitones;
}

}  // namespace lw
