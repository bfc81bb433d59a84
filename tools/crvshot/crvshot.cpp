// Takes a picture of a window under Wine and Xvfb:
//   crvshot settings LANGUAGE OUT.png   the settings dialogue (1 English,
//                                       2 Czech, 3 German) of a new instance
//   crvshot about OUT.png               the about dialogue over a plain owner
//   crvshot window CAPTION OUT.png      any window with this caption, e.g. of
//                                       a program started beside it
//   crvshot windows OUT.png CAPTION...  the windows with these captions together
//   crvshot press CAPTION ID            presses the button ID of a dialogue
//   crvshot close CAPTION               closes a window, as its close box does
// The library is loaded by name and its exports bound, as a host does.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include <windows.h>

#include "sdk/crvsdk.h"
#include "tools/crvshot/capture.h"

namespace {

const int kWaitMs = 15000;

template <typename Function> Function *Bind(HMODULE library, const char *name) {
    return reinterpret_cast<Function *>(reinterpret_cast<void *>(GetProcAddress(library, name)));
}

// Shows a dialogue on this thread with show; a second thread waits for it,
// lets it paint, takes the picture and ends it with the command endId.
bool ShootDialogue(const char *caption, int endId, const std::string &out,
                   const std::function<void()> &show) {
    bool saved = false;
    std::thread camera([&] {
        HWND dialog = crvshot::WaitForCaption(caption, kWaitMs);
        if (!dialog)
            return;
        Sleep(1500);
        saved = crvshot::CaptureWindow(dialog, out);
        PostMessageA(dialog, WM_COMMAND, endId, 0);
    });
    show();
    camera.join();
    return saved;
}

bool ShootSettings(HMODULE library, int language, const std::string &out) {
    auto *create = Bind<decltype(CRVCreateInstance)>(library, "CRVCreateInstance");
    auto *setLanguage = Bind<decltype(CRVSetLanguage)>(library, "CRVSetLanguage");
    auto *show = Bind<decltype(CRVShowSettingDialogue)>(library, "CRVShowSettingDialogue");
    auto *destroy = Bind<decltype(CRVDestroyInstance)>(library, "CRVDestroyInstance");
    std::int32_t id = 0;
    if (!create || !setLanguage || !show || !destroy || (create(&id) & 0xFF) != CRV_OK)
        return false;
    setLanguage(id, static_cast<std::uint32_t>(language));
    bool saved = ShootDialogue("HTML Corvane setting dialog", IDCANCEL, out,
                               [&] { show(id, nullptr); });
    destroy(id);
    return saved;
}

bool ShootAbout(HMODULE library, const std::string &out) {
    auto *show = Bind<decltype(CRVShowAboutDialogue)>(library, "CRVShowAboutDialogue");
    if (!show)
        return false;
    HWND owner = CreateWindowExA(0, "STATIC", "crvshot", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40,
                                 40, 640, 480, nullptr, nullptr, GetModuleHandleA(nullptr),
                                 nullptr);
    bool saved =
        ShootDialogue("About HTML Corvane", 8, out, [&] { show(0, owner); });
    DestroyWindow(owner);
    return saved;
}

bool ShootWindow(const char *caption, const std::string &out) {
    HWND window = crvshot::WaitForCaption(caption, kWaitMs);
    if (!window)
        return false;
    Sleep(1500);
    return crvshot::CaptureWindow(window, out);
}

bool ShootWindows(const std::string &out, char **captions, int count) {
    std::vector<HWND> windows;
    for (int i = 0; i < count; ++i) {
        HWND window = crvshot::WaitForCaption(captions[i], kWaitMs);
        if (!window)
            return false;
        windows.push_back(window);
    }
    Sleep(1500);
    return crvshot::CaptureWindows(windows, out);
}

// Posts to the window once it shows up, and waits until it has taken the
// message, so that the next picture sees the result.
bool PostWhenShown(const char *caption, UINT message, WPARAM wParam) {
    HWND window = crvshot::WaitForCaption(caption, kWaitMs);
    if (!window || !PostMessageA(window, message, wParam, 0))
        return false;
    DWORD_PTR ignored;
    SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kWaitMs, &ignored);
    return true;
}

int Usage() {
    std::fputs("usage: crvshot settings 1|2|3 OUT.png | about OUT.png | window CAPTION OUT.png\n"
               "       | windows OUT.png CAPTION... | press CAPTION ID | close CAPTION\n",
               stderr);
    return 2;
}

} // namespace

int main(int argc, char **argv) {
    // Keep the pointer off the links, which light up under it.
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "window" && argc == 4)
        return ShootWindow(argv[2], argv[3]) ? 0 : 1;
    if (mode == "windows" && argc >= 4)
        return ShootWindows(argv[2], argv + 3, argc - 3) ? 0 : 1;
    if (mode == "press" && argc == 4)
        return PostWhenShown(argv[2], WM_COMMAND, std::atoi(argv[3])) ? 0 : 1;
    if (mode == "close" && argc == 3)
        return PostWhenShown(argv[2], WM_SYSCOMMAND, SC_CLOSE) ? 0 : 1;
    HMODULE library = LoadLibraryA("crvsdk.dll");
    if (!library) {
        std::fputs("crvshot: crvsdk.dll not found\n", stderr);
        return 1;
    }
    if (mode == "settings" && argc == 4)
        return ShootSettings(library, std::atoi(argv[2]), argv[3]) ? 0 : 1;
    if (mode == "about" && argc == 3)
        return ShootAbout(library, argv[2]) ? 0 : 1;
    return Usage();
}
