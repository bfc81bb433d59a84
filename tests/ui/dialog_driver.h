#ifndef CRV_DIALOG_DRIVER_H
#define CRV_DIALOG_DRIVER_H

#include <functional>
#include <string>

#include <windows.h>

// Drives real dialogues the way a user would, from a second thread while
// the test thread sits in the modal call.
namespace crvtest {

// A visible top-level window that owns the dialogues under test.
class OwnerWindow {
public:
    OwnerWindow(int x = 120, int y = 100);
    ~OwnerWindow();
    OwnerWindow(const OwnerWindow &) = delete;
    OwnerWindow &operator=(const OwnerWindow &) = delete;
    HWND Handle() const { return handle_; }

private:
    HWND handle_;
};

// A visible top-level window of this process with this caption and owner;
// null when none shows up within timeoutMs.
HWND WaitForWindow(const char *caption, HWND owner, int timeoutMs = 10000);

// False when the window still exists after timeoutMs.
bool WaitUntilGone(HWND window, int timeoutMs = 10000);

// Calls show on this thread. Once the window with caption and owner is
// visible, drive runs on a second thread with it; a window that drive leaves
// open is cancelled, so a failing test does not hang. found tells whether the
// window appeared at all; a window left open fails the test. Returns what
// show returned.
int RunDriven(const char *caption, HWND owner, const std::function<int()> &show,
              const std::function<void(HWND)> &drive, bool *found = nullptr);

std::string TextA(HWND dialog, int id);
std::wstring TextW(HWND dialog, int id);

// A click on a button, as the button itself handles it; returns once the
// dialogue has handled it.
void Click(HWND dialog, int id);

// The same click, for a button whose handling does not return at once (it
// shows a message box).
void ClickLater(HWND dialog, int id);

// A key pressed while the dialogue has the keyboard.
void PressKey(HWND dialog, WPARAM key);

// The texts of the static controls of a message box.
std::string MessageBoxText(HWND box);

// Polls condition until it holds or timeoutMs passes.
bool WaitFor(const std::function<bool()> &condition, int timeoutMs = 10000);

} // namespace crvtest

#endif
