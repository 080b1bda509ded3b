#include "sheets/ChordsOverLyricsSheet.h"

#include <string>

#include "sheets/ChordsOverLyricsLine.h"
#include "sheets/ChordsOverLyricsRewriter.h"
#include "sheets/KeyOfNameOrContent.h"

namespace lw {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Lines kept as lyrics that the message names; a generated sheet could hold millions.
constexpr std::size_t kLinesNamed = 100;

// What a sheet's content says of chords over lyrics: a chord line shows one, the first key line
// is its key, and every almost chord line is named to the user. A line longer than any chord
// line is lyrics, so no more of a line is held than that.
class ChordsOverLyricsContent final : public SheetContent {
public:
    explicit ChordsOverLyricsContent(Notation notation) : notation_(notation) {}

    void Feed(const Piece& piece) override {
        const bool endsLine = piece.end != LineEnd::Continues;
        std::string_view line = piece.bytes;
        if (!held_.empty() || !endsLine) {  // a line in pieces, rare: held while it may count
            if (held_.size() <= kLongestChordLine) held_.append(piece.bytes);
            if (!endsLine) return;
            line = held_;
        }
        ++lineNumber_;
        if (lineNumber_ == 1 && line.starts_with(kByteOrderMark)) line.remove_prefix(3);
        if (line.size() <= kLongestChordLine) Read(line);
        held_.clear();
    }
    bool ShowsKind() const override { return shows_; }
    bool Done() const override { return false; }  // an almost chord line may come at the end
    Key FirstKey() const override { return {key_, key_.has_value()}; }

    std::vector<std::string> OutputNotes() const override {
        if (keptLines_ == 0) return {};
        std::string note = keptLines_ == 1 ? "Kept as lyrics: line " : "Kept as lyrics: lines ";
        note += named_;
        if (keptLines_ > kLinesNamed)
            note += " and " + std::to_string(keptLines_ - kLinesNamed) + " more";
        return {note};
    }

private:
    void Read(std::string_view line) {
        const ReadLine read = ReadChordsOverLyricsLine(line, notation_);
        if (read.kind == LineKind::ChordLine) shows_ = true;
        if (read.kind == LineKind::KeyLine && !key_)
            key_ = ParseKeyName(line.substr(read.key.begin, read.key.size));
        if (read.kind == LineKind::AlmostChordLine && ++keptLines_ <= kLinesNamed)
            named_ += (keptLines_ == 1 ? "" : ", ") + std::to_string(lineNumber_);
    }

    Notation notation_;
    std::string held_;
    std::size_t lineNumber_ = 0;
    bool shows_ = false;
    std::optional<SheetKey> key_;
    std::size_t keptLines_ = 0;
    std::string named_;  // the numbers of the first kLinesNamed lines kept as lyrics
};

}  // namespace

std::vector<std::string> ChordsOverLyricsSheet::Patterns(const ModGlobals& globals) const {
    return {"*." + globals.FileExtension, "*.crd"};
}

std::unique_ptr<SheetContent> ChordsOverLyricsSheet::ReadContent(Notation notation,
                                                                 const ModGlobals&) const {
    return std::make_unique<ChordsOverLyricsContent>(notation);
}

std::optional<SheetKeys> ChordsOverLyricsSheet::TakeKey(std::string_view path,
                                                        const SheetContent& content, KeyNeed need,
                                                        ModGlobals& globals,
                                                        Messenger& messenger) const {
    return TakeKeyOfNameOrContent(
        path, content.FirstKey(), need,
        {"ERROR! The key in the filename and the Key: line differ...",
         "ERROR! Key not found in input filename or Key: line..."},
        globals, messenger);
}

std::string ChordsOverLyricsSheet::OutputExtension(std::string_view,
                                                   const ModGlobals& globals) const {
    return globals.FileExtension;
}

std::unique_ptr<SheetRewriter> ChordsOverLyricsSheet::MakeRewriter(
    const RewriterParts& parts) const {
    return std::make_unique<ChordsOverLyricsRewriter>(parts.chords, parts.notation, parts.keys);
}

}  // namespace lw
