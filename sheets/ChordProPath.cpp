#include "sheets/ChordProPath.h"

#include <algorithm>
#include <array>

#include "core/AsciiCase.h"
#include "sheets/OutputPath.h"
#include "io/FileNames.h"

namespace lw {

namespace {

// The extension of a file name, after its last dot; empty when the name has no dot.
std::string_view ExtensionOf(std::string_view path) {
    const std::string_view name = FileNameOf(path);
    const std::size_t dot = name.rfind('.');
    return dot == std::string_view::npos ? std::string_view() : name.substr(dot + 1);
}

}  // namespace

bool IsChordProName(std::string_view path) {
    // The extensions that chord apps save ChordPro songs under, [0, 5).
    constexpr std::array<std::string_view, 5> kExtensions{"cho", "crd", "chopro", "chordpro",
                                                          "pro"};
    const std::string_view extension = ExtensionOf(path);
    return std::ranges::any_of(kExtensions, [&](std::string_view chordPro) {
        return EqualsIgnoringCase(extension, chordPro);
    });
}

std::optional<KeyInName> KeyOfChordProName(std::string_view path) {
    const std::string_view name = FileNameOf(path);
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos) return std::nullopt;
    const std::size_t underscore = name.rfind('_', dot);
    if (underscore == std::string_view::npos) return std::nullopt;
    const std::string_view text = name.substr(underscore + 1, dot - underscore - 1);
    const std::optional<SheetKey> key = ParseKeyName(text);
    if (!key) return std::nullopt;
    return KeyInName{*key, text.size()};
}

std::string ChordProOutputPath(std::string_view inputPath, std::size_t keyLength,
                               std::string_view newKey) {
    const std::string_view name = FileNameOf(inputPath);
    const std::string_view stem = name.substr(0, name.rfind('.'));
    // The key always follows an underscore, so a name without a key gets one.
    std::string key = keyLength == 0 && !stem.ends_with('_') ? "_" : "";
    key += newKey;
    return BuildOutputPath(inputPath, keyLength, key, ExtensionOf(inputPath));
}

std::string SignedStepName(int semitones) {
    return (semitones < 0 ? "" : "+") + std::to_string(semitones);
}

}  // namespace lw
