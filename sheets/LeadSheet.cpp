#include "sheets/LeadSheet.h"

#include "core/KeyFromFilename.h"

namespace lw {

namespace {

// Whether a line is a chord line by its first piece: its first character is the whole marker.
// A longer marker matches no line, an empty one only empty lines.
bool IsChordLine(std::string_view firstPiece, bool endsLine, std::string_view marker) {
    return firstPiece.substr(0, 1) == marker && (!marker.empty() || endsLine);
}

// A marker line anywhere makes a lead sheet, whatever else the file holds.
class LeadSheetContent final : public SheetContent {
public:
    explicit LeadSheetContent(std::string marker) : marker_(std::move(marker)) {}

    void Feed(const Piece& piece) override {
        const bool endsLine = piece.end != LineEnd::Continues;
        if (lineStart_ && IsChordLine(piece.bytes, endsLine, marker_)) shows_ = true;
        lineStart_ = endsLine;
    }
    bool ShowsKind() const override { return shows_; }
    bool Done() const override { return shows_; }
    // A chord line holds the marker's first byte; with an empty marker, each empty line is one.
    std::optional<std::string_view> TellingBytes() const override {
        if (marker_.empty()) return std::nullopt;
        return shows_ ? "" : std::string_view(marker_).substr(0, 1);
    }

private:
    std::string marker_;
    bool lineStart_ = true;
    bool shows_ = false;
};

// Rewrites the chord lines; every other line is copied.
class LeadSheetRewriter final : public SheetRewriter {
public:
    LeadSheetRewriter(const ChordLineRewriter& chords, std::string_view marker)
        : chords_(chords), marker_(marker) {}

    std::size_t Rewrite(std::string_view piece, bool endsLine, std::string& out,
                        Messenger& messenger) override {
        if (lineStart_) chordLine_ = IsChordLine(piece, endsLine, marker_);
        lineStart_ = endsLine;
        if (!chordLine_) {
            out += piece;
            return 0;
        }
        const std::size_t notes = chords_.Feed(scan_, piece, endsLine, scratch_, messenger);
        out += scratch_;
        return notes;
    }
    bool ConvertsLine() const override { return chordLine_; }

private:
    ChordLineRewriter chords_;
    std::string marker_;
    ChordLineRewriter::ScanState scan_;
    std::string scratch_;
    bool lineStart_ = true;
    bool chordLine_ = false;
};

}  // namespace

std::vector<std::string> LeadSheet::Patterns(const ModGlobals& globals) const {
    return {"*." + globals.FileExtension};
}

std::unique_ptr<SheetContent> LeadSheet::ReadContent(Notation, const ModGlobals& globals) const {
    return std::make_unique<LeadSheetContent>(globals.ChordLineMarker);
}

std::optional<SheetKeys> LeadSheet::TakeKey(std::string_view path, const SheetContent&,
                                            KeyNeed need, ModGlobals& globals,
                                            Messenger& messenger) const {
    if (need == KeyNeed::NotInName) return SheetKeys{false, std::nullopt};
    if (!GetKeyCodeFromFilename(path, globals, messenger)) return std::nullopt;
    return SheetKeys{false, std::nullopt};
}

std::string LeadSheet::OutputExtension(std::string_view, const ModGlobals& globals) const {
    return globals.FileExtension;
}

std::unique_ptr<SheetRewriter> LeadSheet::MakeRewriter(const RewriterParts& parts) const {
    return std::make_unique<LeadSheetRewriter>(parts.chords, parts.chordLineMarker);
}

}  // namespace lw
