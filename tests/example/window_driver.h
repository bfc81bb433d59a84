#ifndef CRV_TESTS_EXAMPLE_WINDOW_DRIVER_H
#define CRV_TESTS_EXAMPLE_WINDOW_DRIVER_H

#include <functional>
#include <string>

#include <windows.h>

// What a user does to the windows of another process, through messages.
// Nothing here waits on that process's thread for longer than a few seconds,
// so a test whose program hangs fails instead of hanging too.
namespace crvtest {

bool WaitFor(const std::function<bool()> &condition, int timeoutMs = 20000);

std::string ClassName(HWND window);

// The window's text, asked of its own thread; empty when that thread does not
// answer in time.
std::string Text(HWND window);

bool SetText(HWND window, const std::string &text);

// A click on a button, handled when its thread next takes messages.
void Click(HWND button);

// Whether a check box or radio button is checked; -1 when there is no answer.
int CheckState(HWND button);

// The window's rectangle in its parent's client area (the screen for a
// top-level window).
RECT PlaceInParent(HWND window);

} // namespace crvtest

#endif
