#pragma once

// The pitch model and every name table the conversions look things up in.
// A NoteCode counts semitones upward from A: A = 0, A#/Bb = 1, ... G#/Ab = 11.
// A minor key is always represented by the code of its relative major.

#include <array>
#include <cstddef>
#include <string_view>

namespace lw {

using NoteCode = int;    // pitch class in [0, 12)
using DegreeCode = int;  // semitones from the key's tonic, in [0, 12)

inline constexpr int kPitchClasses = 12;

enum class Spelling { Sharp, Flat };

// Name of each pitch class, [0, 12); a black key holds its sharp then its flat spelling.
inline constexpr std::array<std::string_view, kPitchClasses> NoteNames{
    "A", "A#Bb", "B", "C", "C#Db", "D", "D#Eb", "E", "F", "F#Gb", "G", "G#Ab"};

// Relative minor of the major key at each code, sharp then flat spelling where it has two.
inline constexpr std::array<std::string_view, kPitchClasses> MinorNoteNames{
    "F#mGbm", "Gm", "G#mAbm", "Am", "A#mBbm", "Bm", "Cm", "C#mDbm", "Dm", "D#mEbm", "Em", "Fm"};

// Roman degree of each number of semitones above the tonic, [0, 12).
inline constexpr std::array<std::string_view, kPitchClasses> DegreeNames{
    "I", "bII", "II", "bIII", "III", "IV", "bV", "V", "bVI", "VI", "bVII", "VII"};

// A major key as a file name and a chord root may spell it, and its row of the key list.
struct KeySpelling {
    std::string_view name;
    NoteCode code;
    std::string_view listItem;  // the minor in parentheses is display text only
    Spelling spelling;          // how a run to this key spells black keys
};

// The 17 major key spellings, [0, 17), in the order of the key list. A run to a key spells
// with the entry's own accidental, and with sharps from the white keys on the sharp side.
inline constexpr std::array<KeySpelling, 17> KeySpellings{{
    {"A", 0, "A (F#m)", Spelling::Sharp},
    {"A#", 1, "A# (Gm)", Spelling::Sharp},
    {"Bb", 1, "Bb (Gm)", Spelling::Flat},
    {"B", 2, "B (G#m)", Spelling::Sharp},
    {"C", 3, "C (Am)", Spelling::Flat},
    {"C#", 4, "C# (A#m)", Spelling::Sharp},
    {"Db", 4, "Db (Bbm)", Spelling::Flat},
    {"D", 5, "D (Bm)", Spelling::Sharp},
    {"D#", 6, "D# (B#m)", Spelling::Sharp},
    {"Eb", 6, "Eb (Cm)", Spelling::Flat},
    {"E", 7, "E (C#m)", Spelling::Sharp},
    {"F", 8, "F (Dm)", Spelling::Flat},
    {"F#", 9, "F# (D#m)", Spelling::Sharp},
    {"Gb", 9, "Gb (Ebm)", Spelling::Flat},
    {"G", 10, "G (Em)", Spelling::Sharp},
    {"G#", 11, "G# (E#m)", Spelling::Sharp},
    {"Ab", 11, "Ab (Fm)", Spelling::Flat},
}};

struct MinorKeySpelling {
    std::string_view name;
    NoteCode code;  // code of the relative major
};

// Minor keys accepted in a file name, each with the code of its relative major.
inline constexpr std::array<MinorKeySpelling, 17> MinorKeySpellings{{
    {"Gbm", 0},
    {"Gm", 1},
    {"G#m", 2},
    {"Abm", 2},
    {"Am", 3},
    {"A#m", 4},
    {"Bbm", 4},
    {"Bm", 5},
    {"Cm", 6},
    {"C#m", 7},
    {"Dbm", 7},
    {"Dm", 8},
    {"D#m", 9},
    {"Ebm", 9},
    {"Em", 10},
    {"Fm", 11},
    {"F#m", 0},
}};

struct StepListRow {
    std::string_view listItem;
    int semitones;
};

// The rows of the step list, [0, 22): half steps up, then down.
inline constexpr std::array<StepListRow, 22> StepList{{
    {"Up 1/2", 1},   {"Up 1", 2},         {"Up 1 1/2", 3},  {"Up 2", 4},
    {"Up 2 1/2", 5}, {"Up 3", 6},         {"Up 3 1/2", 7},  {"Up 4", 8},
    {"Up 4 1/2", 9}, {"Up 5", 10},        {"Up 5 1/2", 11}, {"Down 1/2", -1},
    {"Down 1", -2},  {"Down 1 1/2", -3},  {"Down 2", -4},   {"Down 2 1/2", -5},
    {"Down 3", -6},  {"Down 3 1/2", -7},  {"Down 4", -8},   {"Down 4 1/2", -9},
    {"Down 5", -10}, {"Down 5 1/2", -11},
}};

// Takes one spelling out of a combined name ("A#Bb" gives "A#" or "Bb"); width is the length
// of one spelling (2 for notes, 3 for minor keys). A name no longer than width is taken whole.
constexpr std::string_view PickSpelling(std::string_view name, Spelling spelling,
                                        std::size_t width) {
    if (name.size() <= width) return name;
    return spelling == Spelling::Sharp ? name.substr(0, width) : name.substr(name.size() - width);
}

inline constexpr std::size_t kNoteSpellingWidth = 2;
inline constexpr std::size_t kMinorKeySpellingWidth = 3;

// Brings a sum of two values in [-11, 11] (or a code plus an interval) into [0, 12).
constexpr int WrapPitchClass(int code) {
    if (code > 11) code -= 12;
    if (code < 0) code += 12;
    return code;
}

}  // namespace lw
