#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>

#include "core/Messenger.h"

namespace lw {

// The four status fields of the window (lblFilename(0) to (3)).
enum class StatusField { InputFile = 0, OutputFile = 1, InputLine = 2, OutputLine = 3 };

// How far a run or a batch has come: bytes converted of all the bytes it converts, and the
// file it is at.
struct Progress {
    std::uint64_t bytesDone = 0;
    std::uint64_t bytesTotal = 0;
    std::size_t filesDone = 0;
    std::size_t filesTotal = 1;
    std::string_view currentFile;
};

// What a run or a batch needs from its front end (the window, the command line, a test): the
// messages and questions (Messenger), the status fields and the progress with its Cancel.
class RunHost : public Messenger {
public:
    // Writes a status field. The two line fields get every line of a run, so an
    // implementation that draws them should keep this cheap.
    virtual void SetStatusField(StatusField field, std::string_view text) = 0;

    // Told now and then how far the work is; false cancels it.
    virtual bool KeepGoing(const Progress& progress) = 0;
};

// Does work; a failure it throws (a file that cannot be read or written, memory that runs out)
// is shown as its message instead. False when there was one.
bool ShowingFailures(Messenger& messenger, const std::function<void()>& work);

}  // namespace lw
