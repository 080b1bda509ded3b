// The kinds of sheet: which kind a file is by its name and content, the key its name carries
// and what its output is called.

#include <gtest/gtest.h>

#include "TempFolder.h"
#include "sheets/OutputPath.h"
#include "sheets/SheetKinds.h"

namespace lw {
namespace {

using namespace test;

constexpr std::optional<SheetKey> G{{10, false}}, Em{{10, true}}, None;

// kind: as --format names it; key: the one its content names.
// clang-format off
struct KindCase { const char* name; std::string file, sheet, kind; Notation notation = Notation::Letters; std::optional<SheetKey> key = None; };
const KindCase kKinds[] = {
    {"a ChordPro extension, whatever the content", "a.CHORDPRO", "^G", "chordpro"},
    {"each ChordPro extension", "a.chopro", "", "chordpro"}, {"pro", "a.pro", "", "chordpro"}, {"cho", "/s/Song.cho", "", "chordpro"},
    {"a key directive after lyrics, by the name", "a.cho", "la\n{key: G}", "chordpro", Notation::Letters, G},
    {"a folder's extension does not count", "x.cho/Song", "", "lead-sheet"},
    {"a marker line anywhere makes a lead sheet", "a.crd", "{title: A}\n[G]a [C]b\nG  C\n^G", "lead-sheet"},
    {"a marker line after a byte-order mark is none", "a.txt", "\xEF\xBB\xBF^G", "lead-sheet"},
    {"a directive line", "a.txt", "  {title: A}", "chordpro"},
    {"a directive line after a byte-order mark", "a.txt", "\xEF\xBB\xBF{title: A}", "chordpro"},
    {"a brace with no closing one is prose", "a.txt", "{3. For a little spice...", "lead-sheet"},
    {"two chords in brackets on two lines", "a.crd", "[G]a\r\nb[D/F#]", "chordpro"},
    {"one chord in brackets is not enough", "a.txt", "[G]a [Verse 1] [x2]", "lead-sheet"},
    {"degrees in brackets only in figured bass", "a_.txt", "[I]a [V7]b", "chordpro", Notation::Degrees},
    {"notes in brackets are no degrees", "a_.txt", "[G]a [D]b", "lead-sheet", Notation::Degrees},
    {"a line of chords after a key line", "a.crd", "Key: G\r\nIntro: G  C\r\nla la", "chords-over-lyrics", Notation::Letters, G},
    {"one bracket chord among chord lines", "a.txt", "G  C\nSolo   escala   [G]", "chords-over-lyrics"},
    {"a key line alone is not enough", "a.txt", "Key: Am\n<Dm>", "lead-sheet"},
    {"an almost chord line plays no part", "a.txt", "G D Em Riff", "lead-sheet"},
    {"no marker, no directive, no chord", "a.txt", "Amazing grace\n", "lead-sheet"},
    {"a key line after a chord line", "a.txt", "G  C\nla\nKey: Em", "chords-over-lyrics", Notation::Letters, Em},
    {"a marker line after a chord line and a key line", "a.txt", "Key: G\nG  C\nla\n^G", "lead-sheet"},
    {"a directive line after a chord line and a key line", "a.txt", "Key: G\nG  C\nla\n {title: A}", "chordpro"},
    {"two bracket chords after a chord line and a key line", "a.txt", "Key: G\nG  C\nla\n[G]a\nb[C]", "chordpro"},
    {"a key directive after a directive line", "a.txt", "{title: A}\nla\n{key: G}", "chordpro", Notation::Letters, G},
};
// clang-format on

TEST(SheetKinds, AFileIsReadAsTheKindItsNameOrContentShows) {
    for (const KindCase& c : kKinds) {
        SCOPED_TRACE(c.name);
        const TempFolder folder;
        std::filesystem::create_directories(folder.Path(c.file).substr(0, folder.Path(c.file).rfind('/')));
        LineReader reader(folder.Write(c.file, c.sheet), SystemFileSystem());
        const SheetReading reading = ReadSheet(c.file, reader, nullptr, c.notation, ModGlobals{});
        EXPECT_EQ(reading.kind->Name(), c.kind);
        EXPECT_EQ(reading.content->FirstKey().key, c.key);
    }
}

// key: the key the whole text between "_" and the dot names.
// clang-format off
struct NameCase { const char* path; std::optional<SheetKey> key; std::size_t length; };
const NameCase kKeysInNames[] = {
    {"Amazing Grace_G.cho", G, 1}, {"/s/Song_F#m.crd", SheetKey{0, true}, 3}, {"Song_Em.txt", Em, 2},
    {"Song_Gb.cho", SheetKey{9, false}, 2}, {"Song_Bbm.cho", SheetKey{4, true}, 3},
    {"My_Song.cho", None, 0}, {"SongG.cho", None, 0}, {"Song_.cho", None, 0}, {"Song_H.cho", None, 0},
    {"Song_B#m.cho", None, 0}, {"Song_Cb.cho", None, 0}, {"Song_g.cho", None, 0}, {"Song_ G.cho", None, 0},
    {"Song_Gm7.cho", None, 0}, {"/a_G/Song.cho", None, 0}, {"Song_G", None, 0}, {"Song_G.x.cho", None, 0},
};

struct OutputCase { const char* path; std::size_t keyLength; std::string key, extension, output; };
const OutputCase kOutputs[] = {
    {"/s/Song_G.cho", 1, "D", "cho", "/s/Song_D.cho"}, {"Song_C.text", 1, "D", "txt", "Song_D.txt"},
    {"Amazing Grace.cho", 0, "D", "cho", "Amazing Grace_D.cho"}, {"Amazing Grace.cho", 0, "", "cho", "Amazing Grace_.cho"},
    {"Song_.cho", 0, "D", "cho", "Song_D.cho"}, {"Song_Em.CHO", 2, "", "CHO", "Song_.CHO"},
    {"/a.b/Song.pro", 0, "D", "pro", "/a.b/Song_D.pro"}, {"Song_G.crd", 1, "D", "txt", "Song_D.txt"},
    {"Amazing Grace.cho", 0, SignedStepName(2), "cho", "Amazing Grace_+2.cho"},
    {"Amazing Grace.cho", 0, SignedStepName(-3), "cho", "Amazing Grace_-3.cho"},
};
// clang-format on

TEST(SheetNames, KeysInNames) {
    for (const NameCase& n : kKeysInNames) {
        SCOPED_TRACE(n.path);
        const std::optional<KeyInName> found = KeyOfName(n.path);
        EXPECT_EQ(found ? std::optional(found->key) : None, n.key);
        EXPECT_EQ(found ? found->length : 0, n.length);
    }
}

TEST(SheetNames, OutputNames) {
    for (const OutputCase& o : kOutputs)
        EXPECT_EQ(OutputPathOf(o.path, o.keyLength, o.key, o.extension), o.output) << o.path;
}

}  // namespace
}  // namespace lw
