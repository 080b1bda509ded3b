#include "bench/ConvertFileCommand.h"

#include <charconv>
#include <cstddef>
#include <exception>
#include <new>
#include <optional>
#include <string>

#include "convert/RunPlan.h"

namespace lw {

namespace {

// A row number of a list with `rows` rows, written in plain decimal digits.
std::optional<int> ParseRow(std::string_view text, std::size_t rows) {
    int row = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, row);
    if (text.empty() || error != std::errc() || stop != end || row < 0 ||
        static_cast<std::size_t>(row) >= rows)
        return std::nullopt;
    return row;
}

// The window as the arguments set it up: globals after the mode button and list click, and
// what the lists show.
struct Setup {
    ModGlobals globals;
    RunChoices choices;
    std::string inputPath;
};

std::optional<Setup> ParseArgs(std::span<const std::string_view> args) {
    Setup setup;
    std::size_t i = 0;
    for (; i + 1 < args.size() && args[i].starts_with("--"); i += 2) {
        if (args[i] == "--marker")
            setup.globals.ChordLineMarker = args[i + 1];
        else if (args[i] == "--extension")
            setup.globals.FileExtension = args[i + 1];
        else
            return std::nullopt;
    }
    if (i == args.size()) return std::nullopt;
    const std::string_view mode = args[i];
    const std::span<const std::string_view> rest = args.subspan(i + 1);
    ModGlobals& globals = setup.globals;
    RunChoices& choices = setup.choices;

    if ((mode == "by-key" || mode == "from-figured-bass") && rest.size() == 2) {
        globals.ConvertMode = mode == "by-key" ? 0 : 2;
        choices.keyIndex = ParseRow(rest[0], KeySpellings.size());
        if (!choices.keyIndex) return std::nullopt;
        lstKey_Click(globals);
    } else if (mode == "by-step" && rest.size() == 3) {
        globals.ConvertMode = 1;
        choices.visibleList = ShownList::Step;
        const std::optional<int> step = ParseRow(rest[0], StepList.size());
        if (!step || (rest[1] != "#" && rest[1] != "b")) return std::nullopt;
        lstStep_Click(globals, *step);
        choices.preference = rest[1] == "#" ? Spelling::Sharp : Spelling::Flat;
    } else if (mode == "to-figured-bass" && rest.size() == 1) {
        globals.ConvertMode = 3;  // no list shown, nothing chosen
        choices.visibleList = ShownList::None;
    } else {
        return std::nullopt;
    }
    setup.inputPath = rest.back();
    return setup;
}

// Prints every message on a line of its own and answers OK.
class PrintingHost : public RunHost {
public:
    explicit PrintingHost(std::ostream& messages) : messages_(messages) {}
    void ShowMessage(std::string_view text) override {
        // One write per message: a run over a large file may show many.
        std::string line(text);
        line += '\n';
        messages_ << line << std::flush;
    }
    bool AskOkCancel(std::string_view) override { return true; }
    void SetStatusField(StatusField, std::string_view) override {}

private:
    std::ostream& messages_;
};

}  // namespace

int ConvertFileMain(std::span<const std::string_view> args, std::ostream& messages) {
    std::optional<Setup> setup = ParseArgs(args);
    if (!setup) {
        messages << kConvertFileUsage << std::endl;
        return 2;
    }
    PrintingHost host(messages);
    try {
        std::optional<RunPlan> plan =
            PlanRun(setup->globals, setup->choices, setup->inputPath, host);
        return plan && ExecutePlan(*plan, setup->globals, host) ? 0 : 1;
    } catch (const std::bad_alloc&) {
        host.ShowMessage("Out of memory");
    } catch (const std::exception& failure) {
        host.ShowMessage(failure.what());
    }
    return 1;
}

}  // namespace lw
