#include "convert/Batch.h"

#include <climits>
#include <cstdlib>
#include <memory>
#include <set>
#include <utility>

#include "io/FileNames.h"

namespace lw {

namespace {

// One file's run inside a batch: its messages are kept with the file, its progress counts
// toward the batch's, and the batch names its last file in the status fields at the end.
class FileHost : public RunHost {
public:
    FileHost(RunHost& batch, BatchFile& file, const Progress& before)
        : batch_(batch), file_(file), before_(before) {}

    bool ShowBox(std::string_view text, std::string_view, MessageButtons) override {
        file_.Record(text);
        return true;  // the batch asked its one question before it started
    }
    void SetStatusField(StatusField, std::string_view) override {}
    bool KeepGoing(const Progress& run) override {
        Progress progress = before_;
        progress.bytesDone += run.bytesDone;
        return batch_.KeepGoing(progress);
    }

private:
    RunHost& batch_;
    BatchFile& file_;
    Progress before_;
};

using Identity = std::pair<dev_t, ino_t>;

std::optional<Identity> IdentityOf(const std::string& path, bool followLink, FileSystem& fs) {
    struct stat info {};
    const int failed = followLink ? fs.Stat(path.c_str(), &info) : fs.Lstat(path.c_str(), &info);
    if (failed != 0) return std::nullopt;
    return Identity{info.st_dev, info.st_ino};
}

// The output's name in its folder as the file system resolves it, so a folder reached through
// a link or by another path names the same output.
std::string CanonicalPath(const std::string& path) {
    const std::string_view folder = FolderOf(path);
    char resolved[PATH_MAX];
    if (::realpath(folder.empty() ? "." : std::string(folder).c_str(), resolved) == nullptr)
        return path;
    return std::string(resolved) + "/" + std::string(FileNameOf(path));
}

std::string NameOf(std::string_view path) { return std::string(FileNameOf(path)); }

}  // namespace

void BatchFile::Record(std::string_view message) {
    if (messages.size() < kMessagesKept)
        messages.emplace_back(message);
    else
        ++moreMessages;
}

std::size_t BatchPlan::Count(Fate fate) const {
    std::size_t count = 0;
    for (const BatchFile& file : files) count += file.fate == fate;
    return count;
}

std::size_t BatchPlan::Replacing() const {
    std::size_t count = 0;
    for (const BatchFile& file : files) count += file.fate == Fate::ToWrite && file.plan->replacesFile;
    return count;
}

BatchPlan PlanBatch(const ModGlobals& globals, const RunChoices& choices,
                    const std::vector<std::string>& inputPaths, RunHost& host, FileSystem& fs) {
    BatchPlan plan;
    std::set<Identity> chosen;
    for (const std::string& inputPath : inputPaths) {
        const std::optional<Identity> identity = IdentityOf(inputPath, true, fs);
        if (identity && !chosen.insert(*identity).second) continue;  // the same file again
        BatchFile& file = plan.files.emplace_back();
        file.inputPath = inputPath;
        file.globals = globals;
        FileHost fileHost(host, file, {});
        ShowingFailures(fileHost, [&] {
            file.plan = PlanRun(file.globals, choices, inputPath, fileHost, fs);
        });
    }

    // Writing over a file that is read would change an input, or the input of a later file; a
    // refused file is not read, so another may replace it.
    std::set<Identity> read;
    for (const BatchFile& file : plan.files)
        if (file.plan) read.insert({file.plan->input.st_dev, file.plan->input.st_ino});
    std::set<std::string> takenNames;
    std::set<Identity> takenFiles;
    for (BatchFile& file : plan.files) {
        if (!file.plan) continue;
        const std::string& output = file.plan->outputPath;
        const std::optional<Identity> target = IdentityOf(output, true, fs);
        const std::optional<Identity> entry = IdentityOf(output, false, fs);
        if (target && read.contains(*target)) {
            file.Record("ERROR! Output Filename is one of the chosen files...");
        } else if (!takenNames.insert(CanonicalPath(output)).second ||
                   (entry && !takenFiles.insert(*entry).second)) {
            file.Record("ERROR! Two chosen files have the same Output Filename...");
        } else {
            file.fate = Fate::ToWrite;
            continue;
        }
        file.plan.reset();
    }
    return plan;
}

bool ExecuteBatch(BatchPlan& plan, ModGlobals& globals, RunHost& host, FileSystem& fs) {
    Progress progress;
    progress.filesTotal = plan.Count(Fate::ToWrite);
    for (const BatchFile& file : plan.files)
        if (file.fate == Fate::ToWrite) progress.bytesTotal += file.plan->input.st_size;

    OutputSet outputs(fs);
    std::vector<BatchFile*> added;  // in the order of the set
    bool cancelled = false;
    for (BatchFile& file : plan.files) {
        if (file.fate != Fate::ToWrite) continue;
        progress.currentFile = file.inputPath;
        cancelled = cancelled || !host.KeepGoing(progress);
        if (cancelled) {
            file.fate = Fate::NotWritten;
            continue;
        }
        FileHost fileHost(host, file, progress);
        const bool ran = ShowingFailures(fileHost, [&] {
            if (ExecutePlan(*file.plan, file.globals, fileHost, outputs, fs))
                added.push_back(&file);
            else
                cancelled = true;
        });
        if (!ran) file.fate = Fate::Refused;
        if (cancelled) file.fate = Fate::NotWritten;
        progress.bytesDone += file.plan->input.st_size;
        ++progress.filesDone;
    }

    for (const OutputSet::Failure& failure : outputs.Publish()) {
        added[failure.index]->Record(failure.message);
        added[failure.index]->fate = Fate::Refused;
    }
    const BatchFile* last = nullptr;
    for (BatchFile* file : added) {
        if (file->fate == Fate::Refused) continue;
        file->fate = file->plan->replacesFile ? Fate::Replaced : Fate::Written;
        last = file;
    }
    if (last != nullptr) {
        globals = last->globals;
        host.SetStatusField(StatusField::InputFile, last->inputPath);
        host.SetStatusField(StatusField::OutputFile, last->plan->outputPath);
    }
    return !cancelled;
}

namespace {

// "Song_C.txt → Song_D.txt", or "Notes.txt" when the file has no output.
std::string FileLine(const BatchFile& file) {
    std::string line = NameOf(file.inputPath);
    if (file.plan) line += " \u2192 " + NameOf(file.plan->outputPath);
    return line;
}

// The file's messages, each on a line of its own under it.
void AddMessages(const BatchFile& file, std::string& details) {
    for (const std::string& message : file.messages) details += "    " + message + "\n";
    if (file.moreMessages > 0)
        details += "    " + std::to_string(file.moreMessages) + " more messages\n";
}

std::string Trimmed(std::string text) {
    if (!text.empty() && text.back() == '\n') text.pop_back();
    return text;
}

}  // namespace

BatchReport BatchQuestion(const BatchPlan& plan) {
    std::string text = "Output files to write: " + std::to_string(plan.Count(Fate::ToWrite)) +
                       "\nExisting files they replace: " + std::to_string(plan.Replacing()) + "\n";
    if (const std::size_t refused = plan.Count(Fate::Refused); refused > 0)
        text += "Chosen files refused: " + std::to_string(refused) + " (see the details)\n";
    std::string details;
    for (const BatchFile& file : plan.files) {
        details += FileLine(file);
        if (file.fate == Fate::Refused) details += ": refused";
        if (file.fate == Fate::ToWrite && file.plan->replacesFile) details += " (replaces a file)";
        details += "\n";
        AddMessages(file, details);
    }
    return {text + "\nWrite the output files?", Trimmed(details)};
}

BatchReport BatchSummary(const BatchPlan& plan, bool cancelled) {
    const std::size_t written = plan.Count(Fate::Written) + plan.Count(Fate::Replaced);
    std::string text = "Output files written: " + std::to_string(written) + " of " +
                       std::to_string(plan.files.size()) + "\n";
    if (const std::size_t refused = plan.Count(Fate::Refused); refused > 0)
        text += "Chosen files refused: " + std::to_string(refused) + " (see the details)\n";
    if (cancelled) text += "Cancelled: the rest were not written.\n";
    std::string details;
    for (const BatchFile& file : plan.files) {
        static constexpr const char* kFates[] = {": refused", "", ": written", ": replaced a file",
                                                 ": not written (cancelled)"};
        details += FileLine(file) + kFates[static_cast<int>(file.fate)] + "\n";
        AddMessages(file, details);
    }
    return {Trimmed(text), Trimmed(details)};
}

}  // namespace lw
