#include "cli/temporaries.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

namespace crvcli {

namespace {

// One slot per temporary file not yet in place: the runner holds at most 256
// of them, or one a worker when there are more workers (1024 at most).
constexpr int kSlots = 1100;

enum State : int { kFree, kFilling, kLive, kRemoving };

struct Slot {
    std::atomic<int> state{kFree};
    int folder = -1;
    char name[NAME_MAX + 1] = {};
};

Slot slots[kSlots];

// Runs in the signal handler: only calls that are safe there.
void RemoveLiveTemporaries() {
    for (Slot &slot : slots) {
        int live = kLive;
        if (slot.state.compare_exchange_strong(live, kRemoving))
            unlinkat(slot.folder, slot.name, 0);
    }
}

void OnInterrupt(int signalNumber) {
    int saved = errno;
    RemoveLiveTemporaries();
    errno = saved;
    // The handler was reset to the default on entry, so this ends the tool
    // with the signal's own status once the handler returns.
    raise(signalNumber);
}

} // namespace

unsigned long CurrentProcessId() { return static_cast<unsigned long>(getpid()); }

bool ProcessIsRunning(unsigned long processId) {
    return kill(static_cast<pid_t>(processId), 0) == 0 || errno == EPERM;
}

void RemoveTemporariesWhenInterrupted() {
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    action.sa_flags = SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    for (int signalNumber : {SIGINT, SIGTERM, SIGHUP}) {
        // A signal ignored from the start stays so, as under nohup.
        struct sigaction before {};
        if (sigaction(signalNumber, nullptr, &before) == 0 && before.sa_handler != SIG_IGN)
            sigaction(signalNumber, &action, nullptr);
    }
}

int RememberTemporary(int folder, const std::string &name) {
    for (int index = 0; index < kSlots; ++index) {
        int free = kFree;
        if (!slots[index].state.compare_exchange_strong(free, kFilling))
            continue;
        slots[index].folder = folder < 0 ? AT_FDCWD : folder;
        std::strncpy(slots[index].name, name.c_str(), NAME_MAX);
        slots[index].state.store(kLive);
        return index;
    }
    return -1;
}

void ForgetTemporary(int slot) {
    if (slot < 0)
        return;
    int live = kLive;
    if (slots[slot].state.compare_exchange_strong(live, kFree))
        return;
    // The handler owns the slot now and the tool is ending: its folder
    // descriptor must stay open until then.
    for (;;)
        pause();
}

} // namespace crvcli
