#include "RunConversion.h"

namespace lw {

bool RunConversion(ModGlobals&, RunHost&) { return false; }

}  // namespace lw
