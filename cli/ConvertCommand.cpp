#include "cli/ConvertCommand.h"

#include <string>

#include "cli/ConvertArgs.h"
#include "cli/QuotedName.h"
#include "convert/Batch.h"
#include "leadwright/Version.h"

namespace lw {

namespace {

// Prints each message of the run on a line of its own; the batch's one question is always
// answered OK and it never cancels.
class CommandLineHost : public RunHost {
public:
    explicit CommandLineHost(std::ostream& messages) : messages_(messages) {}

    bool ShowBox(std::string_view text, std::string_view, MessageButtons) override {
        messages_ << "leadwright-convert: " << OneLine(text) << std::endl;
        return true;
    }
    void SetStatusField(StatusField, std::string_view) override {}
    bool KeepGoing(const Progress&) override { return true; }

private:
    std::ostream& messages_;
};

// Puts each path in text as QuotedName quotes it.
void QuotePath(std::string& text, const std::string& path) {
    const std::string quoted = QuotedName(path);
    if (quoted == path) return;
    for (auto at = text.find(path); at != std::string::npos;
         at = text.find(path, at + quoted.size()))
        text.replace(at, path.size(), quoted);
}

// A message of the file on one line, the paths in it quoted: the input's in a failure to read
// it, the output's in a failure to write it.
std::string MessageText(const BatchFile& file, std::string text) {
    QuotePath(text, file.inputPath);
    if (!file.outputPath.empty()) QuotePath(text, file.outputPath);
    return OneLine(text);
}

// Prints the messages of each file not printed yet, each line "INPUT: text".
void PrintMessages(const BatchPlan& plan, std::vector<std::size_t>& printed,
                   std::ostream& messages) {
    printed.resize(plan.files.size());
    for (std::size_t index = 0; index < plan.files.size(); ++index) {
        const BatchFile& file = plan.files[index];
        const std::string prefix = QuotedName(file.inputPath) + ": ";
        std::string lines;
        for (; printed[index] < file.messages.size(); ++printed[index])
            lines += prefix + MessageText(file, file.messages[printed[index]]) + "\n";
        if (file.moreMessages > 0 && printed[index] == file.messages.size()) {
            lines += prefix + std::to_string(file.moreMessages) + " more messages\n";
            ++printed[index];
        }
        messages << lines << std::flush;  // one write per file
    }
}

int Convert(ConvertRequest& request, std::ostream& out, std::ostream& messages) {
    CommandLineHost host(messages);
    BatchPlan plan = PlanBatch(request.globals, request.choices, request.inputPaths, host);
    std::vector<std::size_t> printed;
    PrintMessages(plan, printed, messages);
    if (request.dryRun) {
        RehearseBatch(plan, host);
        PrintMessages(plan, printed, messages);
        for (const BatchFile& file : plan.files)
            if (file.fate == Fate::ToWrite)
                out << QuotedName(file.inputPath) << " -> " << QuotedName(file.plan->outputPath)
                    << (file.plan->replacesFile ? " (replaces an existing file)\n" : "\n");
        return plan.Count(Fate::Refused) == 0 ? 0 : 1;
    }
    ExecuteBatch(plan, request.globals, host);
    PrintMessages(plan, printed, messages);
    for (const BatchFile& file : plan.files)
        if ((file.fate == Fate::Written || file.fate == Fate::Replaced) &&
            file.run.notesConverted == 0)
            messages << QuotedName(file.inputPath) << ": no chords found; the output is a copy\n";
    return plan.Count(Fate::Refused) == 0 ? 0 : 1;
}

}  // namespace

int ConvertCommandMain(std::span<const std::string_view> args, std::ostream& out,
                       std::ostream& messages) {
    auto parsed = ParseConvertArgs(args);
    if (const auto* error = std::get_if<UsageError>(&parsed)) {
        messages << "leadwright-convert: " << OneLine(error->text) << '\n'
                 << kConvertUsage << "Try 'leadwright-convert --help'." << std::endl;
        return 2;
    }
    if (const auto* info = std::get_if<InfoRequest>(&parsed)) {
        if (*info == InfoRequest::Help)
            out << kConvertUsage << ConvertHelp();
        else
            out << "leadwright-convert " LEADWRIGHT_VERSION "\n"
                   "The licence of Leadwright is not chosen yet.\n";
        return 0;
    }
    int status = 1;
    CommandLineHost host(messages);
    ShowingFailures(host, [&] { status = Convert(std::get<ConvertRequest>(parsed), out, messages); });
    return status;
}

}  // namespace lw
