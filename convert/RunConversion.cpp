#include "RunConversion.h"

#include "Runs.h"

namespace lw {

bool RunConversion(ModGlobals& globals, RunHost& host, FileSystem& fs) {
    switch (globals.ConvertMode) {
        case 3:
            return KeyToFigBass(globals, host, fs);
        case 2:
            return FigBassToKey(globals, host, fs);
        default:
            return TransposeRun(globals, host, fs);
    }
}

}  // namespace lw
