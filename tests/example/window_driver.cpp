#include "tests/example/window_driver.h"

namespace crvtest {

namespace {

constexpr UINT kAnswerMs = 5000;

} // namespace

std::string ClassName(HWND window) {
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string Text(HWND window) {
    char text[1024] = "";
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                             SMTO_ABORTIFHUNG, kAnswerMs, &copied))
        return {};
    return std::string(text, copied);
}

bool SetText(HWND window, const std::string &text) {
    DWORD_PTR done = 0;
    return SendMessageTimeoutA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                               SMTO_ABORTIFHUNG, kAnswerMs, &done) &&
           done == TRUE;
}

void Click(HWND button) { PostMessageA(button, BM_CLICK, 0, 0); }

int CheckState(HWND button) {
    DWORD_PTR state = 0;
    if (!SendMessageTimeoutA(button, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, kAnswerMs, &state))
        return -1;
    return static_cast<int>(state);
}

RECT PlaceInParent(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    HWND parent = GetParent(window);
    if (parent && (GetWindowLongA(window, GWL_STYLE) & WS_CHILD))
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT *>(&rect), 2);
    return rect;
}

} // namespace crvtest
