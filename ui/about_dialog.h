#ifndef CRV_ABOUT_DIALOG_H
#define CRV_ABOUT_DIALOG_H

#include <windows.h>

// The hover state of the about dialogue's links: one about dialogue at a
// time per process.
namespace crv::ui {

// 1 while the mouse is over a link, else 0.
extern unsigned char LinkHoverFlag;

// The Static procedure that the links had before they were subclassed.
extern WNDPROC SavedStaticProc;

LRESULT CALLBACK LinkWindowProc(HWND window, UINT message, WPARAM first, LPARAM second);

} // namespace crv::ui

#endif
