#pragma once

#include <string>

#include "io/FileSystem.h"

namespace lw {

// Removes from folder (ending in '/') the temporary files that earlier runs left there when
// they were killed or lost power. Only regular files named as ours go, and only those whose
// lock can be taken: a live run, on this machine or another sharing the folder, holds every
// temporary file it writes locked, and its lock on the folder speaks for the ones it closed.
// A file that cannot be opened stays. Nothing is reported: what cannot be removed stays
// harmless.
void RemoveStaleTemporaryFiles(const std::string& folder, FileSystem& fs);

}  // namespace lw
