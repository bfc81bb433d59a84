// The platform seam on POSIX threads.
#include <atomic>
#include <cerrno>
#include <chrono>
#include <climits>
#include <condition_variable>
#include <csignal>
#include <cstring>
#include <mutex>
#include <new>
#include <string>

#include <pthread.h>
#include <sched.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include "sdk/instance.h"

namespace crv::platform {

struct Event {
    std::mutex mutex;
    std::condition_variable signalled;
    bool isSet = false;
    // isSet as a waiter may read it without the lock, while it spins.
    std::atomic<bool> raised{false};
};

struct WorkerThread {
    pthread_t thread{};
    CompressorInstance *record = nullptr;
    // The kernel's id of the worker, for its nice value; known once started.
    pid_t tid = 0;
    Event *started = nullptr;
};

Event *NewManualResetEvent() { return new (std::nothrow) Event; }

void SignalEvent(Event *event) {
    std::lock_guard lock(event->mutex);
    event->isSet = true;
    event->raised.store(true, std::memory_order_release);
    event->signalled.notify_all();
}

void ClearEvent(Event *event) {
    std::lock_guard lock(event->mutex);
    event->isSet = false;
    event->raised.store(false, std::memory_order_relaxed);
}

namespace {

// A thread asleep on a condition variable takes tens of microseconds to wake
// when its processor has gone idle, as long as a whole small job lasts. A
// worker between jobs and a host waiting for one therefore watch the event
// for a short while first; yielding meanwhile leaves the processor to any
// other thread that wants it.
constexpr auto kSpinBeforeSleep = std::chrono::microseconds(100);

bool RaisedWithin(const Event *event, std::chrono::microseconds spin) {
    const auto deadline = std::chrono::steady_clock::now() + spin;
    do {
        for (int i = 0; i < 16; ++i)
            if (event->raised.load(std::memory_order_acquire))
                return true;
        sched_yield();
    } while (std::chrono::steady_clock::now() < deadline);
    return false;
}

} // namespace

// Even a waiter that saw the event raised takes the lock once: the signaller
// may still hold it, and the event may be freed as soon as this returns.
void WaitForEvent(Event *event) {
    bool raised = RaisedWithin(event, kSpinBeforeSleep);
    std::unique_lock lock(event->mutex);
    if (raised)
        return;
    event->signalled.wait(lock, [event] { return event->isSet; });
}

void CloseEvent(Event *event) { delete event; }

namespace {

void *WorkerEntry(void *argument) {
    auto *thread = static_cast<WorkerThread *>(argument);
    CompressorInstance *record = thread->record;
    thread->tid = static_cast<pid_t>(syscall(SYS_gettid));
    SignalEvent(thread->started);
    RunWorker(record);
    ReleaseInstance(record);
    return nullptr;
}

// Signals belong to the host's threads; a write to a closed pipe then fails
// with EPIPE instead of ending the process.
bool SpawnWithSignalsBlocked(WorkerThread *thread) {
    sigset_t all, previous;
    sigfillset(&all);
    pthread_sigmask(SIG_SETMASK, &all, &previous);
    bool started = pthread_create(&thread->thread, nullptr, WorkerEntry, thread) == 0;
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    if (started)
        pthread_detach(thread->thread);
    return started;
}

} // namespace

WorkerThread *StartWorkerThread(CompressorInstance *record) {
    auto *thread = new (std::nothrow) WorkerThread;
    if (!thread)
        return nullptr;
    thread->record = record;
    thread->started = NewManualResetEvent();
    if (!thread->started || !SpawnWithSignalsBlocked(thread)) {
        CloseEvent(thread->started);
        delete thread;
        return nullptr;
    }
    WaitForEvent(thread->started);
    return thread;
}

// The worker is waiting for a job (a busy instance is never destroyed); it
// wakes, sees the request and releases the record itself.
void EndWorkerThread(CompressorInstance *record) {
    record->stopRequested.store(true);
    SignalEvent(record->startEvent);
}

void CloseWorkerThread(WorkerThread *thread) {
    CloseEvent(thread->started);
    delete thread;
}

namespace {

bool NiceForLevel(std::int32_t level, int &nice) {
    static constexpr struct {
        std::int32_t level;
        int nice;
    } kLevels[] = {{-15, 19}, {-2, 10}, {-1, 5}, {0, 0}, {1, -5}, {2, -10}, {15, -20}};
    for (const auto &entry : kLevels)
        if (entry.level == level) {
            nice = entry.nice;
            return true;
        }
    return false;
}

} // namespace

bool SetWorkerPriority(WorkerThread *thread, std::int32_t level) {
    int nice = 0;
    return NiceForLevel(level, nice) && setpriority(PRIO_PROCESS, thread->tid, nice) == 0;
}

void SoundCompletionBeep() {}

bool PostCompletion(const CRVNotifyTarget &target, char *end) {
    // Cut to an int, such a value would name some other descriptor.
    if (target.window < 0 || target.window > INT_MAX)
        return false;
    const std::uintptr_t message[3] = {target.message, 0,
                                       reinterpret_cast<std::uintptr_t>(end)};
    ssize_t written;
    do
        written = write(static_cast<int>(target.window), message, sizeof message);
    while (written < 0 && errno == EINTR);
    return written == static_cast<ssize_t>(sizeof message);
}

void ShowCompletionError(const char *caption, const char *text) {
    std::string line = std::string(caption) + ": " + text + "\n";
    for (char &c : line)
        if (c == '\r')
            c = ' ';
    [[maybe_unused]] ssize_t ignored = write(STDERR_FILENO, line.data(), line.size());
}

} // namespace crv::platform
