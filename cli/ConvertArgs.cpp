#include "cli/ConvertArgs.h"

#include <charconv>
#include <optional>

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

}  // namespace

std::variant<ConvertRequest, InfoRequest, UsageError> ParseConvertArgs(
    std::span<const std::string_view> args) {
    ConvertRequest request;
    std::optional<Spelling> spelling;
    std::vector<std::string_view> positional;
    bool optionsEnd = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        const bool takesValue = arg == "--marker" || arg == "--extension";
        if (optionsEnd || !arg.starts_with("--"))
            positional.push_back(arg);
        else if (arg == "--")
            optionsEnd = true;
        else if (arg == "--help")
            return InfoRequest::Help;
        else if (arg == "--version")
            return InfoRequest::Version;
        else if (arg == "--dry-run")
            request.dryRun = true;
        else if (arg == "--sharps" || arg == "--flats")
            spelling = arg == "--sharps" ? Spelling::Sharp : Spelling::Flat;
        else if (takesValue && i + 1 == args.size())
            return UsageError{std::string(arg) + " needs a value"};
        else if (arg == "--marker")
            request.globals.ChordLineMarker = args[++i];
        else if (arg == "--extension")
            request.globals.FileExtension = args[++i];
        else
            return UsageError{"unknown option " + std::string(arg)};
    }

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
