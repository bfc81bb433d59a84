// Polling for what another thread or process does to windows, shared by the
// dialogue and example drivers; each driver's header declares it with the
// timeout its windows need.
#include <functional>

#include <windows.h>

namespace crvtest {

bool WaitFor(const std::function<bool()> &condition, int timeoutMs) {
    for (int waited = 0;; waited += 20) {
        if (condition())
            return true;
        if (waited >= timeoutMs)
            return false;
        Sleep(20);
    }
}

} // namespace crvtest
