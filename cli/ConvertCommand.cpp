#include "cli/ConvertCommand.h"

#include <exception>
#include <new>
#include <string>

#include "cli/ConvertArgs.h"
#include "convert/Batch.h"
#include "leadwright/Version.h"

namespace lw {

namespace {

// Prints each message as "INPUT: text" and never cancels.
class PrintingHost : public BatchHost {
public:
    explicit PrintingHost(std::ostream& messages) : messages_(messages) {}

    void FileMessage(std::string_view inputPath, std::string_view text) override {
        // One write per message: a run over a large file may show many.
        std::string line(inputPath);
        line.append(": ").append(text) += '\n';
        messages_ << line << std::flush;
    }
    bool KeepGoing(std::size_t, std::size_t, std::string_view) override { return true; }

private:
    std::ostream& messages_;
};

int Convert(ConvertRequest& request, std::ostream& out, std::ostream& messages) {
    PrintingHost host(messages);
    const BatchPlan plan = PlanBatch(request.globals, request.choices, request.inputPaths, host);
    if (request.dryRun) {
        for (const BatchOutput& output : plan.outputs)
            out << output.inputPath << " -> " << output.outputPath
                << (output.replacesFile ? " (replaces an existing file)\n" : "\n");
        return plan.refused == 0 ? 0 : 1;
    }
    const BatchResult result = ExecuteBatch(plan, request.globals, request.choices, host);
    return result.refused == 0 ? 0 : 1;
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
            out << "leadwright-convert " LEADWRIGHT_VERSION "\n";
        return 0;
    }
    try {
        return Convert(std::get<ConvertRequest>(parsed), out, messages);
    } catch (const std::bad_alloc&) {
        messages << "leadwright-convert: Out of memory" << std::endl;
    } catch (const std::exception& failure) {
        messages << "leadwright-convert: " << failure.what() << std::endl;
    }
    return 1;
}

}  // namespace lw
