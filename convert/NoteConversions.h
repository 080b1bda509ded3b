#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "core/Messenger.h"
#include "core/ModGlobals.h"

namespace lw {

// Each class rewrites the chord lines of one kind of run. It is made once the run has set its
// keys in the globals and reads them then: keys, interval and spelling stay fixed for a run, so
// every replacement is looked up once, up front. Only note names (degree tokens) change; every
// other byte stays where it was. Each conversion records the run's interval in StepSemitones,
// as the next run expects.

// A replacement for every note name a chord line can hold: seven letters, each plain, sharp
// or flat.
using NoteNameTable = std::array<std::string_view, 21>;

// Transposes every root and slash bass by the run's interval, spelled as UseSharps says.
// byKey: the interval is OutputKeyCode - InputKeyCode; otherwise StepSemitones as chosen.
class TransposeNotes {
public:
    TransposeNotes(ModGlobals& globals, Messenger& messenger, bool byKey);
    void ConvertLine(std::string_view line, std::string& out);

private:
    ModGlobals& globals_;
    int step_;
    NoteNameTable transposed_;
};

// Replaces every root and slash bass by its degree in the input key.
class NotesToDegrees {
public:
    NotesToDegrees(ModGlobals& globals, Messenger& messenger);
    void ConvertLine(std::string_view line, std::string& out);

private:
    ModGlobals& globals_;
    int step_;
    NoteNameTable degrees_;
};

// Replaces every degree token by the note of that degree in the output key.
class DegreesToNotes {
public:
    DegreesToNotes(ModGlobals& globals, Messenger& messenger);
    void ConvertLine(std::string_view line, std::string& out);

private:
    // Where a token the scan can read (one to four characters, "I", "V" or "b" first, then
    // "I" or "V") has its note: 45 slots, twelve of them degrees.
    static std::size_t TokenSlot(std::string_view token);

    ModGlobals& globals_;
    Messenger& messenger_;
    int step_;
    std::array<std::optional<std::string_view>, 45> notes_{};  // empty: no degree
};

}  // namespace lw
