#pragma once

#include <array>
#include <string>
#include <string_view>

#include "core/Messenger.h"
#include "core/ModGlobals.h"

namespace lw {

// Each class rewrites the chord lines of one kind of run, once the run has set its keys in
// the globals. Only note names (degree tokens) change; every other byte stays where it was.
// Every conversion also records its interval in StepSemitones, as the next run expects.

// Transposes every root and slash bass by the run's interval, spelled as UseSharps says.
// byKey: the interval is OutputKeyCode - InputKeyCode; otherwise StepSemitones as chosen.
class TransposeNotes {
public:
    TransposeNotes(ModGlobals& globals, Messenger& messenger, bool byKey);
    void ConvertLine(std::string_view line, std::string& out);

private:
    void Rewrite(std::string_view note, std::string& out);

    ModGlobals& globals_;
    Messenger& messenger_;
    bool byKey_;
    std::array<std::string, 21> spelled_{};  // per letter and accidental, once looked up
    std::array<bool, 21> known_{};
};

// Replaces every root and slash bass by its degree in the input key.
class NotesToDegrees {
public:
    NotesToDegrees(ModGlobals& globals, Messenger& messenger);
    void ConvertLine(std::string_view line, std::string& out);

private:
    void Rewrite(std::string_view note, std::string& out);

    ModGlobals& globals_;
    Messenger& messenger_;
    std::array<std::string_view, 21> degree_{};  // per letter and accidental, once looked up
    std::array<bool, 21> known_{};
};

// Replaces every degree token by the note of that degree in the output key.
class DegreesToNotes {
public:
    DegreesToNotes(ModGlobals& globals, Messenger& messenger);
    void ConvertLine(std::string_view line, std::string& out);

private:
    void Rewrite(std::string_view token, std::string& out);

    ModGlobals& globals_;
    Messenger& messenger_;
};

}  // namespace lw
