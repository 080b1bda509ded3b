#include "convert/OutputSet.h"

namespace lw {

std::unique_ptr<AtomicOutputFile> OutputSet::Create(const std::string& path, mode_t) {
    return std::make_unique<AtomicOutputFile>(path, fs_);
}

void OutputSet::Add(std::unique_ptr<AtomicOutputFile> output) {
    output->Close(expected_ == 1 ? AtomicOutputFile::DataSync::Now
                                 : AtomicOutputFile::DataSync::Later);
    files_.push_back(std::move(output));
}

std::vector<OutputSet::Failure> OutputSet::Publish() {
    std::vector<Failure> failures;
    for (auto& failure : AtomicOutputFile::PublishTogether(files_, fs_))
        failures.push_back({failure.index, std::move(failure.message)});
    return failures;
}

}  // namespace lw
