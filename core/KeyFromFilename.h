#pragma once

#include <string_view>

#include "core/Messenger.h"
#include "core/ModGlobals.h"

namespace lw {

// Reads the key that sits right before the last dot of the file name (never a folder's dot)
// and stores InputKeyCode, InputKeyIsMinor and InputKeyLength. True when a key was found;
// otherwise its message has been shown and false comes back:
//   no dot in the file name       "ERROR! '.' not found in input filename..."  (nothing stored)
//   no key of the table           "ERROR! Key not found in input filename..."  (code unchanged)
//   key would start before name   "Key starts before the file name, GetKeyCodeFromFilename()"
bool GetKeyCodeFromFilename(std::string_view path, ModGlobals& globals, Messenger& messenger);

}  // namespace lw
