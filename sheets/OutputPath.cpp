#include "sheets/OutputPath.h"

#include "io/FileNames.h"

namespace lw {

std::string BuildOutputPath(std::string_view inputPath, std::size_t keyLength,
                            std::string_view newKey, std::string_view extension) {
    const std::string_view name = FileNameOf(inputPath);
    const std::size_t nameStart = inputPath.size() - name.size();
    const std::size_t dot = name.rfind('.');
    const std::size_t stemLength = dot == std::string_view::npos ? name.size() : dot;
    const std::size_t keep = stemLength >= keyLength ? stemLength - keyLength : 0;

    std::string path(inputPath.substr(0, nameStart + keep));
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

std::string OutputKeyNameOf(const ModGlobals& globals) {
    const auto code = static_cast<std::size_t>(globals.OutputKeyCode);
    if (globals.InputKeyIsMinor)
        return std::string(
            PickSpelling(MinorNoteNames.at(code), SpellingOf(globals), kMinorKeySpellingWidth));
    return std::string(PickSpelling(NoteNames.at(code), SpellingOf(globals), kNoteSpellingWidth));
}

}  // namespace lw
