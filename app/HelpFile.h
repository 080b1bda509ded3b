#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace lw {

// Appends the rows of the help file at path to rows: every line after the header line, in
// file order, empty lines as empty rows. Line 1 must begin with "[DO NOT" and is never shown.
// False when the file is missing, unreadable, empty, larger than a help list should be or has
// another header; rows appended before a read error stay.
bool ReadHelpFile(const std::string& path, std::vector<std::string>& rows);

// The help shown when the help file cannot be used. The wording of rows 1 to 26 is fixed
// (blanks included) and names the defaults whatever the configuration file says.
inline constexpr std::array<std::string_view, 30> BuiltInHelpRows{
    "Leadwright transposes ASCII lead sheet chords, with or without lyrics, ",
    " and writes the transposed lead sheet to another file.",
    "The program expects input filenames in this format: ",
    "<song name><underscore><key><dot><extension>",
    "Song name can be any legal filename characters.",
    "Underscore is just for readability.",
    "Key, 1, 2, or 3 characters, is required!",
    "Dot is required!",
    "Extension must be 'txt'. It is required!",
    "Examples: SongoftheNight_Dm.txt,  Another Ewe_Ab.txt,  Medication_F#.txt",
    "Minor keys must be designated with a lowercase 'm'.",
    "Each Chord Line must begin with a caret: '^', and be sure it's the 1st character.",
    "Don't use a '^' anywhere else. Actually, you could as long as it's not the 1st character.",
    "Always use spaces between chords, but never in a chord.",
    "Use a forward slash '/' only for slash chords.",
    "Spell slash chords like this: G13/Ab, or G13/b9",
    "Don't use lowercase for chord(note) names.",
    "Use only lowercase 'b' for flat sign.",
    "The program passes through '+' and '-' characters, as in C7+5. Do not use with note names, ",
    "e.g. C7/+G, You should use '#' and 'b' instead.",
    "The program doesn't check for a duplicate filename before writing the output file.",
    "The default Chord Line Marker and default file extension, can be changed by editing the",
    "Configuration File: 'LWSET.lwc'.  Use a plain text editor like Notepad.  Instructions are",
    "included in the file.",
    "",
    "DISCLAIMER ->",
    "Leadwright is free to use and to share, unchanged and free of charge.",
    "It comes as it is, with no warranty of any kind.",
    "The authors are not liable for any damage or loss from its use.",
    "Keep copies of your lead sheets before you convert them.",
};

}  // namespace lw
