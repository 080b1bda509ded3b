#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "io/AtomicOutputFile.h"

namespace lw {

// The outputs of a run or a batch, put in place together once every one is written: a set of
// many with one sync for all, a set of one synced on its own.
class OutputSet {
public:
    OutputSet(std::size_t expected, FileSystem& fs) : expected_(expected), fs_(fs) {}

    // A new output for path, to be written and then handed back with Add.
    std::unique_ptr<AtomicOutputFile> Create(const std::string& path, mode_t inputMode);

    // Takes a written output; it is closed, its data synced now only when it is alone.
    void Add(std::unique_ptr<AtomicOutputFile> output);

    struct Failure {
        std::size_t index;  // in the order of Add
        std::string message;
    };

    // Puts every output in place; what kept some from their names comes back.
    std::vector<Failure> Publish();

    std::size_t Size() const { return files_.size(); }

private:
    std::size_t expected_;
    FileSystem& fs_;
    std::vector<std::unique_ptr<AtomicOutputFile>> files_;
};

}  // namespace lw
