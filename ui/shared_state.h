#ifndef CRV_SHARED_STATE_H
#define CRV_SHARED_STATE_H

#include <windows.h>

// What both dialogues share for the library's whole life in the process:
// made when the library is loaded, given back when it is unloaded.
namespace crv::ui {

// The header lines of both dialogues: Arial, 9 pixels.
extern HFONT HeaderFont;

// The links of the about dialogue: italic MS Shell Dlg, 9 pixels.
extern HFONT LinkFont;

// Asks for a WM_MOUSELEAVE when the mouse leaves the link it was last
// pointed at; only its window changes after load.
extern TRACKMOUSEEVENT LinkTracking;

} // namespace crv::ui

#endif
