#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/Messenger.h"
#include "core/Tables.h"

namespace lw {

// The four status fields of the window (lblFilename(0) to (3)).
enum class StatusField { InputFile = 0, OutputFile = 1, InputLine = 2, OutputLine = 3 };

// Which selection list the window shows; By Step runs are told apart from By Key by it.
enum class ShownList { Key, Step, None };

// Everything a run needs from the window: the file dialog, the messages (Messenger), the
// status fields and the state of the lists. The window implements it with Qt widgets; tests
// and the command-line benchmark implement it with scripted answers.
class RunHost : public Messenger {
public:
    // Shows the file-open dialog; the chosen path, or nothing when the user cancelled.
    virtual std::optional<std::string> ChooseInputFile() = 0;

    // Writes a status field. The two line fields get every line of a run, so an
    // implementation that draws them should keep this cheap.
    virtual void SetStatusField(StatusField field, std::string_view text) = 0;

    virtual ShownList VisibleList() const = 0;

    // The selected row of the key list, or nothing when no row is selected.
    virtual std::optional<int> SelectedKeyIndex() const = 0;

    // The sharp/flat preference buttons.
    virtual Spelling Preference() const = 0;
};

}  // namespace lw
