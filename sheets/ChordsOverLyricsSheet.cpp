#include "sheets/ChordsOverLyricsSheet.h"

#include <string>

#include "sheets/ChordsOverLyricsLine.h"
#include "sheets/ChordsOverLyricsRewriter.h"
#include "sheets/KeyOfNameOrContent.h"

namespace lw {

namespace {

// What a sheet's content says of chords over lyrics: a chord line shows one, and the first key
// line is its key; once both are read, nothing more is.
class ChordsOverLyricsContent final : public SheetContent {
public:
    explicit ChordsOverLyricsContent(Notation notation) : notation_(notation) {}

    // The reader gives every line shorter than its buffer in one piece, so a line that comes in
    // pieces is far longer than any chord line: it is lyrics and is not read.
    void Feed(const Piece& piece) override {
        const bool endsLine = piece.end != LineEnd::Continues;
        std::string_view line = piece.bytes;
        if (firstLine_ && line.starts_with(kByteOrderMark))
            line.remove_prefix(kByteOrderMark.size());
        if (lineStart_ && endsLine) Read(line);
        lineStart_ = endsLine;
        firstLine_ = false;
    }
    bool ShowsKind() const override { return shows_; }
    bool Done() const override { return shows_ && key_; }
    // Every line may be a chord line until one is read; a key line holds a ":".
    std::optional<std::string_view> TellingBytes() const override {
        if (!shows_) return std::nullopt;
        return key_ ? "" : ":";
    }
    Key FirstKey() const override { return {key_, key_.has_value()}; }

private:
    void Read(std::string_view line) {
        ReadChordsOverLyricsLine(line, notation_, read_);
        if (read_.kind == LineKind::ChordLine) shows_ = true;
        if (read_.kind == LineKind::KeyLine && !key_)
            key_ = ParseKeyName(line.substr(read_.key.begin, read_.key.size));
    }

    Notation notation_;
    ReadLine read_;  // its room for words kept from line to line
    bool lineStart_ = true;
    bool firstLine_ = true;
    bool shows_ = false;
    std::optional<SheetKey> key_;
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
    return TakeKeyOfNameOrContent(path, content.FirstKey(), need,
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
