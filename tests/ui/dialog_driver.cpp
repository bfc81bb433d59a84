#include "tests/ui/dialog_driver.h"

#include <thread>

#include <gtest/gtest.h>

namespace crvtest {

namespace {

struct Search {
    const char *caption;
    HWND owner;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM argument) {
    auto *search = reinterpret_cast<Search *>(argument);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId() || !IsWindowVisible(window) ||
        GetWindow(window, GW_OWNER) != search->owner)
        return TRUE;
    char caption[256] = "";
    GetWindowTextA(window, caption, sizeof caption);
    if (std::string(caption) != search->caption)
        return TRUE;
    search->found = window;
    return FALSE;
}

BOOL CALLBACK CollectStaticText(HWND child, LPARAM text) {
    char className[16] = "";
    GetClassNameA(child, className, sizeof className);
    if (lstrcmpiA(className, "Static") == 0) {
        char buffer[1024] = "";
        GetWindowTextA(child, buffer, sizeof buffer);
        *reinterpret_cast<std::string *>(text) += buffer;
    }
    return TRUE;
}

} // namespace

OwnerWindow::OwnerWindow(int x, int y) {
    handle_ = CreateWindowExA(0, "STATIC", "crv test owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, x,
                              y, 640, 480, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

OwnerWindow::~OwnerWindow() { DestroyWindow(handle_); }

HWND WaitForWindow(const char *caption, HWND owner, int timeoutMs) {
    Search search{caption, owner, nullptr};
    WaitFor(
        [&] {
            EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        },
        timeoutMs);
    return search.found;
}

bool WaitUntilGone(HWND window, int timeoutMs) {
    return WaitFor([&] { return !IsWindow(window); }, timeoutMs);
}

int RunDriven(const char *caption, HWND owner, const std::function<int()> &show,
              const std::function<void(HWND)> &drive, bool *found) {
    bool appeared = false;
    std::thread driver([&] {
        HWND dialog = WaitForWindow(caption, owner);
        appeared = dialog != nullptr;
        if (!dialog)
            return;
        drive(dialog);
        if (WaitUntilGone(dialog, 3000))
            return;
        ADD_FAILURE() << caption << " left open";
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    int result = show();
    driver.join();
    if (found)
        *found = appeared;
    return result;
}

std::string TextA(HWND dialog, int id) {
    char buffer[512] = "";
    GetDlgItemTextA(dialog, id, buffer, sizeof buffer);
    return buffer;
}

std::wstring TextW(HWND dialog, int id) {
    wchar_t buffer[512] = L"";
    GetDlgItemTextW(dialog, id, buffer, 512);
    return buffer;
}

void Click(HWND dialog, int id) { SendDlgItemMessageA(dialog, id, BM_CLICK, 0, 0); }

void ClickLater(HWND dialog, int id) { PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

// Keys go where the keyboard sends them: to the control with the focus,
// which the dialogue gets once it is active.
void PressKey(HWND dialog, WPARAM key) {
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    WaitFor(
        [&] {
            GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &thread);
            return thread.hwndFocus && IsChild(dialog, thread.hwndFocus);
        },
        3000);
    HWND target = thread.hwndFocus ? thread.hwndFocus : dialog;
    PostMessageA(target, WM_KEYDOWN, key, 1);
    PostMessageA(target, WM_KEYUP, key, 0xC0000001);
}

std::string MessageBoxText(HWND box) {
    std::string text;
    EnumChildWindows(box, CollectStaticText, reinterpret_cast<LPARAM>(&text));
    return text;
}

} // namespace crvtest
