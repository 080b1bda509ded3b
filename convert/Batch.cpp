#include "convert/Batch.h"

#include <exception>
#include <memory>
#include <new>
#include <set>
#include <utility>

namespace lw {

namespace {

// One file's run inside a batch: its messages go to the batch host under its path.
class FileRunHost : public RunHost {
public:
    FileRunHost(BatchHost& batch, const std::string& inputPath, std::size_t filesDone,
                std::size_t filesToWrite)
        : batch_(batch), inputPath_(inputPath), done_(filesDone), toWrite_(filesToWrite) {}

    void ShowMessage(std::string_view text) override { batch_.FileMessage(inputPath_, text); }
    // The batch asked its one question before it started.
    bool AskOkCancel(std::string_view) override { return true; }
    // The progress of the batch stands in for the status fields of a single run.
    void SetStatusField(StatusField, std::string_view) override {}
    bool KeepGoing(std::uint64_t, std::uint64_t) override {
        return batch_.KeepGoing(done_, toWrite_, inputPath_);
    }

private:
    BatchHost& batch_;
    const std::string& inputPath_;
    std::size_t done_;
    std::size_t toWrite_;
};

// Runs one file's step; a failure becomes that file's message, as a single run shows it.
template <class Step>
auto Guarded(Messenger& fileMessages, Step step) -> decltype(step()) {
    try {
        return step();
    } catch (const std::bad_alloc&) {
        fileMessages.ShowMessage("Out of memory");
    } catch (const std::exception& failure) {
        fileMessages.ShowMessage(failure.what());
    }
    return {};
}

using Identity = std::pair<dev_t, ino_t>;

std::optional<Identity> IdentityOf(const std::string& path, FileSystem& fs) {
    struct stat info {};
    if (fs.Stat(path.c_str(), &info) != 0) return std::nullopt;
    return Identity{info.st_dev, info.st_ino};
}

}  // namespace

BatchPlan PlanBatch(const ModGlobals& globals, const RunChoices& choices,
                    const std::vector<std::string>& inputPaths, BatchHost& host, FileSystem& fs) {
    // Writing over a chosen file would change an input, or the input of a later file.
    std::set<Identity> chosen;
    for (const std::string& path : inputPaths)
        if (const std::optional<Identity> identity = IdentityOf(path, fs)) chosen.insert(*identity);

    BatchPlan plan;
    std::set<std::string> taken;
    for (const std::string& inputPath : inputPaths) {
        FileRunHost fileHost(host, inputPath, 0, inputPaths.size());
        ModGlobals fileGlobals = globals;
        const std::optional<std::string> outputPath =
            Guarded(fileHost, [&]() -> std::optional<std::string> {
                std::optional<RunPlan> run = PlanRun(fileGlobals, choices, inputPath, fileHost, fs);
                if (!run) return std::nullopt;
                return std::move(run->outputPath);
            });
        const std::optional<Identity> output =
            outputPath ? IdentityOf(*outputPath, fs) : std::nullopt;
        if (outputPath && output && chosen.contains(*output))
            fileHost.ShowMessage("ERROR! Output Filename is one of the chosen files...");
        else if (outputPath && !taken.insert(*outputPath).second)
            fileHost.ShowMessage("ERROR! Two chosen files have the same Output Filename...");
        else if (outputPath) {
            struct stat existing {};
            plan.outputs.push_back(
                {inputPath, *outputPath, fs.Lstat(outputPath->c_str(), &existing) == 0});
            continue;
        }
        ++plan.refused;
    }
    return plan;
}

BatchResult ExecuteBatch(const BatchPlan& plan, ModGlobals& globals, const RunChoices& choices,
                         BatchHost& host, FileSystem& fs) {
    const ModGlobals start = globals;
    BatchResult result{.refused = plan.refused};
    std::vector<std::unique_ptr<AtomicOutputFile>> finished;
    std::vector<const std::string*> finishedInputs;
    const std::size_t toWrite = plan.outputs.size();
    for (std::size_t done = 0; done < toWrite && !result.cancelled; ++done) {
        const std::string& inputPath = plan.outputs[done].inputPath;
        if (!host.KeepGoing(done, toWrite, inputPath)) {
            result.cancelled = true;
            break;
        }
        FileRunHost fileHost(host, inputPath, done, toWrite);
        globals = start;
        const bool written = Guarded(fileHost, [&] {
            std::optional<RunPlan> run = PlanRun(globals, choices, inputPath, fileHost, fs);
            if (!run) return false;
            std::unique_ptr<AtomicOutputFile> output = WriteOutput(*run, globals, fileHost, fs);
            if (!output) {
                result.cancelled = true;
                return false;
            }
            // One output is synced on its own, as File, Open does: a sync of the whole file
            // system pays off only for a set.
            output->Close(toWrite == 1 ? AtomicOutputFile::DataSync::Now
                                       : AtomicOutputFile::DataSync::Later);
            finished.push_back(std::move(output));
            finishedInputs.push_back(&inputPath);
            return true;
        });
        if (!written && !result.cancelled) ++result.refused;
    }

    const auto failures = AtomicOutputFile::PublishTogether(finished, fs);
    for (const AtomicOutputFile::PublishFailure& failure : failures)
        host.FileMessage(*finishedInputs[failure.index], failure.message);
    result.written = finished.size() - failures.size();
    result.refused += failures.size();
    return result;
}

}  // namespace lw
