#pragma once

#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "core/ChordLineRewriter.h"
#include "sheets/ChordProDirective.h"
#include "sheets/SheetRewriter.h"
#include "core/ChordSymbol.h"
#include "core/MovedChords.h"

namespace lw {

inline constexpr std::string_view kNoKeyInDirective =
    "ERROR! Key not found in input filename or {key} directive...";

// Thrown for a sheet that must not be converted at all: a {key} directive that names no key.
class SheetRefused : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Rewrites a ChordPro sheet handed over line by line, each line in one or more pieces without
// its line end: the chords in brackets and in grids, and the keys of key directives. Every other
// byte is kept, and so are directive lines, comment lines ("#" first), and the tab, abc, ly, svg
// and textblock sections, up to their own end directive or the end of the sheet.
class ChordProRewriter final : public SheetRewriter {
public:
    // Longer text is no chord, grid word or directive and is kept as it is. This bounds what
    // the rewriter holds back of a line, however long the line is.
    static constexpr std::size_t kHoldLimit = 4096;

    // chords converts the notes of every chord that reads as one in notation; keys, when given,
    // converts the key of every key directive (a Letters scan), else key directives are kept.
    // Without chords only the directives are read: the lines are copied as they are.
    ChordProRewriter(std::optional<ChordLineRewriter> chords, Notation notation,
                     std::optional<ChordLineRewriter> keys);

    // Appends to out what the piece gives as far as it is decided, and returns how many notes
    // were replaced. endsLine is true on the last piece of each line, the sheet's last line too;
    // the caller writes every line end itself.
    std::size_t Rewrite(std::string_view piece, bool endsLine, std::string& out,
                        Messenger& messenger) override;

    // The key of the first key directive read so far outside kept sections, as written.
    const std::optional<std::string>& FirstKey() const { return firstKey_; }

private:
    // Where the rewriter stands within a line.
    enum class Mode {
        Head,         // at the start of the line (holding a byte-order mark)
        Blanks,       // among the blanks that start the line, copied as they come
        Directive,    // holding a directive line
        Pass,         // copying the rest of the line
        Lyrics,       // copying up to a "["
        Bracket,      // holding the text after a "["
        LongBracket,  // copying a bracket's text too long to be a chord, up to its "]"
        GridBlank,    // copying the blanks between grid words
        GridWord,     // holding a grid word
        LongWord,     // copying a grid word too long to be a chord
    };

    std::size_t ConsumeHead(std::string_view piece, std::size_t p, std::string& out);
    bool Hold(std::string_view text, std::string& out, std::string_view flushPrefix);
    Mode BodyMode() const;
    std::size_t EndLine(std::string& out, Messenger& messenger);

    // Rewrites a directive line that has ended into out; a line longer than kHoldLimit is kept.
    std::size_t RewriteDirective(std::string_view line, std::string& out, Messenger& messenger);

    // Each moves the notes of text[begin, end), a text that has ended: appends to out the bytes
    // of text from copied up to each chord it moves and the moved chord, leaves copied after
    // the last chord moved, and returns how many notes it moved. The caller appends the rest,
    // so a line with few chords is copied in few pieces. A text longer than kHoldLimit is kept.
    using MoveNotesOf = std::size_t (ChordProRewriter::*)(std::string_view text, std::size_t begin,
                                                          std::size_t end, std::size_t& copied,
                                                          std::string& out, Messenger& messenger);
    std::size_t MoveBracketNotes(std::string_view text, std::size_t begin, std::size_t end,
                                 std::size_t& copied, std::string& out, Messenger& messenger);
    std::size_t MoveGridWordNotes(std::string_view text, std::size_t begin, std::size_t end,
                                  std::size_t& copied, std::string& out, Messenger& messenger);
    // The chords in the brackets within text[begin, end), as MoveBracketNotes moves them.
    std::size_t MoveNotesInBrackets(std::string_view text, std::size_t begin, std::size_t end,
                                    std::size_t& copied, std::string& out, Messenger& messenger);
    static void Replace(std::string_view text, std::size_t begin, std::size_t end,
                        std::string_view moved, std::size_t& copied, std::string& out);
    std::size_t RewriteHeld(MoveNotesOf move, std::string& out, Messenger& messenger);

    std::optional<MovedChords> chords_;
    std::optional<ChordLineRewriter> keys_;

    Mode mode_ = Mode::Head;
    bool atFileStart_ = true;  // a byte-order mark may still come
    const Section* section_ = nullptr;
    std::string held_;     // never more than kHoldLimit bytes
    std::string scratch_;  // a key as the chord-line scan rewrites it
    std::optional<std::string> firstKey_;
};

}  // namespace lw
