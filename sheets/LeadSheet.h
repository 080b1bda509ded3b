#pragma once

#include "sheets/SheetKind.h"

namespace lw {

// A lead sheet: every line whose first character is the chord-line marker is a chord line, and
// the key is in the file name ("Another Ewe_Ab.txt"). Every line of its output ends in CR LF.
class LeadSheet final : public SheetKind {
public:
    std::string_view Name() const override { return "lead-sheet"; }
    std::string_view Title() const override { return "Lead sheets"; }
    std::vector<std::string> Patterns(const ModGlobals& globals) const override;
    std::unique_ptr<SheetContent> ReadContent(Notation notation,
                                              const ModGlobals& globals) const override;
    std::optional<SheetKeys> TakeKey(std::string_view path, const SheetContent& content,
                                     KeyNeed need, ModGlobals& globals,
                                     Messenger& messenger) const override;
    std::string OutputExtension(std::string_view inputPath,
                                const ModGlobals& globals) const override;
    std::unique_ptr<SheetRewriter> MakeRewriter(const RewriterParts& parts) const override;
    bool KeepsLineEnds() const override { return false; }
};

}  // namespace lw
