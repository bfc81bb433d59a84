// The platform seam on Win32.
#include <new>

#include <windows.h>

#include "sdk/instance.h"

namespace crv::platform {

struct WorkerThread {
    HANDLE handle;
};

namespace {

HANDLE AsHandle(Event *event) { return reinterpret_cast<HANDLE>(event); }

// What a starting worker needs; it lives on the creator's stack until the
// worker has said that it runs.
struct Start {
    CompressorInstance *record;
    HANDLE running;
};

DWORD WINAPI WorkerEntry(LPVOID argument) {
    auto *start = static_cast<Start *>(argument);
    CompressorInstance *record = start->record;
    SetEvent(start->running);
    RunWorker(record);
    return 0;
}

} // namespace

Event *NewManualResetEvent() {
    return reinterpret_cast<Event *>(CreateEventA(nullptr, TRUE, FALSE, nullptr));
}

void SignalEvent(Event *event) { SetEvent(AsHandle(event)); }

void ClearEvent(Event *event) { ResetEvent(AsHandle(event)); }

namespace {

// A thread asleep on an event takes tens of microseconds to wake when its
// processor has gone idle, as long as a whole small job lasts. A worker
// between jobs and a host waiting for one therefore look at the event for a
// short while first, leaving the processor to any other thread meanwhile.
constexpr LONGLONG kSpinMicroseconds = 100;

bool SetWithin(HANDLE event, LONGLONG microseconds) {
    LARGE_INTEGER frequency, now, deadline;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    deadline.QuadPart = now.QuadPart + frequency.QuadPart * microseconds / 1000000;
    do {
        if (WaitForSingleObject(event, 0) == WAIT_OBJECT_0)
            return true;
        SwitchToThread();
        QueryPerformanceCounter(&now);
    } while (now.QuadPart < deadline.QuadPart);
    return false;
}

} // namespace

void WaitForEvent(Event *event) {
    if (!SetWithin(AsHandle(event), kSpinMicroseconds))
        WaitForSingleObject(AsHandle(event), INFINITE);
}

void CloseEvent(Event *event) {
    if (event)
        CloseHandle(AsHandle(event));
}

WorkerThread *StartWorkerThread(CompressorInstance *record) {
    auto *thread = new (std::nothrow) WorkerThread{};
    if (!thread)
        return nullptr;
    // The worker is waited for until it runs its own code: a thread killed
    // while the loader still attaches it would hold the loader lock forever.
    Start start{record, CreateEventA(nullptr, TRUE, FALSE, nullptr)};
    if (start.running)
        thread->handle = CreateThread(nullptr, 0, WorkerEntry, &start, 0, nullptr);
    if (thread->handle)
        WaitForSingleObject(start.running, INFINITE);
    if (start.running)
        CloseHandle(start.running);
    if (!thread->handle) {
        delete thread;
        return nullptr;
    }
    return thread;
}

// The worker normally waits for a job; it is not asked to finish. The record
// is given back only once the thread is gone.
void EndWorkerThread(CompressorInstance *record) {
    HANDLE handle = record->workerThread->handle;
    TerminateThread(handle, 0);
    WaitForSingleObject(handle, INFINITE);
    ReleaseInstance(record);
}

void CloseWorkerThread(WorkerThread *thread) {
    CloseHandle(thread->handle);
    delete thread;
}

bool SetWorkerPriority(WorkerThread *thread, std::int32_t level) {
    return SetThreadPriority(thread->handle, level) != 0;
}

void SoundCompletionBeep() { MessageBeep(1); }

bool PostCompletion(const CRVNotifyTarget &target, char *end) {
    return PostMessageA(static_cast<HWND>(target.window), target.message, 0,
                        reinterpret_cast<LPARAM>(end)) != 0;
}

void ShowCompletionError(const char *caption, const char *text) {
    MessageBoxA(nullptr, text, caption, MB_OK | MB_ICONERROR);
}

} // namespace crv::platform
