#pragma once

#include "sheets/SheetKind.h"

namespace lw {

// Chords over lyrics, as musicians copy sheets from the web: lines of chords written over the
// lyric lines they belong to, with no marker, told by their content. The key comes from the
// name or the first key line ("Key: G"); the output is named and ended as a lead sheet's, and
// each line keeps its own line end.
class ChordsOverLyricsSheet final : public SheetKind {
public:
    std::string_view Name() const override { return "chords-over-lyrics"; }
    std::string_view Title() const override { return "Chords over lyrics"; }
    std::vector<std::string> Patterns(const ModGlobals& globals) const override;
    std::unique_ptr<SheetContent> ReadContent(Notation notation,
                                              const ModGlobals& globals) const override;
    std::optional<SheetKeys> TakeKey(std::string_view path, const SheetContent& content,
                                     KeyNeed need, ModGlobals& globals,
                                     Messenger& messenger) const override;
    std::string OutputExtension(std::string_view inputPath,
                                const ModGlobals& globals) const override;
    std::unique_ptr<SheetRewriter> MakeRewriter(const RewriterParts& parts) const override;
    bool KeepsLineEnds() const override { return true; }
};

}  // namespace lw
