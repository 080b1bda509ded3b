#include "cli/ConvertCommand.h"

#include <string>

#include "cli/ConvertArgs.h"
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
        messages_ << "leadwright-convert: " << text << std::endl;
        return true;
    }
    void SetStatusField(StatusField, std::string_view) override {}
    bool KeepGoing(const Progress&) override { return true; }

private:
    std::ostream& messages_;
};

// Prints the messages of each file not printed yet, "INPUT: text", the input's name left out
// where the text names it already.
void PrintMessages(const BatchPlan& plan, std::vector<std::size_t>& printed,
                   std::ostream& messages) {
    printed.resize(plan.files.size());
    for (std::size_t index = 0; index < plan.files.size(); ++index) {
        const BatchFile& file = plan.files[index];
        std::string lines;
        for (; printed[index] < file.messages.size(); ++printed[index]) {
            const std::string& text = file.messages[printed[index]];
            if (text.find(file.inputPath) == std::string::npos) lines += file.inputPath + ": ";
            lines += text + "\n";
        }
        if (file.moreMessages > 0 && printed[index] == file.messages.size()) {
            lines += file.inputPath + ": " + std::to_string(file.moreMessages) + " more messages\n";
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
        for (const BatchFile& file : plan.files)
            if (file.fate == Fate::ToWrite)
                out << file.inputPath << " -> " << file.plan->outputPath
                    << (file.plan->replacesFile ? " (replaces an existing file)\n" : "\n");
        return plan.Count(Fate::Refused) == 0 ? 0 : 1;
    }
    ExecuteBatch(plan, request.globals, host);
    PrintMessages(plan, printed, messages);
    return plan.Count(Fate::Refused) == 0 ? 0 : 1;
}

}  // namespace

int ConvertCommandMain(std::span<const std::string_view> args, std::ostream& out,
                       std::ostream& messages) {
    auto parsed = ParseConvertArgs(args);
    if (const auto* error = std::get_if<UsageError>(&parsed)) {
        messages << "leadwright-convert: " << error->text << '\n'
                 << kConvertUsage << "Try 'leadwright-convert --help'." << std::endl;
        return 2;
    }
    if (const auto* info = std::get_if<InfoRequest>(&parsed)) {
        if (*info == InfoRequest::Help)
            out << kConvertUsage << kConvertHelp;
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
