#pragma once

#include <cstdint>
#include <string_view>

#include "core/Messenger.h"

namespace lw {

// The four status fields of the window (lblFilename(0) to (3)).
enum class StatusField { InputFile = 0, OutputFile = 1, InputLine = 2, OutputLine = 3 };

// What a run tells the window while it works: the messages (Messenger), the status fields and
// its progress.
class RunHost : public Messenger {
public:
    // Writes a status field. The two line fields get every line of a run, so an
    // implementation that draws them should keep this cheap.
    virtual void SetStatusField(StatusField field, std::string_view text) = 0;

    // Told now and then how many bytes of the input have been read; false cancels the run,
    // which then writes nothing.
    virtual bool KeepGoing(std::uint64_t bytesRead, std::uint64_t inputSize) = 0;
};

}  // namespace lw
