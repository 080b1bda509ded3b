#include "sheets/ChordsOverLyricsRewriter.h"

#include <utility>

#include "io/LineReader.h"
#include "sheets/ChordLineColumns.h"

namespace lw {

namespace {

// Almost chord lines that the note names by number; a generated sheet could hold millions.
constexpr std::size_t kKeptLinesNamed = 100;

}  // namespace

ChordsOverLyricsRewriter::ChordsOverLyricsRewriter(ChordLineRewriter chords, Notation notation,
                                                   std::optional<ChordLineRewriter> keys)
    : chords_(std::move(chords), notation), notation_(notation), keys_(std::move(keys)) {}

// A line is read whole, so it is held until its last piece; a line that comes whole in one
// piece, as nearly every line does, is read where it is. Once a line is too long to be a chord
// line, what is held and the rest of the line are copied as they come.
std::size_t ChordsOverLyricsRewriter::Rewrite(std::string_view piece, bool endsLine,
                                              std::string& out, Messenger& messenger) {
    const std::size_t notes = RewritePiece(piece, endsLine, out, messenger);
    linesEnded_ += endsLine;
    return notes;
}

std::vector<std::string> ChordsOverLyricsRewriter::OutputNotes() const {
    if (keptLines_ == 0) return {};
    std::string note = keptLines_ == 1 ? "Kept as lyrics: line " : "Kept as lyrics: lines ";
    note += keptNumbers_;
    if (keptLines_ > kKeptLinesNamed)
        note += " and " + std::to_string(keptLines_ - kKeptLinesNamed) + " more";
    return {note};
}

std::size_t ChordsOverLyricsRewriter::RewritePiece(std::string_view piece, bool endsLine,
                                                   std::string& out, Messenger& messenger) {
    if (passing_) {
        out += piece;
        if (endsLine) {
            passing_ = false;
            firstLine_ = false;
        }
        return 0;
    }
    if (endsLine && held_.empty()) return RewriteLine(piece, out, messenger);
    convertsLine_ = false;
    // The first line may hold a byte-order mark on top of the longest chord line.
    const std::size_t limit = kLongestChordLine + (firstLine_ ? kByteOrderMark.size() : 0);
    if (held_.size() + piece.size() > limit) {
        out += held_;
        out += piece;
        held_.clear();
        passing_ = !endsLine;
        firstLine_ = false;
        return 0;
    }
    held_ += piece;
    if (!endsLine) return 0;
    const std::size_t notes = RewriteLine(held_, out, messenger);
    held_.clear();
    return notes;
}

std::size_t ChordsOverLyricsRewriter::RewriteLine(std::string_view line, std::string& out,
                                                  Messenger& messenger) {
    if (firstLine_ && line.starts_with(kByteOrderMark)) {
        out += kByteOrderMark;
        line.remove_prefix(kByteOrderMark.size());
    }
    firstLine_ = false;
    ReadChordsOverLyricsLine(line, notation_, reading_);
    convertsLine_ = reading_.kind == LineKind::ChordLine || reading_.kind == LineKind::KeyLine;
    if (reading_.kind == LineKind::AlmostChordLine && ++keptLines_ <= kKeptLinesNamed)
        keptNumbers_ += (keptLines_ == 1 ? "" : ", ") + std::to_string(linesEnded_ + 1);
    if (reading_.kind == LineKind::ChordLine) return RewriteChordLine(line, out, messenger);
    if (reading_.kind != LineKind::KeyLine || !keys_) {
        out += line;
        return 0;
    }
    // Only the name changes: the blanks around it stay as written.
    const TextSpan key = reading_.key;
    const std::size_t notes =
        keys_->ChordLineScan(line.substr(key.begin, key.size), scratch_, messenger);
    out.append(line, 0, key.begin);
    out += scratch_;
    out.append(line, key.begin + key.size);
    return notes;
}

std::size_t ChordsOverLyricsRewriter::RewriteChordLine(std::string_view line, std::string& out,
                                                       Messenger& messenger) {
    std::size_t notes = 0;
    ChordLineColumns columns(line, out);
    for (const ChordLineWord& word : reading_.words) {
        const std::string_view chord = line.substr(word.chord.begin, word.chord.size);
        const MovedChords::Chord moved = chords_.Of(chord, messenger);
        notes += moved.notes;
        if (moved.notes > 0)
            columns.Add(word, moved.moved);
        else
            columns.Keep(word);
    }
    columns.Finish();
    return notes;
}

}  // namespace lw
