#include "sheets/ChordProSheet.h"

#include <algorithm>
#include <array>

#include "core/AsciiCase.h"
#include "core/ChordSymbol.h"
#include "sheets/ChordProDirective.h"
#include "sheets/ChordProRewriter.h"
#include "sheets/KeyDirectiveFinder.h"
#include "sheets/KeyOfNameOrContent.h"
#include "sheets/OutputPath.h"

namespace lw {

namespace {

// The extensions that chord apps save ChordPro songs under, [0, 4).
constexpr std::array<std::string_view, 4> kExtensions{"cho", "chopro", "chordpro", "pro"};

// What a sheet's content says of ChordPro: a directive line ("{" first after any blanks, and a
// "}" later on the same line) or two chords in brackets show one; its first key directive is
// the sheet's key.
class ChordProContent final : public SheetContent {
public:
    explicit ChordProContent(Notation notation) : notation_(notation) {}

    void Feed(const Piece& piece) override {
        if (!keyFound_) keyFound_ = keys_.Feed(piece.bytes, piece.end != LineEnd::Continues);
        if (!shows_) Look(piece);
    }
    bool ShowsKind() const override { return shows_; }
    bool Done() const override { return keyFound_; }  // a key directive is a directive line
    // Only a line that holds a "{" is a directive line, and only one that holds a "[" holds
    // bracket chords. The first line is read whole, for a byte-order mark.
    std::optional<std::string_view> TellingBytes() const override {
        if (atFileStart_) return std::nullopt;
        if (!shows_) return "{[";
        return keyFound_ ? "" : "{";
    }
    Key FirstKey() const override {
        if (!keys_.Key()) return {};
        return {ParseKeyName(*keys_.Key()), true};
    }

private:
    void Look(const Piece& piece) {
        std::string_view bytes = piece.bytes;
        if (atFileStart_ && bytes.starts_with(kByteOrderMark))
            bytes.remove_prefix(kByteOrderMark.size());
        atFileStart_ = false;
        std::size_t p = 0;
        if (lineStart_) {
            p = SkipBlanks(bytes, 0);
            inDirective_ = p < bytes.size() && bytes[p] == '{';
        }
        if (inDirective_ && bytes.find('}', p) != std::string_view::npos) shows_ = true;
        // A bracket is read within the piece it starts in; pieces are whole lines but for
        // lines longer than any chord line.
        for (std::size_t open = bytes.find('[', p); open != std::string_view::npos && !shows_;
             open = bytes.find('[', open + 1)) {
            const std::size_t close = bytes.find(']', open + 1);
            if (close == std::string_view::npos) break;
            const std::string_view text = bytes.substr(open + 1, close - open - 1);
            if (text.size() <= ChordProRewriter::kHoldLimit && ReadsAsChord(text, notation_))
                shows_ = ++bracketChords_ >= 2;
        }
        lineStart_ = piece.end != LineEnd::Continues;
        if (lineStart_) inDirective_ = false;
    }

    Notation notation_;
    KeyDirectiveFinder keys_;
    bool keyFound_ = false;
    bool shows_ = false;
    bool atFileStart_ = true;
    bool lineStart_ = true;
    bool inDirective_ = false;
    int bracketChords_ = 0;
};

}  // namespace

std::vector<std::string> ChordProSheet::Patterns(const ModGlobals&) const {
    std::vector<std::string> patterns;
    for (const std::string_view extension : kExtensions)
        patterns.push_back("*." + std::string(extension));
    return patterns;
}

bool ChordProSheet::ClaimsName(std::string_view path) const {
    const std::string_view extension = ExtensionOf(path);
    return std::ranges::any_of(kExtensions, [&](std::string_view chordPro) {
        return EqualsIgnoringCase(extension, chordPro);
    });
}

std::unique_ptr<SheetContent> ChordProSheet::ReadContent(Notation notation,
                                                         const ModGlobals&) const {
    return std::make_unique<ChordProContent>(notation);
}

std::optional<SheetKeys> ChordProSheet::TakeKey(std::string_view path, const SheetContent& content,
                                                KeyNeed need, ModGlobals& globals,
                                                Messenger& messenger) const {
    return TakeKeyOfNameOrContent(
        path, content.FirstKey(), need,
        {"ERROR! The key in the filename and the {key} directive differ...", kNoKeyInDirective},
        globals, messenger);
}

std::string ChordProSheet::OutputExtension(std::string_view inputPath, const ModGlobals&) const {
    return std::string(ExtensionOf(inputPath));
}

std::unique_ptr<SheetRewriter> ChordProSheet::MakeRewriter(const RewriterParts& parts) const {
    return std::make_unique<ChordProRewriter>(parts.chords, parts.notation, parts.keys);
}

}  // namespace lw
