// Completion messages and the worker's error box on Windows: a real window
// with a message loop, and the box found by its caption and closed.
#include <windows.h>

#include "tests/sdk/sdk_test_support.h"

namespace crvtest {

namespace {

const char kBoxCaption[] = "HTML Corvane: Compression done";

HWND AsWindow(std::intptr_t handle) { return reinterpret_cast<HWND>(handle); }

BOOL CALLBACK CollectStaticText(HWND child, LPARAM text) {
    char className[16] = "";
    GetClassNameA(child, className, sizeof className);
    if (lstrcmpiA(className, "Static") == 0) {
        char buffer[512] = "";
        GetWindowTextA(child, buffer, sizeof buffer);
        *reinterpret_cast<std::string *>(text) += buffer;
    }
    return TRUE;
}

} // namespace

CompletionReceiver::CompletionReceiver() {
    HWND window = CreateWindowExA(0, "STATIC", "crv completion", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
    handle_[0] = reinterpret_cast<std::intptr_t>(window);
}

CompletionReceiver::~CompletionReceiver() { DestroyWindow(AsWindow(handle_[0])); }

CRVNotifyTarget CompletionReceiver::Target(std::uint32_t message) const {
    return CRVNotifyTarget{AsWindow(handle_[0]), message};
}

bool CompletionReceiver::Receive(Completion &completion, int timeoutMs) {
    DWORD deadline = GetTickCount() + static_cast<DWORD>(timeoutMs);
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, AsWindow(handle_[0]), 0, 0, PM_REMOVE)) {
            if (msg.message >= WM_USER) {
                completion = Completion{msg.message, msg.wParam,
                                        static_cast<std::uintptr_t>(msg.lParam)};
                return true;
            }
            DispatchMessageA(&msg);
        }
        auto now = GetTickCount();
        if (static_cast<LONG>(deadline - now) <= 0)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, deadline - now, QS_ALLINPUT);
    }
}

CRVNotifyTarget UndeliverableTarget() {
    return CRVNotifyTarget{reinterpret_cast<HWND>(static_cast<std::intptr_t>(0x7ffe)), WM_USER};
}

std::string CaptureCompletionError(std::int32_t, const std::function<void()> &job) {
    job();
    HWND box = nullptr;
    for (int tries = 0; tries < 200 && !box; ++tries) {
        box = FindWindowA(nullptr, kBoxCaption);
        if (!box)
            Sleep(50);
    }
    if (!box)
        return "";
    std::string text = std::string(kBoxCaption) + ": ";
    EnumChildWindows(box, CollectStaticText, reinterpret_cast<LPARAM>(&text));
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    while (IsWindow(box))
        Sleep(10);
    return text;
}

} // namespace crvtest
