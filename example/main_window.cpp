#include "example/main_window.h"

#include "example/compress_chosen_file.h"

namespace crvdemo {

MainWindowHandles Windows{};

const char *const kWindowClass = "HTMLCorvaneExample";

namespace {

constexpr int kCompressButtonId = 100;
constexpr const char *kButtonIdle = "Hit this button when done.";
constexpr const char *kButtonBusy = "Compression in progress...\nPlease wait until it beeps.";

// The file name as the library receives it: at most 254 characters.
char fileName[256];

void OnCompressPressed() {
    GetWindowTextA(Windows.edit, fileName, 255);
    SetWindowTextA(Windows.button, kButtonBusy);
    CompressChosenFile(fileName);
    SetWindowTextA(Windows.button, kButtonIdle);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == kCompressButtonId)
            OnCompressPressed();
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

struct ControlRow {
    HWND MainWindowHandles::*handle;
    const char *className;
    const char *text;
    DWORD exStyle;
    DWORD style;
    int x, y, width, height;
    bool inGroup; // a child of the group box rather than of the main window
    int id;
};

const ControlRow kControls[] = {
    {&MainWindowHandles::label, "STATIC", "Type the name of the file to compress:", 0, SS_LEFT,
     10, 10, 250, 20, false, 0},
    // No ES_AUTOHSCROLL: typing stops at the visible width.
    {&MainWindowHandles::edit, "EDIT", "example.html", WS_EX_CLIENTEDGE, 0, 10, 30, 270, 20,
     false, 0},
    {&MainWindowHandles::group, "BUTTON", "Select the data type:", 0, BS_GROUPBOX, 10, 55, 270,
     50, false, 0},
    {&MainWindowHandles::html, "BUTTON", "HTML", 0, BS_AUTORADIOBUTTON, 10, 20, 70, 20, true, 0},
    {&MainWindowHandles::javascript, "BUTTON", "JavaScript", 0, BS_AUTORADIOBUTTON, 80, 20, 90,
     20, true, 0},
    {&MainWindowHandles::css, "BUTTON", "CSS", 0, BS_AUTORADIOBUTTON, 183, 20, 60, 20, true, 0},
    {&MainWindowHandles::button, "BUTTON", kButtonIdle, WS_EX_CLIENTEDGE, BS_MULTILINE, 10, 110,
     270, 55, false, kCompressButtonId},
};

bool CreateControl(const ControlRow &row, HINSTANCE instance) {
    HWND parent = row.inGroup ? Windows.group : Windows.main;
    HWND control = CreateWindowExA(row.exStyle, row.className, row.text,
                                   WS_CHILD | WS_VISIBLE | row.style, row.x, row.y,
                                   row.width, row.height, parent,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)),
                                   instance, nullptr);
    Windows.*row.handle = control;
    return control != nullptr;
}

} // namespace

bool RegisterMainWindowClass(HINSTANCE instance) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(nullptr, IDI_WINLOGO);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_MENU + 1);
    windowClass.lpszClassName = kWindowClass;
    windowClass.hIconSm = LoadIconA(nullptr, IDI_WINLOGO);
    return RegisterClassExA(&windowClass) != 0;
}

bool CreateMainWindow(HINSTANCE instance) {
    Windows.main = CreateWindowExA(0, kWindowClass, "HTML Corvane Example",
                                   WS_OVERLAPPEDWINDOW | WS_VISIBLE, CW_USEDEFAULT,
                                   CW_USEDEFAULT, 300, 200, nullptr, nullptr, instance, nullptr);
    if (!Windows.main)
        return false;
    for (const ControlRow &row : kControls) {
        if (!CreateControl(row, instance))
            return false;
        if (row.handle == &MainWindowHandles::html)
            SendMessageA(Windows.html, BM_SETCHECK, BST_CHECKED, 0);
    }
    return true;
}

void DestroyRemainingWindows() {
    HWND MainWindowHandles::*const order[] = {
        &MainWindowHandles::label,      &MainWindowHandles::button, &MainWindowHandles::edit,
        &MainWindowHandles::css,        &MainWindowHandles::javascript,
        &MainWindowHandles::html,       &MainWindowHandles::group,  &MainWindowHandles::main,
    };
    for (HWND MainWindowHandles::*handle : order) {
        if (Windows.*handle && IsWindow(Windows.*handle))
            DestroyWindow(Windows.*handle);
    }
}

} // namespace crvdemo
