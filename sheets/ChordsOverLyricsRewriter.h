#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "core/ChordLineRewriter.h"
#include "core/MovedChords.h"
#include "sheets/ChordsOverLyricsLine.h"
#include "sheets/SheetRewriter.h"

namespace lw {

// Rewrites a chords-over-lyrics sheet handed over line by line, each line in one or more pieces
// without its line end: the chords of chord lines, laid out again in their columns, and the key
// names of key lines. Every other line is kept byte for byte; lines that are almost chord lines
// are named to the user.
class ChordsOverLyricsRewriter final : public SheetRewriter {
public:
    // chords converts the notes of every chord that reads as one in notation; keys, when given,
    // converts the key name of every key line (a Letters scan), else key lines are kept.
    ChordsOverLyricsRewriter(ChordLineRewriter chords, Notation notation,
                             std::optional<ChordLineRewriter> keys);

    std::size_t Rewrite(std::string_view piece, bool endsLine, std::string& out,
                        Messenger& messenger) override;

    // Whether the last line ended was a chord line or a key line.
    bool ConvertsLine() const override { return convertsLine_; }

    // "Kept as lyrics: line 12", "Kept as lyrics: lines 12, 30": the almost chord lines.
    std::vector<std::string> OutputNotes() const override;

private:
    std::size_t RewritePiece(std::string_view piece, bool endsLine, std::string& out,
                             Messenger& messenger);
    // Rewrites a whole line into out.
    std::size_t RewriteLine(std::string_view line, std::string& out, Messenger& messenger);
    std::size_t RewriteChordLine(std::string_view line, std::string& out, Messenger& messenger);

    MovedChords chords_;
    Notation notation_;
    std::optional<ChordLineRewriter> keys_;

    std::string held_;       // the start of a line, never much more than kLongestChordLine
    bool passing_ = false;   // copying the rest of a line too long to be a chord line
    bool firstLine_ = true;  // a byte-order mark may start it
    bool convertsLine_ = false;
    ReadLine reading_;     // the last line read, its room for words kept
    std::string scratch_;  // a moved key name
    std::size_t linesEnded_ = 0;
    std::size_t keptLines_ = 0;  // almost chord lines
    std::string keptNumbers_;    // the numbers of the first of them, from 1
};

}  // namespace lw
