// crvdemo: a window in which the user names a file, picks its data type and
// has crvsdk.dll compress it in place. It shows how a host binds the library
// by name and runs one job per button press.
#include <string>

#include <windows.h>

#include "example/error_message.h"
#include "example/main_window.h"
#include "example/sdk_binding.h"

namespace {

// Frees the library, forgets the window class and destroys what is left of
// the windows (after a normal close, nothing is).
void TearDown(HINSTANCE instance) {
    if (crvdemo::Sdk.module)
        FreeLibrary(crvdemo::Sdk.module);
    UnregisterClassA(crvdemo::kWindowClass, instance);
    crvdemo::DestroyRemainingWindows();
}

int RunMessageLoop() {
    MSG message{};
    BOOL status;
    while ((status = GetMessageA(&message, nullptr, 0, 0)) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return status < 0 ? 1 : static_cast<int>(message.wParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // A missing library or entry point would be called through a null pointer.
    const std::string fault = crvdemo::BindingFault();
    if (!fault.empty()) {
        crvdemo::ShowError(fault.c_str());
        if (crvdemo::Sdk.module)
            FreeLibrary(crvdemo::Sdk.module);
        return 1;
    }
    if (!crvdemo::RegisterMainWindowClass(instance))
        return 0;
    if (!crvdemo::CreateMainWindow(instance)) {
        // Destroyed first, so that the class can be unregistered.
        crvdemo::DestroyRemainingWindows();
        TearDown(instance);
        return 1;
    }
    crvdemo::Sdk.showAboutDialogue(0, crvdemo::Windows.main);
    const int exitCode = RunMessageLoop();
    TearDown(instance);
    return exitCode;
}
