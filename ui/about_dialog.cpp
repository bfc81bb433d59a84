// The about dialogue: the logo, the description, contacts and three links
// that light up under the mouse.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include <windows.h>

#include "sdk/crvsdk.h"
#include "ui/about_dialog.h"
#include "ui/library_module.h"
#include "ui/open_url.h"
#include "ui/product_texts.h"
#include "ui/resource_ids.h"
#include "ui/shared_state.h"

namespace crv::ui {

unsigned char LinkHoverFlag = 0;
WNDPROC SavedStaticProc = nullptr;

namespace {

const int kHeaderLineIds[3] = {CRV_ID_PRODUCT_LINE, CRV_ID_VERSION_LINE, CRV_ID_RIGHTS_LINE};
const COLORREF kHoverColour = RGB(100, 100, 255);
const int kLinkIds[3] = {CRV_ID_HOME_LINK, CRV_ID_PRODUCT_LINK, CRV_ID_SDK_LINK};

void StartDialogue(HWND dialog) {
    for (int id : kHeaderLineIds)
        SendDlgItemMessageA(dialog, id, WM_SETFONT, reinterpret_cast<WPARAM>(HeaderFont), TRUE);
    SendDlgItemMessageA(dialog, CRV_ID_VERSION_LINE, WM_SETTEXT, 0,
                        reinterpret_cast<LPARAM>(CRV_VERSION_LINE));
    for (int id : kLinkIds)
        SendDlgItemMessageA(dialog, id, WM_SETFONT, reinterpret_cast<WPARAM>(LinkFont), FALSE);
    LinkHoverFlag = 0;
    for (int id : kLinkIds) {
        auto previous = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
            GetDlgItem(dialog, id), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(LinkWindowProc)));
        if (id == CRV_ID_HOME_LINK)
            SavedStaticProc = previous;
    }
}

// A white band behind the header with the logo's black pixels on it.
void PaintHeader(HWND dialog) {
    HDC context = GetDC(dialog);
    RECT band{0, 0, 500, 49};
    FillRect(context, &band, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    HDC memory = CreateCompatibleDC(context);
    HBITMAP logo = LoadBitmapA(LibraryModule(), MAKEINTRESOURCEA(CRV_BITMAP_LOGO));
    BITMAP size{};
    GetObjectA(logo, sizeof size, &size);
    HGDIOBJ before = SelectObject(memory, logo);
    BitBlt(context, 5, 5, size.bmWidth, size.bmHeight, memory, 0, 0, SRCAND);
    SelectObject(memory, before);
    DeleteObject(logo);
    DeleteDC(memory);
    ReleaseDC(dialog, context);
}

// Links open the address they show; the donation button its page. Nothing
// is said when no browser starts.
void OpenLinkOf(HWND dialog, int id) {
    auto *address = static_cast<char *>(std::calloc(256, 1));
    if (!address)
        return;
    if (id == CRV_ID_DONATE_BUTTON)
        std::strcpy(address, CRV_DONATION_PAGE);
    else
        SendDlgItemMessageA(dialog, id, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(address));
    if (address[0])
        OpenUrlInBrowser(address);
    std::free(address);
}

void OnCommand(HWND dialog, WPARAM first) {
    const int id = LOBYTE(first);
    if (id == IDOK || id == IDCANCEL || id == CRV_ID_CLOSE)
        EndDialog(dialog, 0);
    else
        OpenLinkOf(dialog, id);
}

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM first, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        StartDialogue(dialog);
        return 0;
    case WM_PAINT:
        PaintHeader(dialog);
        return 0;
    case WM_COMMAND:
        OnCommand(dialog, first);
        return 0;
    case WM_CTLCOLORSTATIC:
        SetTextColor(reinterpret_cast<HDC>(first), LinkHoverFlag ? kHoverColour : RGB(0, 0, 0));
        SetBkMode(reinterpret_cast<HDC>(first), TRANSPARENT);
        return reinterpret_cast<INT_PTR>(GetStockObject(NULL_BRUSH));
    }
    return 0;
}

void Invalidate(HWND window) { RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE); }

} // namespace

LRESULT CALLBACK LinkWindowProc(HWND window, UINT message, WPARAM first, LPARAM second) {
    switch (message) {
    case WM_MOUSEMOVE:
        if (!LinkHoverFlag) {
            LinkTracking.hwndTrack = window;
            TrackMouseEvent(&LinkTracking);
            LinkHoverFlag = 1;
            Invalidate(window);
        }
        return 1;
    case WM_MOUSELEAVE:
        LinkHoverFlag = 0;
        Invalidate(window);
        return 1;
    }
    return CallWindowProcA(SavedStaticProc, window, message, first, second);
}

} // namespace crv::ui

extern "C" int32_t CRV_CALL CRVShowAboutDialogue(uint32_t, void *parent) {
    DialogBoxParamA(crv::ui::LibraryModule(), MAKEINTRESOURCEA(CRV_DIALOG_ABOUT),
                    static_cast<HWND>(parent), crv::ui::AboutDialogProc, 0);
    return CRV_OK;
}
