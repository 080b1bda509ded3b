// Round trips over generated lead sheets: there and back again gives every note respelled in
// one spelling and every other byte as it was.

#include <gtest/gtest.h>

#include <sstream>

#include "RecordingHost.h"
#include "bench/LeadSheetGenerator.h"
#include "convert/ChordLineRewriter.h"

namespace lw {
namespace {

std::string Rewritten(const std::string& sheet, const ChordLineRewriter& rewriter,
                      Messenger& messenger) {
    std::istringstream lines(sheet);
    std::string line, out, result;
    while (std::getline(lines, line)) {
        if (line.starts_with('^')) rewriter.ChordLineScan(line, out, messenger);
        result += line.starts_with('^') ? out : line;
        result += '\n';
    }
    return result;
}

TEST(RoundTrips, ThereAndBackRespellsOnly) {
    // A "b" after a slash is no note, and as a degree token it is no degree: leave it out.
    std::string sheet = GenerateLeadSheet(100'000, ChordNotation::Letters);
    for (auto at = sheet.find("/b"); at != std::string::npos; at = sheet.find("/b", at))
        sheet[at + 1] = '+';
    test::RecordingHost host;
    for (const Spelling spelling : {Spelling::Sharp, Spelling::Flat}) {
        const auto names = SpelledNoteNames(spelling, host);
        const std::string respelled =
            Rewritten(sheet, ChordLineRewriter(Notation::Letters, 0, names, host), host);
        for (int step = -11; step <= 11; ++step) {
            const ChordLineRewriter there(Notation::Letters, step, names, host);
            const ChordLineRewriter back(Notation::Letters, -step, names, host);
            EXPECT_EQ(Rewritten(Rewritten(sheet, there, host), back, host), respelled) << step;
        }
        // Degrees from every key and back into it.
        for (int key = 0; key < 12; ++key) {
            const ChordLineRewriter toDegrees(Notation::Letters, -key, DegreeNames, host);
            const ChordLineRewriter fromDegrees(Notation::Degrees, key, names, host);
            EXPECT_EQ(Rewritten(Rewritten(sheet, toDegrees, host), fromDegrees, host), respelled)
                << "key " << key;
        }
    }
    EXPECT_EQ(host.messages, test::Texts{});
}

}  // namespace
}  // namespace lw
