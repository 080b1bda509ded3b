#pragma once

#include <optional>
#include <string>
#include <vector>

#include "convert/RunHost.h"

namespace lw::test {

// A window stand-in for the runs: answers from a script and records everything it is told.
class ScriptedRunHost : public RunHost {
public:
    // Script
    std::optional<std::string> chosenPath;  // nothing: the dialog is cancelled
    bool answerOk = true;
    ShownList shownList = ShownList::Key;
    std::optional<int> selectedKey;
    Spelling preference = Spelling::Flat;

    // Record: every message and question in order, questions marked "?: ".
    std::vector<std::string> shown;
    int dialogsShown = 0;
    std::string fields[4];
    long lineFieldWrites = 0;

    std::optional<std::string> ChooseInputFile() override {
        ++dialogsShown;
        return chosenPath;
    }
    void ShowMessage(std::string_view text) override { shown.emplace_back(text); }
    bool AskOkCancel(std::string_view text) override {
        shown.push_back("?: " + std::string(text));
        return answerOk;
    }
    void SetStatusField(StatusField field, std::string_view text) override {
        fields[static_cast<int>(field)] = text;
        if (field == StatusField::InputLine || field == StatusField::OutputLine) ++lineFieldWrites;
    }
    ShownList VisibleList() const override { return shownList; }
    std::optional<int> SelectedKeyIndex() const override { return selectedKey; }
    Spelling Preference() const override { return preference; }
};

inline const std::string kQuestion = "?: Any you ready to write the file?";

}  // namespace lw::test
