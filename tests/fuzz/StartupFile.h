#pragma once

// The start-up readers take a path, so each input is written to a file of this process first.

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace lw::fuzz {

// Where the input file lives; made once per process, removed when it ends. A file in memory
// where there is one: rewriting a file on disk for every input would be most of the time spent.
inline const std::string& StartupFilePath() {
    static const std::string path = [] {
        const bool inMemory = access("/dev/shm", W_OK) == 0;
        std::string pattern = inMemory ? "/dev/shm/lw-fuzz-XXXXXX" : "/tmp/lw-fuzz-XXXXXX";
        const int fd = mkstemp(pattern.data());
        if (fd < 0) std::abort();
        close(fd);
        static std::string removeAtExit = pattern;
        std::atexit([] { unlink(removeAtExit.c_str()); });
        return pattern;
    }();
    return path;
}

// The file the reader is given: the input without its first byte. An odd first byte also
// stretches the first line to about 256 KB, the line reader's buffer, so that the lines after
// it meet the buffer's edge, at a distance set by the first byte's upper bits.
inline std::string FileBytes(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return {};
    std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    if (data[0] & 1) {
        const std::size_t lineEnd = bytes.find_first_of("\r\n");
        bytes.insert(lineEnd == std::string::npos ? bytes.size() : lineEnd,
                     std::string(256 * 1024 - 8 + (data[0] >> 4), 'x'));
    }
    return bytes;
}

inline void WriteStartupFile(std::string_view bytes) {
    std::FILE* file = std::fopen(StartupFilePath().c_str(), "wb");
    if (file == nullptr) std::abort();
    if (std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) std::abort();
    if (std::fclose(file) != 0) std::abort();
}

}  // namespace lw::fuzz
