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
inline constexpr std::size_t kKeyCount = 17;
inline constexpr std::size_t kStepCount = 22;

// Name of each pitch class; a black key holds its sharp then its flat spelling.
inline constexpr std::array<std::string_view, kPitchClasses> NoteNames{
    "A", "A#Bb", "B", "C", "C#Db", "D", "D#Eb", "E", "F", "F#Gb", "G", "G#Ab"};

// Relative minor of the major key at each code, sharp then flat spelling where it has two.
inline constexpr std::array<std::string_view, kPitchClasses> MinorNoteNames{
    "F#mGbm", "Gm", "G#mAbm", "Am", "A#mBbm", "Bm", "Cm", "C#mDbm", "Dm", "D#mEbm", "Em", "Fm"};

// Major keys accepted in a file name and as chord roots; parallel to KeySpellingCodes.
inline constexpr std::array<std::string_view, kKeyCount> KeySpellings{
    "A", "A#", "Bb", "B", "C", "C#", "Db", "D", "D#", "Eb", "E", "F", "F#", "Gb", "G", "G#", "Ab"};

inline constexpr std::array<NoteCode, kKeyCount> KeySpellingCodes{0, 1, 1, 2,  3,  4,  4,  5, 6,
                                                                  6, 7, 8, 9, 9, 10, 11, 11};

struct MinorKeySpelling {
    std::string_view name;
    NoteCode code;  // code of the relative major
};

// Minor keys accepted in a file name, each with the code of its relative major.
inline constexpr std::array<MinorKeySpelling, kKeyCount> MinorKeySpellings{{
    {"Gbm", 0}, {"Gm", 1},  {"G#m", 2}, {"Abm", 2}, {"Am", 3},  {"A#m", 4},
    {"Bbm", 4}, {"Bm", 5},  {"Cm", 6},  {"C#m", 7}, {"Dbm", 7}, {"Dm", 8},
    {"D#m", 9}, {"Ebm", 9}, {"Em", 10}, {"Fm", 11}, {"F#m", 0},
}};

// Roman degree of each number of semitones above the tonic.
inline constexpr std::array<std::string_view, kPitchClasses> DegreeNames{
    "I", "bII", "II", "bIII", "III", "IV", "bV", "V", "bVI", "VI", "bVII", "VII"};

// Rows of the key list; the minor in parentheses is display text only.
inline constexpr std::array<std::string_view, kKeyCount> KeyListItems{
    "A (F#m)",  "A# (Gm)", "Bb (Gm)",  "B (G#m)",  "C (Am)",  "C# (A#m)",
    "Db (Bbm)", "D (Bm)",  "D# (B#m)", "Eb (Cm)",  "E (C#m)", "F (Dm)",
    "F# (D#m)", "Gb (Ebm)", "G (Em)",  "G# (E#m)", "Ab (Fm)"};

// Rows of the step list: index i records i + 1 up to "Up 5 1/2", then 10 - i.
inline constexpr std::array<std::string_view, kStepCount> StepListItems{
    "Up 1/2",   "Up 1",     "Up 1 1/2",   "Up 2",   "Up 2 1/2",   "Up 3",
    "Up 3 1/2", "Up 4",     "Up 4 1/2",   "Up 5",   "Up 5 1/2",   "Down 1/2",
    "Down 1",   "Down 1 1/2", "Down 2",   "Down 2 1/2", "Down 3", "Down 3 1/2",
    "Down 4",   "Down 4 1/2", "Down 5",   "Down 5 1/2"};

enum class Spelling { Sharp, Flat };

// How a key chosen from the key list spells its black keys: the entry's own accidental,
// and sharps for the white keys that sit on the sharp side of the circle.
inline constexpr std::array<Spelling, kKeyCount> KeyListSpellings{
    Spelling::Sharp, Spelling::Sharp, Spelling::Flat,  Spelling::Sharp, Spelling::Flat,
    Spelling::Sharp, Spelling::Flat,  Spelling::Sharp, Spelling::Sharp, Spelling::Flat,
    Spelling::Sharp, Spelling::Flat,  Spelling::Sharp, Spelling::Flat,  Spelling::Sharp,
    Spelling::Sharp, Spelling::Flat};

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
