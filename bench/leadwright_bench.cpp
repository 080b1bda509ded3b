// Throughput of the conversions on a generated 20 MB lead sheet: whole runs in each mode as
// the window starts them and of a ChordPro sheet By Key, a chords-over-lyrics sheet rewritten
// By Key from its reading to its output file, the chord-line scans alone, and a plain line copy
// as the floor. `leadwright_bench --generate letters|degrees|chordpro PATH SIZE_MB` only
// writes a sheet (compare.sh), `--generate-set` many small ones (batch.sh), and `--floor-set`
// copies many durably with the fewest system calls (batch.sh's floor).

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "bench/ChordProSheetGenerator.h"
#include "bench/ChordsOverLyricsSheetGenerator.h"
#include "bench/LeadSheetGenerator.h"
#include "cli/ConvertCommand.h"
#include "core/ChordLineRewriter.h"
#include "io/LineReader.h"
#include "io/OutputSet.h"
#include "sheets/ChordsOverLyricsRewriter.h"

namespace lw {
namespace {

constexpr std::size_t kSheetBytes = 20 * 1000 * 1000;

class CountingMessenger : public Messenger {
public:
    bool ShowBox(std::string_view, std::string_view, MessageButtons) override {
        ++count;
        return true;
    }
    long count = 0;
};

// A fresh folder under /tmp for the sheets and the outputs, removed with everything in it.
class TemporaryFolder {
public:
    TemporaryFolder() {
        char name[] = "/tmp/leadwright-bench-XXXXXX";
        if (mkdtemp(name) == nullptr) {
            std::perror("mkdtemp /tmp/leadwright-bench-XXXXXX");
            std::exit(1);
        }
        path_ = name;
    }
    ~TemporaryFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    std::string File(std::string_view name) const { return path_ + "/" + std::string(name); }

private:
    std::string path_;
};

std::size_t FileSize(const std::string& path) { return std::filesystem::file_size(path); }

// A whole run as leadwright-convert makes it for one file; args are its arguments.
void WholeRun(benchmark::State& state, std::vector<std::string> args) {
    const std::size_t bytes = FileSize(args.back());
    const std::vector<std::string_view> views(args.begin(), args.end());
    std::ostringstream messages;
    for (auto _ : state) {
        if (ConvertCommandMain(views, messages, messages) != 0) {
            state.SkipWithError("the run wrote no output");
            return;
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
    state.counters["messages/run"] =
        static_cast<double>(std::count(messages.view().begin(), messages.view().end(), '\n')) /
        static_cast<double>(state.iterations());
}

// The floor: the same reading and writing as a run, with no conversion at all.
void PlainCopy(benchmark::State& state, std::string input, std::string output) {
    const std::size_t bytes = FileSize(input);
    for (auto _ : state) {
        LineReader reader(input, SystemFileSystem());
        OutputSet outputs(SystemFileSystem());
        auto writer = outputs.Create(output, 0644, nullptr);
        while (const auto piece = reader.NextPiece()) {
            writer->Write(piece->bytes);
            if (piece->end != LineEnd::Continues) writer->Write("\r\n");
        }
        outputs.Add(std::move(writer));
        outputs.Publish();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}

// A chords-over-lyrics sheet in C rewritten to D with sharps, read, rewritten and written as a
// run does once it is planned, each line keeping its own line end.
void ChordsOverLyricsByKey(benchmark::State& state, std::string input, std::string output) {
    const std::size_t bytes = FileSize(input);
    CountingMessenger messenger;
    const auto sharps = SpelledNoteNames(Spelling::Sharp, messenger);
    for (auto _ : state) {
        LineReader reader(input, SystemFileSystem());
        OutputSet outputs(SystemFileSystem());
        auto writer = outputs.Create(output, 0644, nullptr);
        ChordsOverLyricsRewriter rewriter(ChordLineRewriter(Notation::Letters, 2, sharps),
                                          Notation::Letters,
                                          ChordLineRewriter(Notation::Letters, 2, sharps));
        std::string converted;
        while (const auto piece = reader.NextPiece()) {
            rewriter.Rewrite(piece->bytes, piece->end != LineEnd::Continues, converted, messenger);
            converted += LineEndBytes(piece->end);
            if (converted.size() >= 64 * 1024) {  // written a block at a time, as a run does
                writer->Write(converted);
                converted.clear();
            }
        }
        writer->Write(converted);
        outputs.Add(std::move(writer));
        outputs.Publish();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
    state.counters["messages/run"] =
        static_cast<double>(messenger.count) / static_cast<double>(state.iterations());
}

std::vector<std::string> ChordLinesOf(const std::string& sheet) {
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < sheet.size();) {
        std::size_t end = sheet.find("\r\n", start);
        if (end == std::string::npos) end = sheet.size();
        if (sheet[start] == '^') lines.emplace_back(sheet, start, end - start);
        start = end + 2;
    }
    return lines;
}

// The chord-line scan alone over the sheet's chord lines in memory.
void Scan(benchmark::State& state, const std::vector<std::string>* lines, Notation notation,
          int step, const std::array<std::string_view, 12>* names) {
    std::size_t bytes = 0;
    for (const std::string& line : *lines) bytes += line.size();
    CountingMessenger messenger;
    const ChordLineRewriter rewriter(notation, step, *names);
    std::string out;
    for (auto _ : state) {
        for (const std::string& line : *lines) {
            rewriter.ChordLineScan(line, out, messenger);
            benchmark::DoNotOptimize(out.data());
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
    state.counters["messages/pass"] =
        static_cast<double>(messenger.count) / static_cast<double>(state.iterations());
}

void RegisterRuns(const TemporaryFolder& folder, const std::string& letters,
                  const std::string& degrees, const std::string& chordPro,
                  const std::string& chordsOverLyrics) {
    // Wall time: a run waits for its output to reach the disk, which takes little CPU.
    const auto run = [](const char* name, std::vector<std::string> args) {
        benchmark::RegisterBenchmark(name, WholeRun, std::move(args))
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    };
    run("Run/ByKey", {"by-key", "D", letters});                 // C to "D (Bm)": Tune_D.txt
    run("Run/ByStep", {"by-step", "+3", "--flats", letters});   // "Up 1 1/2", flats: Tune_Eb.txt
    run("Run/KeyToFiguredBass", {"to-figured-bass", letters});  // Tune_.txt
    run("Run/FiguredBassToKey", {"from-figured-bass", "D", degrees});  // Twin_D.txt
    run("Run/ChordProByKey", {"by-key", "D", chordPro});               // Book_D.cho
    benchmark::RegisterBenchmark("Rewrite/ChordsOverLyricsByKey", ChordsOverLyricsByKey,
                                 chordsOverLyrics, folder.File("Songs_D.txt"))
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark("Copy/LineReaderToAtomicOutputFile", PlainCopy, letters,
                                 folder.File("Copy.txt"))
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
}

// A whole number written in plain decimal digits.
bool ParseCount(std::string_view text, std::size_t& value) {
    const auto parsed = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && parsed.ec == std::errc() && parsed.ptr == text.data() + text.size();
}

// leadwright_bench --generate letters|degrees|chordpro|chords-over-lyrics PATH SIZE_MB
int Generate(int argc, char** argv) {
    const std::string_view kind = argc == 5 ? argv[2] : "";
    std::size_t megabytes = 0;
    if ((kind != "letters" && kind != "degrees" && kind != "chordpro" &&
         kind != "chords-over-lyrics") ||
        !ParseCount(argc == 5 ? argv[4] : "", megabytes)) {
        std::fputs(
            "usage: leadwright_bench --generate letters|degrees|chordpro|chords-over-lyrics "
            "PATH SIZE_MB\n",
            stderr);
        return 2;
    }
    const std::size_t bytes = megabytes * 1000 * 1000;
    const bool written =
        kind == "chordpro" ? WriteChordProSheet(argv[3], bytes)
        : kind == "chords-over-lyrics"
            ? WriteChordsOverLyricsSheet(argv[3], bytes)
            : WriteLeadSheet(argv[3], bytes,
                             kind == "letters" ? ChordNotation::Letters : ChordNotation::Degrees);
    if (!written) {
        std::perror(argv[3]);
        return 1;
    }
    return 0;
}

// leadwright_bench --generate-set FOLDER COUNT BYTES [lead-sheet|chordpro|chords-over-lyrics]:
// COUNT sheets of about BYTES bytes each, each song its own: lead sheets Song0001_C.txt and on,
// ChordPro sheets Song0001.cho and on, whose key is in their {key: C} directive, or chords over
// lyrics Song0001.crd and on, whose key is in their Key: C line.
int GenerateSet(int argc, char** argv) {
    std::size_t count = 0, bytes = 0;
    const std::string_view kind = argc == 6 ? argv[5] : "lead-sheet";
    if ((argc != 5 && argc != 6) || !ParseCount(argv[3], count) || !ParseCount(argv[4], bytes) ||
        (kind != "lead-sheet" && kind != "chordpro" && kind != "chords-over-lyrics")) {
        std::fputs(
            "usage: leadwright_bench --generate-set FOLDER COUNT BYTES "
            "[lead-sheet|chordpro|chords-over-lyrics]\n",
            stderr);
        return 2;
    }
    const bool chordPro = kind == "chordpro", chordsOverLyrics = kind == "chords-over-lyrics";
    for (std::size_t i = 1; i <= count; ++i) {
        char name[32];
        std::snprintf(name, sizeof name,
                      chordPro           ? "/Song%04zu.cho"
                      : chordsOverLyrics ? "/Song%04zu.crd"
                                         : "/Song%04zu_C.txt",
                      i);
        const std::string path = argv[2] + std::string(name);
        const auto seed = static_cast<std::uint32_t>(i);
        if (!(chordPro
                  ? WriteChordProSheet(path, bytes, ChordProSheetGenerator::kDefaultSeed + seed)
              : chordsOverLyrics
                  ? WriteChordsOverLyricsSheet(path, bytes,
                                               ChordsOverLyricsSheetGenerator::kDefaultSeed + seed)
                  : WriteLeadSheet(path, bytes, ChordNotation::Letters,
                                   LeadSheetGenerator::kDefaultSeed + seed))) {
            std::perror(path.c_str());
            return 1;
        }
    }
    return 0;
}

// leadwright_bench --floor-set FILE...: what a batch cannot do with fewer system calls. Each
// file is opened, read and closed, its copy FILE.floor created beside it under a temporary
// name, written, closed and renamed, 8 calls a file; one syncfs makes them all durable.
int FloorSet(int argc, char** argv) {
    std::vector<char> bytes(1 << 20);
    int folder = -1;
    for (int i = 2; i < argc; ++i) {
        const std::string input = argv[i], output = input + ".floor", temporary = output + "~";
        const int in = open(input.c_str(), O_RDONLY | O_CLOEXEC);
        const ssize_t size = in < 0 ? -1 : read(in, bytes.data(), bytes.size());
        if (in >= 0) close(in);
        const int out = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        const bool written = out >= 0 && size >= 0 && write(out, bytes.data(), size) == size;
        if (out >= 0) close(out);
        if (!written || rename(temporary.c_str(), output.c_str()) != 0) {
            std::perror(input.c_str());
            return 1;
        }
        if (folder < 0) folder = open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    }
    if (folder >= 0 && syncfs(folder) != 0) std::perror("syncfs");
    return 0;
}

}  // namespace
}  // namespace lw

int main(int argc, char** argv) {
    if (argc > 1 && std::string_view(argv[1]) == "--floor-set") return lw::FloorSet(argc, argv);
    if (argc > 1 && std::string_view(argv[1]) == "--generate") return lw::Generate(argc, argv);
    if (argc > 1 && std::string_view(argv[1]) == "--generate-set")
        return lw::GenerateSet(argc, argv);

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;

    const lw::TemporaryFolder folder;
    const std::string letters = folder.File("Tune_C.txt");
    const std::string degrees = folder.File("Twin_.txt");
    const std::string chordPro = folder.File("Book.cho");  // in C by its {key: C} directives
    const std::string chordsOverLyrics = folder.File("Songs.txt");  // in C by its Key: lines
    if (!lw::WriteLeadSheet(letters, lw::kSheetBytes, lw::ChordNotation::Letters) ||
        !lw::WriteLeadSheet(degrees, lw::kSheetBytes, lw::ChordNotation::Degrees) ||
        !lw::WriteChordProSheet(chordPro, lw::kSheetBytes) ||
        !lw::WriteChordsOverLyricsSheet(chordsOverLyrics, lw::kSheetBytes)) {
        std::fputs("cannot write the sheets\n", stderr);
        return 1;
    }
    const std::vector<std::string> letterLines =
        lw::ChordLinesOf(lw::GenerateLeadSheet(lw::kSheetBytes, lw::ChordNotation::Letters));
    const std::vector<std::string> degreeLines =
        lw::ChordLinesOf(lw::GenerateLeadSheet(lw::kSheetBytes, lw::ChordNotation::Degrees));

    lw::RegisterRuns(folder, letters, degrees, chordPro, chordsOverLyrics);
    // C up to D with sharps, C to degrees, degrees to D with sharps.
    lw::CountingMessenger messenger;
    const auto sharps = lw::SpelledNoteNames(lw::Spelling::Sharp, messenger);
    benchmark::RegisterBenchmark("Scan/TransposeNotes", lw::Scan, &letterLines,
                                 lw::Notation::Letters, 2, &sharps)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Scan/NotesToDegrees", lw::Scan, &letterLines,
                                 lw::Notation::Letters, -3, &lw::DegreeNames)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Scan/DegreesToNotes", lw::Scan, &degreeLines,
                                 lw::Notation::Degrees, 5, &sharps)
        ->Unit(benchmark::kMillisecond);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
