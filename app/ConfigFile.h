#pragma once

#include <optional>
#include <string>

namespace lw {

// The two settings the configuration file LWSET.lwc can change.
struct Settings {
    std::string ChordLineMarker;
    std::string FileExtension;  // without the dot
};

// Reads the configuration file at path. Line 1 must begin with "[LWSET.lwc"; line 4 is the
// marker and line 6 the extension, each taken whole; lines 2, 3 and 5 are room for
// instructions and everything after line 6 is never read. Nothing when the file is missing
// or unreadable, its header is wrong, it ends before line 6 or the extension holds a '/' or a
// NUL byte: a file that fails part-way gives no value at all.
std::optional<Settings> ReadConfigFile(const std::string& path);

}  // namespace lw
