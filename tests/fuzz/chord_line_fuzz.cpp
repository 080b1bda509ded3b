// Every chord-line rewrite over arbitrary lines: each transposition up and down in both
// spellings, to degrees and back from them. Only note names and degree tokens change: every
// other byte stays, in order.

#include <algorithm>
#include <cstdint>

#include "FuzzSupport.h"
#include "convert/ChordLineRewriter.h"

namespace lw::fuzz {
namespace {

// The line without the bytes a note name or a degree token is made of.
std::string WithoutNoteBytes(std::string_view line) {
    std::string rest;
    std::copy_if(line.begin(), line.end(), std::back_inserter(rest), [](char c) {
        return !((c >= 'A' && c <= 'G') || c == '#' || c == 'b' || c == 'I' || c == 'V');
    });
    return rest;
}

void Check(const ChordLineRewriter& rewriter, std::string_view line, KeptMessages& messages) {
    std::string out;
    const std::size_t notes = rewriter.ChordLineScan(line, out, messages);
    Require(WithoutNoteBytes(out) == WithoutNoteBytes(line), "only note names change");
    Require(out.size() <= line.size() + 3 * notes, "a note grows by three bytes at most");
}

}  // namespace
}  // namespace lw::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lw;
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    fuzz::KeptMessages messages;
    for (const Spelling spelling : {Spelling::Sharp, Spelling::Flat}) {
        const auto names = SpelledNoteNames(spelling, messages);
        for (int step = -11; step <= 11; ++step)
            fuzz::Check(ChordLineRewriter(Notation::Letters, step, names, messages), line,
                        messages);
        fuzz::Check(ChordLineRewriter(Notation::Degrees, 3, names, messages), line, messages);
    }
    fuzz::Check(ChordLineRewriter(Notation::Letters, -3, DegreeNames, messages), line, messages);
    for (const std::string& text : messages.texts)
        fuzz::Require(text.starts_with("ERROR! Code not found, GetCodeFromChordRoman(), "),
                      "only an unknown degree token has a message");
    return 0;
}
