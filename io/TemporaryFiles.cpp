#include "io/TemporaryFiles.h"

#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <unordered_map>
#include <vector>

namespace lw {

namespace {

constexpr int kTerminationSignals[] = {SIGTERM, SIGHUP, SIGINT};

// The handler walks a list that only ever grows at its head, each entry complete before it is
// linked in, and takes an entry's path only while it is live; a path is changed only while its
// entry is not. So the list may change at any moment without the signals being blocked, which
// would cost two system calls for each temporary file.
struct Entry {
    std::string path;
    std::atomic<bool> live{false};
    Entry* next = nullptr;
};
static_assert(std::atomic<bool>::is_always_lock_free && std::atomic<Entry*>::is_always_lock_free);

std::atomic<Entry*> head{nullptr};
std::vector<Entry*>& FreeEntries() {
    static std::vector<Entry*> entries;
    return entries;
}
std::unordered_multimap<std::string, Entry*>& LiveEntries() {
    static std::unordered_multimap<std::string, Entry*> entries;
    return entries;
}

extern "C" void RemoveAndEnd(int signal) {
    for (Entry* entry = head.load(); entry != nullptr; entry = entry->next)
        if (entry->live.load()) unlink(entry->path.c_str());
    ::signal(signal, SIG_DFL);
    raise(signal);
}

}  // namespace

void RemoveTemporaryFilesOnTermination() {
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
    Entry* entry = nullptr;
    if (FreeEntries().empty()) {
        entry = new Entry;  // never freed: the handler may be walking the list at any time
        entry->next = head.load();
        head.store(entry);
    } else {
        entry = FreeEntries().back();
        FreeEntries().pop_back();
    }
    entry->path = path;
    LiveEntries().emplace(path, entry);
    entry->live.store(true);
}

void ForgetTemporaryFile(const std::string& path) {
    const auto found = LiveEntries().find(path);
    if (found == LiveEntries().end()) return;
    found->second->live.store(false);
    FreeEntries().push_back(found->second);
    LiveEntries().erase(found);
}

}  // namespace lw
