#include "cli/ConvertArgs.h"

#include <getopt.h>

#include <charconv>
#include <optional>

#include "sheets/SheetKinds.h"

namespace lw {

namespace {

std::optional<int> KeyRow(std::string_view name) {
    for (std::size_t row = 0; row < KeySpellings.size(); ++row)
        if (KeySpellings[row].name == name) return static_cast<int>(row);
    return std::nullopt;
}

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
    request.choices.keyIndex = KeyRow(name);
    if (request.choices.keyIndex) {
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

// The kind every file is read as; nothing (in a value) for "auto", by name and content.
std::optional<const SheetKind*> FormatNamed(std::string_view name) {
    if (name == "auto") return nullptr;
    if (const SheetKind* kind = SheetKindNamed(name)) return kind;
    return std::nullopt;
}

}  // namespace

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
                    return UsageError{"unknown format '" + std::string(optarg) +
                                      "'; a format is auto, chordpro or lead-sheet"};
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
