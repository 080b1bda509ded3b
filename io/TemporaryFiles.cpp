#include "io/TemporaryFiles.h"

#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

namespace lw {

namespace {

constexpr int kTerminationSignals[] = {SIGTERM, SIGHUP, SIGINT};

std::vector<std::string>& Registered() {
    static std::vector<std::string> paths;
    return paths;
}

// The list is changed with the termination signals blocked, so the handler never sees it
// half-changed.
template <class Change>
void WithSignalsBlocked(Change change) {
    sigset_t blocked, previous;
    sigemptyset(&blocked);
    for (const int signal : kTerminationSignals) sigaddset(&blocked, signal);
    sigprocmask(SIG_BLOCK, &blocked, &previous);
    change(Registered());
    sigprocmask(SIG_SETMASK, &previous, nullptr);
}

extern "C" void RemoveAndEnd(int signal) {
    for (const std::string& path : Registered()) unlink(path.c_str());
    ::signal(signal, SIG_DFL);
    raise(signal);
}

}  // namespace

void RemoveTemporaryFilesOnTermination() {
    Registered().reserve(16);
    struct sigaction action {};
    action.sa_handler = RemoveAndEnd;
    sigemptyset(&action.sa_mask);
    for (const int signal : kTerminationSignals) sigaddset(&action.sa_mask, signal);
    for (const int signal : kTerminationSignals) {
        // A signal ignored by whoever started us (nohup, a background job) stays ignored.
        struct sigaction before {};
        if (sigaction(signal, nullptr, &before) == 0 && before.sa_handler != SIG_IGN)
            sigaction(signal, &action, nullptr);
    }
}

void RegisterTemporaryFile(const std::string& path) {
    WithSignalsBlocked([&](std::vector<std::string>& paths) { paths.push_back(path); });
}

void ForgetTemporaryFile(const std::string& path) {
    WithSignalsBlocked([&](std::vector<std::string>& paths) { std::erase(paths, path); });
}

}  // namespace lw
