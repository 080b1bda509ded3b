#pragma once

#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "convert/RunPlan.h"

namespace lw {

inline constexpr std::string_view kConvertUsage =
    "usage: leadwright-convert [OPTIONS] by-key KEY FILE...\n"
    "       leadwright-convert [OPTIONS] by-step STEP [--sharps|--flats] FILE...\n"
    "       leadwright-convert [OPTIONS] to-figured-bass FILE...\n"
    "       leadwright-convert [OPTIONS] from-figured-bass KEY FILE...\n";

inline constexpr std::string_view kConvertHelp =
    "\n"
    "Rewrites the chord lines of lead sheets named SONG_KEY.txt, and the chords of\n"
    "ChordPro sheets, and writes each result beside its input, as the modes of the\n"
    "Leadwright window do. A ChordPro sheet's key comes from its name or its {key}\n"
    "directive; by-step needs none and then names the output by the step (SONG_+2.cho).\n"
    "\n"
    "  by-key KEY             transpose from the key in each file name to KEY\n"
    "  by-step STEP           transpose by STEP semitones, -11 to +11 but not 0\n"
    "  to-figured-bass        write chords as degrees of the key in the file name\n"
    "  from-figured-bass KEY  write degrees as chords in KEY (files named SONG_.txt)\n"
    "\n"
    "KEY is a major key as the key list names it: A A# Bb B C C# Db D D# Eb E F F#\n"
    "Gb G G# Ab. A minor sheet goes to the relative minor of KEY: by-key G makes\n"
    "Song_Am.txt into Song_Em.txt.\n"
    "\n"
    "  --sharps, --flats      by-step spells black keys with # or with b (default b)\n"
    "  --marker=M             chord lines start with M (default ^)\n"
    "  --extension=E          outputs of lead sheets end in .E (default txt)\n"
    "  --format=F             read every file as F: auto (the default: files ending\n"
    "                         in .cho .crd .chopro .chordpro .pro are ChordPro sheets,\n"
    "                         all others lead sheets), chordpro or lead-sheet\n"
    "  --dry-run              print each output name and message, write nothing\n"
    "  -h, --help, --version  print this help or the version, and exit\n"
    "\n"
    "Options may be abbreviated where that is unambiguous, and come anywhere; an\n"
    "argument after -- is a file even if it starts with -.\n"
    "\n"
    "Messages go to standard error, one line each, after the input's name. A name\n"
    "holding a line break or another control character is quoted as a shell reads\n"
    "it: 'a'$'\\n''b_C.txt'. An existing file of an output's name is replaced. Exit\n"
    "status: 0 every output written, 1 some file refused, 2 bad arguments.\n";

// A conversion the arguments ask for: the globals and list choices as the window would have
// them after the clicks, and the files.
struct ConvertRequest {
    ModGlobals globals;
    RunChoices choices;
    std::vector<std::string> inputPaths;
    bool dryRun = false;
};

enum class InfoRequest { Help, Version };

// What is wrong with the arguments, in a sentence without the program name.
struct UsageError {
    std::string text;
};

std::variant<ConvertRequest, InfoRequest, UsageError> ParseConvertArgs(
    std::span<const std::string_view> args);

}  // namespace lw
