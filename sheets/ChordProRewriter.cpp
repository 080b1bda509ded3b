#include "sheets/ChordProRewriter.h"

#include <algorithm>

#include "core/SheetKey.h"
#include "io/LineReader.h"

namespace lw {

ChordProRewriter::ChordProRewriter(std::optional<ChordLineRewriter> chords, Notation notation,
                                   std::optional<ChordLineRewriter> keys)
    : keys_(std::move(keys)) {
    if (chords) chords_.emplace(std::move(*chords), notation);
}

// The first bytes of a line tell what it is: "{" after any blanks a directive line, "#" first
// a comment line; anything else starts a line of the section the sheet is in. The blanks are
// copied as they come, never held, so any number of them may stand before a directive.
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
        const std::size_t end = SkipBlanks(piece, p);
        out.append(piece, p, end - p);
        mode_ = Mode::Blanks;
        return end;
    }
    if (c == '{') {
        mode_ = Mode::Directive;
        return p;
    }
    mode_ = c == '#' && mode_ == Mode::Head ? Mode::Pass : BodyMode();
    return p;
}

// Inline, as it ends every line.
inline std::size_t ChordProRewriter::EndLine(std::string& out, Messenger& messenger) {
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
            notes = RewriteHeld(&ChordProRewriter::MoveGridWordNotes, out, messenger);
            break;
        default:
            break;
    }
    held_.clear();
    mode_ = Mode::Head;
    atFileStart_ = false;
    return notes;
}

// Each turn takes the bytes from p on that the mode decides and leaves p where the next mode
// starts. A directive line, bracket or grid word that lies whole within the piece is rewritten
// where it is; only one that the end of the piece cuts is held until the rest comes.
std::size_t ChordProRewriter::Rewrite(std::string_view piece, bool endsLine, std::string& out,
                                      Messenger& messenger) {
    std::size_t notes = 0;
    for (std::size_t p = 0; p < piece.size();) {
        const std::string_view rest = piece.substr(p);
        switch (mode_) {
            case Mode::Head:
            case Mode::Blanks:
                p = ConsumeHead(piece, p, out);
                break;
            case Mode::Directive:
                if (endsLine && held_.empty()) {
                    notes += RewriteDirective(rest, out, messenger);
                    mode_ = Mode::Pass;  // the line is done
                    p = piece.size();
                } else if (Hold(rest, out, "")) {
                    p = piece.size();
                } else {
                    mode_ = Mode::Pass;  // too long for a directive
                }
                break;
            case Mode::Pass:
                out += rest;
                p = piece.size();
                break;
            case Mode::Lyrics: {
                std::size_t copied = p;  // the bytes before it are in out
                std::size_t open = 0;
                while ((open = piece.find('[', p)) != std::string_view::npos) {
                    const std::size_t close = piece.find(']', open + 1);
                    if (close == std::string_view::npos) break;  // the next piece may close it
                    notes += MoveBracketNotes(piece, open + 1, close, copied, out, messenger);
                    p = close + 1;
                }
                if (open == std::string_view::npos) {
                    out.append(piece, copied);
                    p = piece.size();
                } else {
                    out.append(piece, copied, open - copied);
                    mode_ = Mode::Bracket;
                    p = open + 1;
                }
                break;
            }
            case Mode::Bracket: {
                const std::size_t close = std::min(rest.find(']'), rest.size());
                if (!Hold(rest.substr(0, close), out, "[")) {
                    mode_ = Mode::LongBracket;
                } else if (close == rest.size()) {
                    p = piece.size();
                } else {
                    out += '[';
                    notes += RewriteHeld(&ChordProRewriter::MoveBracketNotes, out, messenger);
                    out += ']';
                    mode_ = Mode::Lyrics;
                    p += close + 1;
                }
                break;
            }
            case Mode::LongBracket: {
                const std::size_t close = std::min(rest.find(']'), rest.size());
                out += rest.substr(0, close);
                if (close == rest.size()) {
                    p = piece.size();
                } else {
                    out += ']';
                    mode_ = Mode::Lyrics;
                    p += close + 1;
                }
                break;
            }
            case Mode::GridBlank: {
                std::size_t copied = p;  // the bytes before it are in out
                std::size_t word = 0;
                while ((word = SkipBlanks(piece, p)) < piece.size()) {
                    const std::size_t blank = FindBlank(piece, word);
                    if (blank == piece.size() && !endsLine) break;  // the next piece may go on
                    notes += MoveGridWordNotes(piece, word, blank, copied, out, messenger);
                    p = blank;
                }
                out.append(piece, copied, word - copied);
                if (word < piece.size()) mode_ = Mode::GridWord;
                p = word;
                break;
            }
            case Mode::GridWord: {
                const std::size_t blank = FindBlank(rest, 0);
                if (!Hold(rest.substr(0, blank), out, "")) {
                    mode_ = Mode::LongWord;
                } else if (blank == rest.size()) {
                    p = piece.size();
                } else {
                    notes += RewriteHeld(&ChordProRewriter::MoveGridWordNotes, out, messenger);
                    mode_ = Mode::GridBlank;
                    p += blank;
                }
                break;
            }
            case Mode::LongWord: {
                const std::size_t blank = FindBlank(rest, 0);
                out += rest.substr(0, blank);
                if (blank < rest.size()) mode_ = Mode::GridBlank;
                p += blank;
                break;
            }
        }
    }
    if (endsLine) notes += EndLine(out, messenger);
    return notes;
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

std::size_t ChordProRewriter::RewriteDirective(std::string_view line, std::string& out,
                                               Messenger& messenger) {
    if (line.size() > kHoldLimit) {  // too long for a directive
        out += line;
        return 0;
    }
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

// Rewrites the held text, which has ended, with move (a bracket's inside or a grid word) into
// out, and lets it go.
std::size_t ChordProRewriter::RewriteHeld(MoveNotesOf move, std::string& out,
                                          Messenger& messenger) {
    std::size_t copied = 0;
    const std::size_t notes = (this->*move)(held_, 0, held_.size(), copied, out, messenger);
    out.append(held_, copied);
    held_.clear();
    return notes;
}

std::size_t ChordProRewriter::MoveBracketNotes(std::string_view text, std::size_t begin,
                                               std::size_t end, std::size_t& copied,
                                               std::string& out, Messenger& messenger) {
    if (end - begin > kHoldLimit) return 0;  // too long for a chord
    const MovedChords::Chord& chord = chords_->Of(text.substr(begin, end - begin), messenger);
    if (chord.notes > 0) Replace(text, begin, end, chord.moved, copied, out);
    return chord.notes;
}

// "~" joins two chords in one cell ("G~C"); each part that reads as a chord, a bass alone
// ("/E") or one in parentheses ("(G)") too, is moved, so bar lines, ".", "%" and labels stay.
// A part that is none may still hold chords in brackets ("[G]", "|[G]"): a chord holds no
// blank, so its brackets lie within one word.
std::size_t ChordProRewriter::MoveGridWordNotes(std::string_view text, std::size_t begin,
                                                std::size_t end, std::size_t& copied,
                                                std::string& out, Messenger& messenger) {
    if (end - begin > kHoldLimit) return 0;  // too long for a chord
    std::size_t notes = 0;
    for (std::size_t part = begin;;) {
        // Grid words are short, so a plain loop finds each "~" sooner than a library search.
        const auto partEnd = static_cast<std::size_t>(
            std::find(text.begin() + part, text.begin() + end, '~') - text.begin());
        const MovedChords::Chord& chord = chords_->Of(text.substr(part, partEnd - part), messenger);
        if (chord.notes > 0) {
            Replace(text, part, partEnd, chord.moved, copied, out);
            notes += chord.notes;
        } else {
            notes += MoveNotesInBrackets(text, part, partEnd, copied, out, messenger);
        }
        if (partEnd == end) return notes;
        part = partEnd + 1;
    }
}

std::size_t ChordProRewriter::MoveNotesInBrackets(std::string_view text, std::size_t begin,
                                                  std::size_t end, std::size_t& copied,
                                                  std::string& out, Messenger& messenger) {
    std::size_t notes = 0;
    const std::string_view within = text.substr(0, end);
    for (std::size_t open = within.find('[', begin); open != std::string_view::npos;) {
        const std::size_t close = within.find(']', open + 1);
        if (close == std::string_view::npos) break;  // the rest is kept
        notes += MoveBracketNotes(text, open + 1, close, copied, out, messenger);
        open = within.find('[', close + 1);
    }
    return notes;
}

// Appends to out the bytes of text from copied up to begin, then moved for the bytes up to end.
void ChordProRewriter::Replace(std::string_view text, std::size_t begin, std::size_t end,
                               std::string_view moved, std::size_t& copied, std::string& out) {
    out.append(text, copied, begin - copied);
    out += moved;
    copied = end;
}

}  // namespace lw
