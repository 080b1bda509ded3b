#include "sheets/OutputPath.h"

#include "core/FileNames.h"

namespace lw {

std::string_view ExtensionOf(std::string_view path) {
    const std::string_view name = FileNameOf(path);
    const std::size_t dot = name.rfind('.');
    return dot == std::string_view::npos ? std::string_view() : name.substr(dot + 1);
}

std::string OutputPathOf(std::string_view inputPath, std::size_t keyLength,
                         std::string_view newKey, std::string_view extension) {
    const std::string_view name = FileNameOf(inputPath);
    const std::size_t nameStart = inputPath.size() - name.size();
    const std::size_t dot = name.rfind('.');
    const std::size_t stemLength = dot == std::string_view::npos ? name.size() : dot;
    const std::size_t keep = stemLength >= keyLength ? stemLength - keyLength : 0;

    std::string path(inputPath.substr(0, nameStart + keep));
    // The key always follows an underscore, so a name without a key gets one.
    if (keyLength == 0 && !name.substr(0, stemLength).ends_with('_')) path += '_';
    path += newKey;
    path += '.';
    path += extension;
    return path;
}

bool IsFiguredBassName(std::string_view path) {
    const std::string_view name = FileNameOf(path);
    const std::size_t dot = name.rfind('.');
    return dot != std::string_view::npos && dot > 0 && name[dot - 1] == '_';
}

std::optional<KeyInName> KeyOfName(std::string_view path) {
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

std::string OutputKeyNameOf(const ModGlobals& globals) {
    const auto code = static_cast<std::size_t>(globals.OutputKeyCode);
    if (globals.InputKeyIsMinor)
        return std::string(
            PickSpelling(MinorNoteNames.at(code), SpellingOf(globals), kMinorKeySpellingWidth));
    return std::string(PickSpelling(NoteNames.at(code), SpellingOf(globals), kNoteSpellingWidth));
}

std::string SignedStepName(int semitones) {
    return (semitones < 0 ? "" : "+") + std::to_string(semitones);
}

}  // namespace lw
