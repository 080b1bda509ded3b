#include "convert/RunHost.h"

#include <exception>
#include <new>

namespace lw {

bool ShowingFailures(Messenger& messenger, const std::function<void()>& work) {
    try {
        work();
        return true;
    } catch (const std::bad_alloc&) {
        messenger.ShowMessage("Out of memory");
    } catch (const std::exception& failure) {
        messenger.ShowMessage(failure.what());
    }
    return false;
}

}  // namespace lw
