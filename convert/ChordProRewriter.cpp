#include "convert/ChordProRewriter.h"

#include <algorithm>

#include "convert/SheetKey.h"

namespace lw {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Where the first byte of text that is (or is not) a blank sits; text's size when none is.
std::size_t FindBlank(std::string_view text, bool blank) {
    std::size_t p = 0;
    while (p < text.size() && IsBlank(text[p]) != blank) ++p;
    return p;
}

}  // namespace

ChordProRewriter::ChordProRewriter(std::optional<ChordLineRewriter> chords, Notation notation,
                                   std::optional<ChordLineRewriter> keys)
    : chords_(std::move(chords)), notation_(notation), keys_(std::move(keys)) {}

std::size_t ChordProRewriter::Rewrite(std::string_view piece, bool endsLine, std::string& out,
                                      Messenger& messenger) {
    std::size_t notes = 0;
    for (std::size_t p = 0; p < piece.size();) p = Consume(piece, p, out, messenger, notes);
    if (endsLine) notes += EndLine(out, messenger);
    return notes;
}

// Takes the bytes from p on that the mode decides and gives where the next mode starts.
std::size_t ChordProRewriter::Consume(std::string_view piece, std::size_t p, std::string& out,
                                      Messenger& messenger, std::size_t& notes) {
    const std::string_view rest = piece.substr(p);
    switch (mode_) {
        case Mode::Head:
            return ConsumeHead(piece, p, out);
        case Mode::Directive:
            if (Hold(rest, out, "")) return piece.size();
            mode_ = Mode::Pass;  // too long for a directive
            return p;
        case Mode::Pass:
            out += rest;
            return piece.size();
        case Mode::Lyrics: {
            const std::size_t open = std::min(rest.find('['), rest.size());
            out += rest.substr(0, open);
            if (open == rest.size()) return piece.size();
            mode_ = Mode::Bracket;
            return p + open + 1;
        }
        case Mode::Bracket: {
            const std::size_t close = std::min(rest.find(']'), rest.size());
            if (!Hold(rest.substr(0, close), out, "[")) {
                mode_ = Mode::LongBracket;
                return p;
            }
            if (close == rest.size()) return piece.size();
            out += '[';
            if (const auto chord = ReadChordSymbol(held_, notation_))
                notes += RewriteNotes(held_, *chord, out, messenger);
            else
                out += held_;
            out += ']';
            held_.clear();
            mode_ = Mode::Lyrics;
            return p + close + 1;
        }
        case Mode::LongBracket: {
            const std::size_t close = std::min(rest.find(']'), rest.size());
            out += rest.substr(0, close);
            if (close == rest.size()) return piece.size();
            out += ']';
            mode_ = Mode::Lyrics;
            return p + close + 1;
        }
        case Mode::GridBlank: {
            const std::size_t word = FindBlank(rest, false);
            out += rest.substr(0, word);
            if (word < rest.size()) mode_ = Mode::GridWord;
            return p + word;
        }
        case Mode::GridWord: {
            const std::size_t blank = FindBlank(rest, true);
            if (!Hold(rest.substr(0, blank), out, "")) {
                mode_ = Mode::LongWord;
                return p;
            }
            if (blank == rest.size()) return piece.size();
            notes += RewriteGridWord(held_, out, messenger);
            held_.clear();
            mode_ = Mode::GridBlank;
            return p + blank;
        }
        case Mode::LongWord: {
            const std::size_t blank = FindBlank(rest, true);
            out += rest.substr(0, blank);
            if (blank < rest.size()) mode_ = Mode::GridBlank;
            return p + blank;
        }
    }
    return piece.size();
}

// The first bytes of a line tell what it is: "{" after any blanks a directive line, "#" first
// a comment line; anything else starts a line of the section the sheet is in.
std::size_t ChordProRewriter::ConsumeHead(std::string_view piece, std::size_t p, std::string& out) {
    const char c = piece[p];
    if (atFileStart_) {
        if (c == kByteOrderMark[held_.size()]) {
            held_ += c;
            if (held_.size() == kByteOrderMark.size()) {
                out += held_;  // the line after the mark is read as if the mark were not there
                held_.clear();
                atFileStart_ = false;
            }
            return p + 1;
        }
        atFileStart_ = false;
        if (!held_.empty()) {  // part of a mark starts a line like any other text
            out += held_;
            held_.clear();
            mode_ = BodyMode();
            return p;
        }
    }
    if (IsBlank(c)) {
        if (Hold(piece.substr(p, 1), out, "")) return p + 1;
        mode_ = BodyMode();  // too far in for a directive
        return p;
    }
    if (c == '{') {
        mode_ = Mode::Directive;  // the blanks held so far belong to the directive line
        return p;
    }
    const bool comment = c == '#' && held_.empty();
    out += held_;
    held_.clear();
    mode_ = comment ? Mode::Pass : BodyMode();
    return p;
}

// Adds text to what is held back. When that would pass kHoldLimit, writes flushPrefix and what
// was held instead, takes nothing of text and gives false.
bool ChordProRewriter::Hold(std::string_view text, std::string& out, std::string_view flushPrefix) {
    if (held_.size() + text.size() <= kHoldLimit) {
        held_ += text;
        return true;
    }
    out += flushPrefix;
    out += held_;
    held_.clear();
    return false;
}

ChordProRewriter::Mode ChordProRewriter::BodyMode() const {
    if (!chords_ || (section_ && section_->kept)) return Mode::Pass;
    return section_ ? Mode::GridBlank : Mode::Lyrics;
}

std::size_t ChordProRewriter::EndLine(std::string& out, Messenger& messenger) {
    std::size_t notes = 0;
    switch (mode_) {
        case Mode::Head:  // blanks only, or the start of a byte-order mark
            out += held_;
            break;
        case Mode::Directive:
            notes = RewriteDirective(held_, out, messenger);
            break;
        case Mode::Bracket:  // a "[" with no "]" on its line starts no chord
            out += '[';
            out += held_;
            break;
        case Mode::GridWord:
            notes = RewriteGridWord(held_, out, messenger);
            break;
        default:
            break;
    }
    held_.clear();
    mode_ = Mode::Head;
    atFileStart_ = false;
    return notes;
}

std::size_t ChordProRewriter::RewriteDirective(std::string_view line, std::string& out,
                                               Messenger& messenger) {
    const std::optional<Directive> directive = ParseDirective(line);
    const bool inKeptSection = section_ && section_->kept;
    if (directive) section_ = SectionAfter(section_, directive->name);
    const std::optional<TextSpan> key =
        directive && !inKeptSection ? KeyOfDirective(line, *directive) : std::nullopt;
    if (!key) {
        out += line;
        return 0;
    }
    const std::string_view value = line.substr(key->begin, key->size);
    if (!firstKey_) firstKey_ = std::string(value);
    // A sheet that names a key no musician could play in is refused, wherever the directive
    // is; while only the first key is looked for, planning refuses it.
    if (chords_ && !ParseKeyName(value)) throw SheetRefused(std::string(kNoKeyInDirective));
    if (!keys_) {
        out += line;
        return 0;
    }
    out += line.substr(0, key->begin);
    const std::size_t notes = keys_->ChordLineScan(value, scratch_, messenger);
    out += scratch_;
    out += line.substr(key->begin + key->size);
    return notes;
}

// "~" joins two chords in one cell ("G~C"); a part is a chord when it starts with its root and
// reads as one, so bar lines, ".", "%" and labels stay.
std::size_t ChordProRewriter::RewriteGridWord(std::string_view word, std::string& out,
                                              Messenger& messenger) {
    std::size_t notes = 0;
    for (std::size_t begin = 0;;) {
        const std::size_t end = std::min(word.find('~', begin), word.size());
        const std::string_view part = word.substr(begin, end - begin);
        const auto chord = ReadChordSymbol(part, notation_);
        if (chord && chord->root.size > 0 && chord->root.begin == 0)
            notes += RewriteNotes(part, *chord, out, messenger);
        else
            out += part;
        if (end == word.size()) return notes;
        out += '~';
        begin = end + 1;
    }
}

// Each note goes through the chord-line scan on its own, so a chord is spelled as on a chord
// line, and the tension of "I13/b9" is never taken for a degree "b".
std::size_t ChordProRewriter::RewriteNotes(std::string_view chord, const ChordSymbolNotes& notes,
                                           std::string& out, Messenger& messenger) {
    std::size_t replaced = 0;
    std::size_t copied = 0;
    for (const TextSpan& note : {notes.root, notes.bass}) {
        if (note.size == 0) continue;
        out += chord.substr(copied, note.begin - copied);
        replaced +=
            chords_->ChordLineScan(chord.substr(note.begin, note.size), scratch_, messenger);
        out += scratch_;
        copied = note.begin + note.size;
    }
    out += chord.substr(copied);
    return replaced;
}

}  // namespace lw
