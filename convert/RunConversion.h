#pragma once

#include "RunHost.h"
#include "core/ModGlobals.h"

namespace lw {

// What File, Open starts: the conversion of globals.ConvertMode from start to end, talking to
// the user through host. Returns true when an output file was written.
bool RunConversion(ModGlobals& globals, RunHost& host);

}  // namespace lw
