#include "cli/temporaries.h"

#include <mutex>
#include <string>
#include <vector>

#include <windows.h>

namespace crvcli {

namespace {

// The handler runs on a thread of its own, so a lock is allowed here.
std::mutex mutex;
std::vector<std::string> live; // empty entries are free

BOOL WINAPI OnConsoleEvent(DWORD) {
    std::lock_guard lock(mutex);
    for (const std::string &path : live)
        if (!path.empty())
            DeleteFileA(path.c_str());
    ExitProcess(130);
}

} // namespace

unsigned long CurrentProcessId() { return GetCurrentProcessId(); }

bool ProcessIsRunning(unsigned long processId) {
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
    if (!process)
        return GetLastError() == ERROR_ACCESS_DENIED;
    bool running = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    CloseHandle(process);
    return running;
}

void RemoveTemporariesWhenInterrupted() { SetConsoleCtrlHandler(OnConsoleEvent, TRUE); }

int RememberTemporary(int, const std::string &name) {
    std::lock_guard lock(mutex);
    for (std::size_t index = 0; index < live.size(); ++index)
        if (live[index].empty()) {
            live[index] = name;
            return static_cast<int>(index);
        }
    live.push_back(name);
    return static_cast<int>(live.size() - 1);
}

void ForgetTemporary(int slot) {
    std::lock_guard lock(mutex);
    if (slot >= 0)
        live[static_cast<std::size_t>(slot)].clear();
}

} // namespace crvcli
