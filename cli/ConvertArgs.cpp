#include "cli/ConvertArgs.h"

#include <getopt.h>

#include <charconv>
#include <optional>

#include "sheets/SheetKinds.h"

namespace lw {

namespace {

// The majors whose list item names minor as their relative minor: "Gm" gives "A# or Bb".
std::string RelativeMajorsOf(std::string_view minor) {
    std::string majors;
    for (const KeySpelling& key : KeySpellings) {
        if (key.listItem.substr(key.name.size()) != " (" + std::string(minor) + ")") continue;
        if (!majors.empty()) majors += " or ";
        majors += key.name;
    }
    return majors;
}

std::optional<UsageError> TakeKey(std::string_view name, ConvertRequest& request) {
    if (const std::optional<std::size_t> row = KeyListRow(name)) {
        request.choices.keyIndex = static_cast<int>(*row);
        lstKey_Click(request.globals);
        return std::nullopt;
    }
    if (const std::string majors = RelativeMajorsOf(name); !majors.empty())
        return UsageError{"'" + std::string(name) + "' is a minor key; name its relative major (" +
                          majors + "), as the key list does"};
    return UsageError{"unknown key '" + std::string(name) +
                      "'; a key is one of A A# Bb B C C# Db D D# Eb E F F# Gb G G# Ab"};
}

// "+3", "3" or "-3": semitones in [-11, 11] but not 0.
std::optional<UsageError> TakeStep(std::string_view text, ConvertRequest& request) {
    const std::string_view digits = text.starts_with('+') ? text.substr(1) : text;
    int step = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), step);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size() ||
        step < -11 || step > 11 || step == 0)
        return UsageError{"the step '" + std::string(text) +
                          "' is not a number of semitones from -11 to +11 other than 0"};
    request.globals.StepSemitones = step;  // as a click in the step list records it
    request.choices.visibleList = ShownList::Step;
    return std::nullopt;
}

// Every format --format takes: "auto, lead-sheet, chordpro or chords-over-lyrics".
std::string FormatNames() {
    std::string names = "auto";
    const std::span<const SheetKind* const> kinds = SheetKinds();
    for (std::size_t i = 0; i < kinds.size(); ++i)
        names += (i + 1 == kinds.size() ? " or " : ", ") + std::string(kinds[i]->Name());
    return names;
}

// The kind every file is read as; nothing (in a value) for "auto", by name and content.
std::optional<const SheetKind*> FormatNamed(std::string_view name) {
    if (name == "auto") return nullptr;
    if (const SheetKind* kind = SheetKindNamed(name)) return kind;
    return std::nullopt;
}

// An option of the help: two blanks and its name, then from column 25 its text in lines of at
// most 80 characters.
std::string OptionHelp(std::string_view name, std::string_view text) {
    constexpr std::size_t kTextColumn = 25, kWidth = 80;
    std::string lines = "  " + std::string(name);
    lines.resize(kTextColumn - 1, ' ');
    std::size_t column = lines.size();
    for (std::size_t begin = 0; begin < text.size();) {
        const std::size_t end = std::min(text.find(' ', begin), text.size());
        if (column + 1 + (end - begin) > kWidth) {
            lines += '\n' + std::string(kTextColumn - 1, ' ');
            column = kTextColumn - 1;
        }
        lines += ' ';
        lines += text.substr(begin, end - begin);
        column += 1 + end - begin;
        begin = end + 1;
    }
    return lines + '\n';
}

}  // namespace

std::string ConvertHelp() {
    // With auto, the kinds a file is by its name alone come first.
    std::string format = "read every file as F: " + FormatNames() + ". With auto, the default,";
    for (const SheetKind* kind : SheetKinds()) {
        std::string endings;
        for (const std::string& pattern : kind->Patterns(ModGlobals{}))
            if (kind->ClaimsName(pattern)) endings += " " + pattern.substr(1);
        if (!endings.empty())
            format += " files ending in" + endings + " are " + std::string(kind->Title()) + ";";
    }
    format += " any other file is the kind its content shows";
    return "\n"
           "Rewrites the chords of lead sheets (chord lines start with ^), of ChordPro\n"
           "sheets and of sheets of chords over lyrics, and writes each result beside its\n"
           "input, as the modes of the Leadwright window do. A sheet's key comes from its\n"
           "name (SONG_KEY.txt), else from its {key} directive or its Key: line; by-step\n"
           "needs none and then names the output by the step (SONG_+2.txt).\n"
           "\n"
           "  by-key KEY             transpose from the sheet's key to KEY\n"
           "  by-step STEP           transpose by STEP semitones, -11 to +11 but not 0\n"
           "  to-figured-bass        write chords as degrees of the sheet's key\n"
           "  from-figured-bass KEY  write degrees as chords in KEY (files named SONG_.txt)\n"
           "\n"
           "KEY is a major key as the key list names it: A A# Bb B C C# Db D D# Eb E F F#\n"
           "Gb G G# Ab. A minor sheet goes to the relative minor of KEY: by-key G makes\n"
           "Song_Am.txt into Song_Em.txt.\n"
           "\n"
           "  --sharps, --flats      by-step spells black keys with # or with b (default b)\n"
           "  --marker=M             chord lines start with M (default ^)\n"
           "  --extension=E          outputs of lead sheets and of chords over lyrics end\n"
           "                         in .E (default txt)\n" +
           OptionHelp("--format=F", format) +
           "  --dry-run              print each output name and message, write nothing\n"
           "  -h, --help, --version  print this help or the version, and exit\n"
           "\n"
           "Options may be abbreviated where that is unambiguous, and come anywhere; an\n"
           "argument after -- is a file even if it starts with -.\n"
           "\n"
           "Messages go to standard error, one line each, after the input's name. A name\n"
           "holding a line break or another control character is quoted as a shell reads\n"
           "it: 'a'$'\\n''b_C.txt'. A written file that held no chord is told: NAME: no\n"
           "chords found; the output is a copy. An existing file of an output's name is\n"
           "replaced. Exit status: 0 every output written, 1 some file refused, 2 bad\n"
           "arguments.\n";
}

std::variant<ConvertRequest, InfoRequest, UsageError> ParseConvertArgs(
    std::span<const std::string_view> args) {
    // getopt_long reads a C argument vector and may reorder it; it gets copies. A negative
    // step such as -3 is a number, not a cluster of options: it is hidden behind a mark.
    constexpr char kNumberMark = '\x1f';
    std::vector<std::string> copies{"leadwright-convert"};
    for (const std::string_view arg : args) {
        const bool negative = arg.size() > 1 && arg[0] == '-' &&
                              arg.find_first_not_of("0123456789", 1) == std::string_view::npos;
        copies.push_back((negative ? std::string(1, kNumberMark) : "") + std::string(arg));
    }
    std::vector<char*> argv;
    for (std::string& copy : copies) argv.push_back(copy.data());
    argv.push_back(nullptr);

    // Values of long options only, beyond every letter.
    enum : int { kSharps = 256, kFlats, kMarker, kExtension, kFormat, kDryRun, kVersion, kHelp };
    static const option kOptions[] = {
        {"sharps", no_argument, nullptr, kSharps},
        {"flats", no_argument, nullptr, kFlats},
        {"marker", required_argument, nullptr, kMarker},
        {"extension", required_argument, nullptr, kExtension},
        {"format", required_argument, nullptr, kFormat},
        {"dry-run", no_argument, nullptr, kDryRun},
        {"help", no_argument, nullptr, kHelp},
        {"version", no_argument, nullptr, kVersion},
        {nullptr, 0, nullptr, 0},
    };
    ConvertRequest request;
    std::optional<Spelling> spelling;
    optind = 0;  // a fresh scan, also when called again
    opterr = 0;  // the messages below name the program and show the usage
    const int argc = static_cast<int>(copies.size());
    for (int option; (option = getopt_long(argc, argv.data(), ":h", kOptions, nullptr)) != -1;) {
        const std::string given = argv[static_cast<std::size_t>(optind - 1)];
        switch (option) {
            case 'h':
            case kHelp:
                return InfoRequest::Help;
            case kVersion:
                return InfoRequest::Version;
            case kDryRun:
                request.dryRun = true;
                break;
            case kSharps:
            case kFlats:
                spelling = option == kSharps ? Spelling::Sharp : Spelling::Flat;
                break;
            case kMarker:
                // Lines are split at line breaks: no line would start with such a marker.
                request.globals.ChordLineMarker = optarg;
                if (request.globals.ChordLineMarker.empty() ||
                    request.globals.ChordLineMarker.find('\n') != std::string::npos)
                    return UsageError{"a marker is one character or more, without a line break"};
                break;
            case kExtension:
                // With a '/' the output would be written in another folder than its input.
                request.globals.FileExtension = optarg;
                if (request.globals.FileExtension.find('/') != std::string::npos)
                    return UsageError{
                        "an extension cannot hold a /; each output is written "
                        "beside its input"};
                break;
            case kFormat:
                if (const std::optional<const SheetKind*> format = FormatNamed(optarg))
                    request.choices.format = *format;
                else
                    return UsageError{"unknown format '" + std::string(optarg) + "'; a format is " +
                                      FormatNames()};
                break;
            case ':':
                return UsageError{given + " needs a value"};
            default:
                // optopt is the letter of an unknown short option, whose argument optind may
                // still point at; 0 or a long option's value (256 up) for a long option.
                if (optopt > 0 && optopt < 256)
                    return UsageError{"unknown option -" +
                                      std::string(1, static_cast<char>(optopt)) +
                                      "; a file whose name starts with - goes after --"};
                return UsageError{"unknown or ambiguous option " + given};
        }
    }
    std::vector<std::string_view> positional(argv.begin() + optind, argv.end() - 1);
    for (std::string_view& arg : positional)
        if (arg.starts_with(kNumberMark)) arg.remove_prefix(1);

    if (positional.empty()) return UsageError{"no mode given"};
    const std::string_view mode = positional[0];
    const bool keyed = mode == "by-key" || mode == "from-figured-bass";
    const std::size_t firstFile = keyed || mode == "by-step" ? 2 : 1;
    std::optional<UsageError> error;
    if (keyed && positional.size() > 1) {
        request.globals.ConvertMode =
            mode == "by-key" ? ConvertMode::ByKey : ConvertMode::FiguredBassToKey;
        error = TakeKey(positional[1], request);
    } else if (mode == "by-step" && positional.size() > 1) {
        request.globals.ConvertMode = ConvertMode::ByStep;
        error = TakeStep(positional[1], request);
    } else if (mode == "to-figured-bass") {
        request.globals.ConvertMode = ConvertMode::KeyToFiguredBass;
        request.choices.visibleList = ShownList::None;
    } else if (keyed || mode == "by-step") {
        return UsageError{std::string(mode) + (keyed ? " needs a key" : " needs a step")};
    } else {
        return UsageError{"unknown mode '" + std::string(mode) + "'"};
    }
    if (error) return *error;
    if (spelling && mode != "by-step") return UsageError{"--sharps and --flats go with by-step"};
    request.choices.preference = spelling.value_or(Spelling::Flat);
    if (positional.size() <= firstFile) return UsageError{"no file given"};
    request.inputPaths.assign(positional.begin() + firstFile, positional.end());
    return request;
}

}  // namespace lw
