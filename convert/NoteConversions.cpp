#include "NoteConversions.h"

#include "ChordLineScan.h"
#include "core/Degrees.h"
#include "core/NoteCodes.h"

namespace lw {

namespace {

// Slot of a scanned note name: seven letters, each plain, sharp or flat.
std::size_t NoteSlot(std::string_view note) {
    const std::size_t accidental = note.size() < 2 ? 0 : note[1] == '#' ? 1 : 2;
    return static_cast<std::size_t>(note[0] - 'A') * 3 + accidental;
}

// replacementOf(note) for every note name, in slot order.
template <class ReplacementOf>
NoteNameTable ForEveryNoteName(ReplacementOf replacementOf) {
    NoteNameTable table;
    for (char letter = 'A'; letter <= 'G'; ++letter) {
        for (const char accidental : {'\0', '#', 'b'}) {
            const char name[] = {letter, accidental};
            const std::string_view note(name, accidental == '\0' ? 1 : 2);
            table[NoteSlot(note)] = replacementOf(note);
        }
    }
    return table;
}

// The name of a code in the run's spelling; empty (after the lookup's message) for a bad code.
std::string_view SpelledName(NoteCode code, const ModGlobals& globals, Messenger& messenger) {
    const Spelling spelling = SpellingOf(globals);
    return PickSpelling(GetChordFromCode(code, messenger).value_or(""), spelling,
                        kNoteSpellingWidth);
}

}  // namespace

TransposeNotes::TransposeNotes(ModGlobals& globals, Messenger& messenger, bool byKey)
    : globals_(globals),
      step_(byKey ? globals.OutputKeyCode - globals.InputKeyCode
                  : globals.StepSemitones.value_or(0)),
      transposed_(ForEveryNoteName([&](std::string_view note) {
          const NoteCode code = GetCodeFromChord(note, messenger).value_or(0);
          return SpelledName(WrapPitchClass(code + step_), globals, messenger);
      })) {}

void TransposeNotes::ConvertLine(std::string_view line, std::string& out) {
    ScanChordLine<LetterNotes>(line, out, [this](std::string_view note) {
        globals_.StepSemitones = step_;
        return transposed_[NoteSlot(note)];
    });
}

NotesToDegrees::NotesToDegrees(ModGlobals& globals, Messenger& messenger)
    : globals_(globals),
      step_(globals.OutputKeyCode - globals.InputKeyCode),
      degrees_(ForEveryNoteName([&](std::string_view note) {
          const NoteCode code = GetCodeFromChord(note, messenger).value_or(0);
          return DegreeNames[static_cast<std::size_t>(WrapPitchClass(code + step_))];
      })) {}

void NotesToDegrees::ConvertLine(std::string_view line, std::string& out) {
    ScanChordLine<LetterNotes>(line, out, [this](std::string_view note) {
        globals_.StepSemitones = step_;
        return degrees_[NoteSlot(note)];
    });
}

DegreesToNotes::DegreesToNotes(ModGlobals& globals, Messenger& messenger)
    : globals_(globals),
      messenger_(messenger),
      step_(globals.OutputKeyCode - globals.InputKeyCode) {
    for (DegreeCode degree = 0; degree < kPitchClasses; ++degree) {
        const auto index = static_cast<std::size_t>(degree);
        notes_[TokenSlot(DegreeNames[index])] =
            SpelledName(WrapPitchClass(degree + step_), globals, messenger);
    }
}

std::size_t DegreesToNotes::TokenSlot(std::string_view token) {
    // The first character picks one of three groups of fifteen; the rest, each "I" or "V",
    // counts like a binary number after the slots of all shorter tails.
    std::size_t tail = 0;
    for (const char c : token.substr(1)) tail = 2 * tail + (c == 'V' ? 1 : 0);
    const std::size_t shorterTails = (std::size_t{1} << (token.size() - 1)) - 1;
    const std::size_t group = token[0] == 'I' ? 0 : token[0] == 'V' ? 1 : 2;
    return group * 15 + shorterTails + tail;
}

void DegreesToNotes::ConvertLine(std::string_view line, std::string& out) {
    ScanChordLine<DegreeTokens>(line, out, [this](std::string_view token) {
        globals_.StepSemitones = step_;
        const std::optional<std::string_view>& note = notes_[TokenSlot(token)];
        if (note) return *note;
        // A token that is no degree shows its message and stands for the tonic.
        const DegreeCode degree = GetCodeFromChordRoman(token, messenger_).value_or(0);
        return *notes_[TokenSlot(DegreeNames[static_cast<std::size_t>(degree)])];
    });
}

}  // namespace lw
