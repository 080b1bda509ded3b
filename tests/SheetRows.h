#pragma once

// Tables of sheets and what a kind's rewriter turns them into, checked however the lines are cut.

#include <gtest/gtest.h>

#include <span>
#include <tuple>

#include "FeedSheet.h"
#include "RecordingHost.h"
#include "sheets/SheetKind.h"

namespace lw::test {

// A run as planning builds it: the chords' notation, step and names, and the step of the key
// rewriter, if there is one.
// clang-format off
struct Run { Notation notation; int step; Names names; std::optional<int> keyStep; };
inline const Run kGToD{Notation::Letters, 7, Names::Sharps, 7};  // By Key from G to D
inline const Run kFiguredBassToD{Notation::Degrees, 5, Names::Sharps, std::nullopt};

struct SheetCase { const char* name; Run run; std::string input, expected; std::size_t notes; };
// clang-format on

// "" when the texts are the same; else where they part and a few bytes of each from there, so
// that a failing row of a long sheet shows only what differs.
inline std::string Difference(std::string_view expected, std::string_view actual) {
    const auto at =
        static_cast<std::size_t>(std::ranges::mismatch(expected, actual).in1 - expected.begin());
    if (at == expected.size() && at == actual.size()) return "";
    return "from byte " + std::to_string(at) + " expected \"" +
           std::string(expected.substr(at, 24)) + "\", got \"" +
           std::string(actual.substr(at, 24)) + "\"";
}

// Every row's sheet as a run of kind rewrites it, each line whole and in pieces of every size up
// to kMaxPiece, gives the row's expected text and notes and no message; the first cut that fails
// a row is shown.
inline void ExpectRewritten(const SheetKind& kind, std::span<const SheetCase> rows) {
    for (const SheetCase& row : rows) {
        SCOPED_TRACE(row.name);
        for (std::size_t size = 0; size <= kMaxPiece; ++size) {
            RecordingHost host;
            const auto names = NamesOf(row.run.names, host);
            std::optional<ChordLineRewriter> keys;
            if (row.run.keyStep) keys.emplace(Notation::Letters, *row.run.keyStep, names);
            const ChordLineRewriter chords(row.run.notation, row.run.step, names);
            const auto rewriter = kind.MakeRewriter({chords, row.run.notation, keys, "^"});
            const auto [out, notes] = RewriteSheet(*rewriter, row.input, size, host);
            const auto got = std::tuple(Difference(row.expected, out), notes, host.messages);
            const auto want = std::tuple(std::string(), row.notes, Texts{});
            EXPECT_EQ(got, want) << "pieces of " << size;
            if (got != want) break;
        }
    }
}

}  // namespace lw::test
