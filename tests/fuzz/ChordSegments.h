#pragma once

// A chord line cut into the pieces a conversion may rewrite (tokens) and the pieces it must
// copy unchanged, by the rules the help gives users, written apart from the program's scan so
// the two can be held against each other.

#include <cstddef>
#include <string_view>
#include <vector>

namespace lw::fuzz {

struct Segment {
    bool isToken;
    std::string_view text;
};

// Note names: a letter A to G with an optional '#' or 'b'.
inline bool StartsNote(char c) { return c >= 'A' && c <= 'G'; }
inline std::size_t NoteLength(std::string_view rest) {
    return rest.size() > 1 && (rest[1] == '#' || rest[1] == 'b') ? 2 : 1;
}

// Degree tokens: 'I', 'V' or 'b', then up to three more 'I' or 'V'.
inline bool StartsDegree(char c) { return c == 'I' || c == 'V' || c == 'b'; }
inline std::size_t DegreeLength(std::string_view rest) {
    std::size_t length = 1;
    while (length < 4 && length < rest.size() && (rest[length] == 'I' || rest[length] == 'V'))
        ++length;
    return length;
}

// A chord starts at the line start and after any byte below '!'. Its root is its first token;
// a token right after a '/' is a slash bass; a '/' followed by anything else is copied with
// that byte, which then neither starts a token nor ends the chord.
template <class Starts, class Length>
std::vector<Segment> SplitChordLine(std::string_view line, Starts starts, Length length) {
    std::vector<Segment> segments;
    std::size_t copyFrom = 0;
    auto token = [&](std::size_t at) {
        if (at > copyFrom) segments.push_back({false, line.substr(copyFrom, at - copyFrom)});
        const std::size_t size = length(line.substr(at));
        segments.push_back({true, line.substr(at, size)});
        copyFrom = at + size;
        return copyFrom;
    };
    bool rootFound = false;
    std::size_t p = 0;
    while (p < line.size()) {
        const char c = line[p];
        if (static_cast<unsigned char>(c) < '!') {
            rootFound = false;
            ++p;
        } else if (c == '/') {
            if (p + 1 < line.size() && starts(line[p + 1]))
                p = token(p + 1);
            else
                p += 2;
        } else if (!rootFound && starts(c)) {
            rootFound = true;
            p = token(p);
        } else {
            ++p;
        }
    }
    if (copyFrom < line.size()) segments.push_back({false, line.substr(copyFrom)});
    return segments;
}

inline std::vector<Segment> SplitNotes(std::string_view line) {
    return SplitChordLine(line, StartsNote, NoteLength);
}
inline std::vector<Segment> SplitDegrees(std::string_view line) {
    return SplitChordLine(line, StartsDegree, DegreeLength);
}

}  // namespace lw::fuzz
