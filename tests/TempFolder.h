#pragma once

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

namespace lw::test {

// A folder of its own for one test, removed with everything in it afterwards.
struct TempFolder {
    std::string pattern = (std::filesystem::temp_directory_path() / "lw-test-XXXXXX").string();
    std::filesystem::path path = mkdtemp(pattern.data());
    ~TempFolder() { std::filesystem::remove_all(path); }

    std::string Path(const std::string& name) const { return (path / name).string(); }
    std::string Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(Path(name), std::ios::binary) << bytes;
        return Path(name);
    }
    // Every name in the folder, so a test can see that nothing was left behind.
    std::set<std::string> Names() const {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(path))
            names.insert(entry.path().filename().string());
        return names;
    }
};

inline std::string ReadBytes(const std::string& path) {
    return (std::ostringstream() << std::ifstream(path, std::ios::binary).rdbuf()).str();
}

}  // namespace lw::test
