#pragma once

#include "FileSystem.h"
#include "RunHost.h"
#include "core/ModGlobals.h"

namespace lw {

// What File, Open starts: the conversion of globals.ConvertMode from start to end, talking to
// the user through host. True when an output file was written.
bool RunConversion(ModGlobals& globals, RunHost& host, FileSystem& fs = SystemFileSystem());

}  // namespace lw
