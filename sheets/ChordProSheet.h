#pragma once

#include "sheets/SheetKind.h"

namespace lw {

// A ChordPro sheet: chords in brackets inside the lyrics, directives in braces. Files whose
// names end in .cho, .chopro, .chordpro or .pro are ChordPro sheets; any other file is one when
// it holds a directive line or two chords in brackets. The key comes from the name or the first
// {key} directive; each line keeps its own line end.
class ChordProSheet final : public SheetKind {
public:
    std::string_view Name() const override { return "chordpro"; }
    std::string_view Title() const override { return "ChordPro sheets"; }
    std::vector<std::string> Patterns(const ModGlobals& globals) const override;
    bool ClaimsName(std::string_view path) const override;
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
