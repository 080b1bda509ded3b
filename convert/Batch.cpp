#include "convert/Batch.h"

#include <climits>
#include <cstdlib>
#include <memory>
#include <map>
#include <set>
#include <utility>

#include "core/FileNames.h"

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
    void SetStatusField(StatusField field, std::string_view text) override {
        if (field == StatusField::OutputFile) file_.outputPath = text;
    }
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

// Paths in their folders as the file system resolves them, so that a folder reached through a
// link or by another path gives one name. Each folder is resolved once.
class CanonicalNames {
public:
    std::string Of(const std::string& path) {
        const std::string folder(FolderOf(path));
        auto found = folders_.find(folder);
        if (found == folders_.end()) {
            char resolved[PATH_MAX];
            const bool known = ::realpath(folder.empty() ? "." : folder.c_str(), resolved);
            found = folders_.emplace(folder, known ? std::string(resolved) + "/" : folder).first;
        }
        return found->second + std::string(FileNameOf(path));
    }

private:
    std::map<std::string, std::string> folders_;
};

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
    CanonicalNames canonical;
    std::set<std::string> chosen;
    for (const std::string& inputPath : inputPaths) {
        // The same name again, however spelled; another name of the same file is a file of its
        // own, with its own output.
        if (!chosen.insert(canonical.Of(inputPath)).second) continue;
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
    std::set<FileIdentity> read;
    for (const BatchFile& file : plan.files)
        if (file.plan) read.insert({file.plan->input.st_dev, file.plan->input.st_ino});
    std::set<std::string> takenNames;
    std::set<FileIdentity> takenFiles;
    for (BatchFile& file : plan.files) {
        if (!file.plan) continue;
        const std::optional<FileIdentity>& target = file.plan->outputTarget;
        const std::optional<struct stat>& entry = file.plan->outputEntry;
        if (target && read.contains(*target)) {
            file.Record("ERROR! Output Filename is one of the chosen files...");
        } else if (!takenNames.insert(canonical.Of(file.plan->outputPath)).second ||
                   (entry && !takenFiles.insert({entry->st_dev, entry->st_ino}).second)) {
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
            if (std::optional<RunOutcome> run =
                    ExecutePlan(*file.plan, file.globals, fileHost, &outputs, fs)) {
                file.run = std::move(*run);
                added.push_back(&file);
            } else {
                cancelled = true;
            }
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
        for (const std::string& note : file->run.outputNotes) file->Record(note);
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

void RehearseBatch(BatchPlan& plan, RunHost& host, FileSystem& fs) {
    for (BatchFile& file : plan.files) {
        if (file.fate != Fate::ToWrite) continue;
        FileHost fileHost(host, file, Progress{});
        ModGlobals globals = file.globals;  // as planning left them, for the real run
        const bool ran = ShowingFailures(fileHost, [&] {
            if (std::optional<RunOutcome> run =
                    ExecutePlan(*file.plan, globals, fileHost, nullptr, fs))
                file.run = std::move(*run);
        });
        if (!ran) file.fate = Fate::Refused;
        for (const std::string& note : file.run.outputNotes) file.Record(note);
    }
}

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
