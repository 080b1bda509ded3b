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

Spelling SpellingOf(const ModGlobals& globals) {
    return globals.UseSharps ? Spelling::Sharp : Spelling::Flat;
}

// The name of a code in the run's spelling; empty (after the lookup's message) for a bad code.
std::string_view SpelledName(NoteCode code, const ModGlobals& globals, Messenger& messenger) {
    return PickSpelling(GetChordFromCode(code, messenger).value_or(""), SpellingOf(globals),
                        kNoteSpellingWidth);
}

}  // namespace

TransposeNotes::TransposeNotes(ModGlobals& globals, Messenger& messenger, bool byKey)
    : globals_(globals), messenger_(messenger), byKey_(byKey) {}

void TransposeNotes::ConvertLine(std::string_view line, std::string& out) {
    ScanChordLine<LetterNotes>(line, out, [this](std::string_view note, std::string& to) {
        Rewrite(note, to);
    });
}

void TransposeNotes::Rewrite(std::string_view note, std::string& out) {
    if (byKey_) globals_.StepSemitones = globals_.OutputKeyCode - globals_.InputKeyCode;
    // The interval and spelling are fixed for a run, so each note name is looked up once.
    const std::size_t slot = NoteSlot(note);
    if (!known_[slot]) {
        const NoteCode code = WrapPitchClass(GetCodeFromChord(note, messenger_).value_or(0) +
                                             globals_.StepSemitones.value_or(0));
        spelled_[slot] = SpelledName(code, globals_, messenger_);
        known_[slot] = true;
    }
    out += spelled_[slot];
}

NotesToDegrees::NotesToDegrees(ModGlobals& globals, Messenger& messenger)
    : globals_(globals), messenger_(messenger) {}

void NotesToDegrees::ConvertLine(std::string_view line, std::string& out) {
    ScanChordLine<LetterNotes>(line, out, [this](std::string_view note, std::string& to) {
        Rewrite(note, to);
    });
}

void NotesToDegrees::Rewrite(std::string_view note, std::string& out) {
    const int step = globals_.OutputKeyCode - globals_.InputKeyCode;
    globals_.StepSemitones = step;
    // The keys are fixed for a run, so each note name is looked up once.
    const std::size_t slot = NoteSlot(note);
    if (!known_[slot]) {
        const NoteCode code = GetCodeFromChord(note, messenger_).value_or(0);
        degree_[slot] = DegreeNames[static_cast<std::size_t>(WrapPitchClass(code + step))];
        known_[slot] = true;
    }
    out += degree_[slot];
}

DegreesToNotes::DegreesToNotes(ModGlobals& globals, Messenger& messenger)
    : globals_(globals), messenger_(messenger) {}

void DegreesToNotes::ConvertLine(std::string_view line, std::string& out) {
    ScanChordLine<DegreeTokens>(line, out, [this](std::string_view token, std::string& to) {
        Rewrite(token, to);
    });
}

void DegreesToNotes::Rewrite(std::string_view token, std::string& out) {
    const int step = globals_.OutputKeyCode - globals_.InputKeyCode;
    globals_.StepSemitones = step;
    // A token that is no degree shows its message and stands for the tonic.
    const DegreeCode degree = GetCodeFromChordRoman(token, messenger_).value_or(0);
    out += SpelledName(WrapPitchClass(degree + step), globals_, messenger_);
}

}  // namespace lw
