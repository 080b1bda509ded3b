#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/Messenger.h"
#include "core/Tables.h"

namespace lw {

// How the chords of a sheet name their roots and slash basses.
enum class Notation {
    Letters,  // a letter A to G, with a "#" or "b" right after it if any
    Degrees,  // an "I", "V" or "b", then up to three more "I" or "V"
};

// The bytes at which the scan of one notation has something to decide, [0, 256) each.
struct ChordScanBytes {
    std::array<bool, 256> stopsOutside{};   // a note or a "/" outside a chord
    std::array<bool, 256> stopsInChord{};   // a separator or a "/" inside one
    std::array<bool, 256> lengthensNote{};  // an accidental, or a letter of a degree token
};

// Rewrites the chord lines of one run. Every note (or degree token) that starts a chord or
// follows a "/" stands for a code: a note its NoteCode, a token its DegreeCode. The code is
// moved by step, wrapped into [0, 12), and replaced by names[code]; every other byte stays.
// A line may come in pieces of any size: the bytes out are the same wherever it is cut.
class ChordLineRewriter {
public:
    // Where the scan of a line stands between two of its pieces. A fresh one starts a line, and
    // the last piece of a line leaves it fresh.
    class ScanState {
    private:
        friend class ChordLineRewriter;
        std::array<char, 4> note_{};  // a note that the next byte may lengthen
        std::size_t noteLength_ = 0;
        bool inChord_ = false;
        bool afterSlash_ = false;  // the next byte is a slash bass or is copied with the "/"
    };

    // Degree tokens are looked up as they come, through the messenger of Feed.
    ChordLineRewriter(Notation notation, int step, const std::array<std::string_view, 12>& names);

    // Rewrites the next piece of a chord line into out and returns how many notes it replaced.
    // A note at the end of a piece that is not the line's last waits for the next piece. A token
    // that is no degree shows its message through messenger and stands for the tonic.
    std::size_t Feed(ScanState& state, std::string_view piece, bool lastPiece, std::string& out,
                     Messenger& messenger) const;

    // Rewrites a whole chord line into out and returns how many notes it replaced.
    std::size_t ChordLineScan(std::string_view line, std::string& out, Messenger& messenger) const;

    // Appends to out the name that one note takes, as the scan writes it. note is one the scan
    // takes whole ("F#", "bVII"), so its spelling and messages are those of a chord line.
    void AppendMovedNote(std::string_view note, std::string& out, Messenger& messenger) const {
        // Inline, as it runs for every chord: a letter note's name is looked up.
        if (notation_ == Notation::Letters)
            out += names_[movedCodes_[LetterSlot(note[0], note.size() > 1 ? note[1] : '\0')]];
        else
            AppendMovedDegree(note, out, messenger);
    }

private:
    // Slot of a letter note in movedCodes_: its letter, then plain, sharp or flat.
    static std::size_t LetterSlot(char letter, char accidental) {
        const std::size_t sign = accidental == '#' ? 1 : accidental == 'b' ? 2 : 0;
        return static_cast<std::size_t>(letter - 'A') * 3 + sign;
    }
    void AppendMovedDegree(std::string_view note, std::string& out, Messenger& messenger) const;
    bool StartsNote(char c) const;

    Notation notation_;
    int step_;
    std::array<std::string_view, 12> names_;
    // The code each letter note moves to: seven letters, each plain, sharp or flat. Codes, not
    // names, as a batch holds a rewriter for every file.
    std::array<std::uint8_t, 21> movedCodes_{};
    std::size_t longestNote_;
    ChordScanBytes bytes_;  // the notation's
};

// The twelve note names spelled one way: "A", "A#" or "Bb", "B", ...
std::array<std::string_view, 12> SpelledNoteNames(Spelling spelling, Messenger& messenger);

}  // namespace lw
