#ifndef CRV_EXAMPLE_MAIN_WINDOW_H
#define CRV_EXAMPLE_MAIN_WINDOW_H

#include <windows.h>

namespace crvdemo {

// The eight windows of the program; null until created.
struct MainWindowHandles {
    HWND main;
    HWND label;
    HWND edit;
    HWND group;
    HWND html;
    HWND javascript;
    HWND css;
    HWND button;
};

extern MainWindowHandles Windows;

extern const char *const kWindowClass;

bool RegisterMainWindowClass(HINSTANCE instance);

// Creates the main window and its seven controls, in their fixed order, and
// checks the HTML radio button. False as soon as one cannot be created.
bool CreateMainWindow(HINSTANCE instance);

// Destroys the windows that still exist, children first, the main one last.
void DestroyRemainingWindows();

} // namespace crvdemo

#endif
