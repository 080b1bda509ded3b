#pragma once

#include <string_view>

namespace lw {

// The file name part of a path: everything after the last '/'.
constexpr std::string_view FileNameOf(std::string_view path) {
    return path.substr(path.rfind('/') + 1);  // npos + 1 is 0: no folder at all
}

// The folder part of a path, with its final '/'; empty for a bare file name.
constexpr std::string_view FolderOf(std::string_view path) {
    return path.substr(0, path.size() - FileNameOf(path).size());
}

}  // namespace lw
