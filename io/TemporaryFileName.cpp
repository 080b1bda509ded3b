#include "io/TemporaryFileName.h"

#include <cstdio>

#include "core/FileNames.h"

namespace lw {

namespace {

constexpr std::string_view kPrefix = ".leadwright-", kSuffix = ".tmp";
constexpr std::size_t kDigits = 16;

}  // namespace

std::string TemporaryFilePath(std::string_view folder, TemporaryFileName name) {
    char digits[kDigits + 1];
    std::snprintf(digits, sizeof digits, "%08x%08x", name.run, name.file);
    std::string path(folder);
    return path.append(kPrefix).append(digits).append(kSuffix);
}

std::optional<TemporaryFileName> ParseTemporaryFileName(std::string_view fileName) {
    if (fileName.size() != kPrefix.size() + kDigits + kSuffix.size() ||
        !fileName.starts_with(kPrefix) || !fileName.ends_with(kSuffix))
        return std::nullopt;
    std::uint64_t number = 0;
    for (const char digit : fileName.substr(kPrefix.size(), kDigits)) {
        const std::size_t value = std::string_view("0123456789abcdef").find(digit);
        if (value == std::string_view::npos) return std::nullopt;
        number = number << 4 | value;
    }
    return TemporaryFileName{static_cast<std::uint32_t>(number >> 32),
                             static_cast<std::uint32_t>(number)};
}

std::string TemporaryFolderOf(std::string_view outputPath) {
    const std::string_view folder = FolderOf(outputPath);
    return folder.empty() ? "./" : std::string(folder);
}

}  // namespace lw
