#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/ChordLineRewriter.h"
#include "core/Messenger.h"
#include "core/ModGlobals.h"
#include "core/SheetKey.h"
#include "io/LineReader.h"
#include "sheets/SheetRewriter.h"

namespace lw {

// What planning reads of a sheet's content for one kind of sheet, fed the sheet's pieces of
// lines in order, as the reader gives them.
class SheetContent {
public:
    virtual ~SheetContent() = default;

    virtual void Feed(const Piece& piece) = 0;

    // Whether what was read shows a sheet of this kind.
    virtual bool ShowsKind() const = 0;

    // Whether reading on could change nothing this kind says of the sheet.
    virtual bool Done() const = 0;

    // The bytes of which a line must hold one to change anything this content says; nothing
    // while any line may. Asked where a line starts: the lines that hold none may be passed over.
    virtual std::optional<std::string_view> TellingBytes() const = 0;

    // The key that the content names (a key directive, a key line); nothing while it names
    // none. A name that is no key refuses the sheet: the kind's message says why.
    struct Key {
        std::optional<SheetKey> key;  // nothing: written, but no key
        bool named = false;
    };
    virtual Key FirstKey() const { return {}; }
};

// What a run needs of the sheet's key.
enum class KeyNeed {
    Required,    // By Key, Key to Figured Bass: the sheet's key
    Optional,    // By Step: a sheet with no key at all is named by the step
    NotInName,   // Figured Bass to Key: a figured-bass name carries none; the content's may move
};

// The sheet's key as planning reads it.
struct SheetKeys {
    bool keyless;  // no key anywhere: only By Step converts it, and names it by its step
    std::optional<SheetKey> firstInContent;  // what Figured Bass to Key moves the keys by
};

// The parts a run's rewriter is made of.
struct RewriterParts {
    const ChordLineRewriter& chords;       // moves the notes of every chord
    Notation notation;                     // how chords name their notes
    const std::optional<ChordLineRewriter>& keys;  // moves the sheet's keys; none keeps them
    std::string_view chordLineMarker;
};

// One kind of sheet: how a file is told to be one, where its key is, what its output is called,
// how its lines change and how they end.
class SheetKind {
public:
    virtual ~SheetKind() = default;

    // The name --format gives the kind, and what the file dialog and the help call its sheets.
    virtual std::string_view Name() const = 0;
    virtual std::string_view Title() const = 0;

    // The file name patterns of the kind's sheets ("*.cho"), in the file dialog.
    virtual std::vector<std::string> Patterns(const ModGlobals& globals) const = 0;

    // Whether a file is of this kind by its name alone; every other file is told by its content.
    virtual bool ClaimsName(std::string_view /*path*/) const { return false; }

    // A fresh reader of the content, for the chords of notation.
    virtual std::unique_ptr<SheetContent> ReadContent(Notation notation,
                                                      const ModGlobals& globals) const = 0;

    // Reads the key of a sheet to be converted from its name and content into globals
    // (InputKeyCode, InputKeyIsMinor, InputKeyLength), as need says. Nothing, after its message,
    // when the sheet cannot be converted.
    virtual std::optional<SheetKeys> TakeKey(std::string_view path, const SheetContent& content,
                                             KeyNeed need, ModGlobals& globals,
                                             Messenger& messenger) const = 0;

    // The extension of the output: the input's own, or the lead sheets' of the settings.
    virtual std::string OutputExtension(std::string_view inputPath,
                                        const ModGlobals& globals) const = 0;

    virtual std::unique_ptr<SheetRewriter> MakeRewriter(const RewriterParts& parts) const = 0;

    // Whether each line keeps its own line end; otherwise every line ends in CR LF.
    virtual bool KeepsLineEnds() const = 0;
};

}  // namespace lw
