#pragma once

#include "FileSystem.h"
#include "RunHost.h"
#include "core/ModGlobals.h"

namespace lw {

// The three runs; each true when it wrote an output file.

// By Key or By Step, told apart by which list the window shows.
bool TransposeRun(ModGlobals& globals, RunHost& host, FileSystem& fs);

// Every chord note to its degree in the key of the file name; the output name carries no key.
bool KeyToFigBass(ModGlobals& globals, RunHost& host, FileSystem& fs);

// Every degree token to a note in the key chosen in the key list.
bool FigBassToKey(ModGlobals& globals, RunHost& host, FileSystem& fs);

}  // namespace lw
