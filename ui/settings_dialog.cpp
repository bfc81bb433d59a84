// The settings dialogue: edits the six switches of one instance.
#include <cstdint>
#include <new>

#include <windows.h>

#include "sdk/instance.h"
#include "ui/library_module.h"
#include "ui/open_url.h"
#include "ui/product_texts.h"
#include "ui/resource_ids.h"
#include "ui/settings_texts.h"
#include "ui/shared_state.h"

namespace crv::ui {

namespace {

// What the user chose; the dialogue's result when it ends with OK.
struct ChosenProperties {
    std::uint8_t deleteComments;
    std::uint8_t protectEvents;
    std::uint8_t compressScripts;
    std::uint8_t compressStyles;
    std::uint8_t hideScripts;
    std::uint8_t beep;
};

const int kHeaderLineIds[3] = {CRV_ID_PRODUCT_LINE, CRV_ID_VERSION_LINE, CRV_ID_RIGHTS_LINE};
const int kSwitchIds[6] = {CRV_ID_DELETE_COMMENTS,  CRV_ID_PROTECT_EVENTS,
                           CRV_ID_COMPRESS_SCRIPTS, CRV_ID_COMPRESS_STYLES,
                           CRV_ID_HIDE_SCRIPTS,     CRV_ID_BEEP};

const char kWarningCaption[] = "HTML Corvane: Error occured";
const char kWarningText[] =
    "The URL could not be open, maybe you do not have any web browser installed on your "
    "computer.\r\nPlease install some and visit the product web page on \r" CRV_SDK_PAGE;

void ShowLanguage(HWND dialog, std::uint8_t language) {
    if (language < CRV_LANG_ENGLISH || language > CRV_LANG_GERMAN)
        return;
    for (const LocalisedText &entry : kSettingsTexts)
        SetDlgItemTextA(dialog, entry.controlId, entry.text[language - 1]);
}

void StartDialogue(HWND dialog, const crv::CompressorInstance &record) {
    ShowLanguage(dialog, record.language);
    const std::uint8_t values[6] = {record.deleteComments,  record.protectEvents,
                                    record.compressScripts, record.compressStyles,
                                    record.hideScripts,     record.beep};
    for (int i = 0; i < 6; ++i)
        CheckDlgButton(dialog, kSwitchIds[i], values[i]);
    HBITMAP logo = LoadBitmapA(LibraryModule(), MAKEINTRESOURCEA(CRV_BITMAP_LOGO));
    SendDlgItemMessageA(dialog, CRV_ID_LOGO_BUTTON, BM_SETIMAGE, IMAGE_BITMAP,
                        reinterpret_cast<LPARAM>(logo));
    for (int id : kHeaderLineIds)
        SendDlgItemMessageA(dialog, id, WM_SETFONT, reinterpret_cast<WPARAM>(HeaderFont), TRUE);
    SendDlgItemMessageA(dialog, CRV_ID_VERSION_LINE, WM_SETTEXT, 0,
                        reinterpret_cast<LPARAM>(CRV_VERSION_LINE));
}

// Null when the record cannot be allocated: the choice is then lost as if
// the dialogue had been cancelled.
ChosenProperties *ReadChoice(HWND dialog) {
    auto *chosen = new (std::nothrow) ChosenProperties;
    if (!chosen)
        return nullptr;
    std::uint8_t *const fields[6] = {&chosen->deleteComments,  &chosen->protectEvents,
                                     &chosen->compressScripts, &chosen->compressStyles,
                                     &chosen->hideScripts,     &chosen->beep};
    for (int i = 0; i < 6; ++i)
        *fields[i] = SendDlgItemMessageA(dialog, kSwitchIds[i], BM_GETCHECK, 0, 0) > 0 ? 1 : 0;
    return chosen;
}

void OpenSdkPage(HWND dialog) {
    if (!OpenUrlInBrowser(CRV_SDK_PAGE))
        MessageBoxA(dialog, kWarningText, kWarningCaption, MB_OK | MB_ICONWARNING);
}

void OnCommand(HWND dialog, WPARAM first) {
    switch (LOBYTE(first)) {
    case IDOK:
        EndDialog(dialog, reinterpret_cast<INT_PTR>(ReadChoice(dialog)));
        break;
    case IDCANCEL:
    case CRV_ID_CLOSE:
        EndDialog(dialog, 0);
        break;
    case CRV_ID_LOGO_BUTTON:
        OpenSdkPage(dialog);
        break;
    }
}

void PaintHeaderBand(HWND dialog) {
    HDC context = GetDC(dialog);
    RECT band{0, 0, 500, 53};
    FillRect(context, &band, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    ReleaseDC(dialog, context);
}

// The button does not own its image: the logo is given back with the dialogue.
void ReleaseLogo(HWND dialog) {
    auto logo = reinterpret_cast<HGDIOBJ>(
        SendDlgItemMessageA(dialog, CRV_ID_LOGO_BUTTON, BM_GETIMAGE, IMAGE_BITMAP, 0));
    if (logo)
        DeleteObject(logo);
}

INT_PTR CALLBACK SettingsDialogProc(HWND dialog, UINT message, WPARAM first, LPARAM second) {
    switch (message) {
    case WM_INITDIALOG:
        StartDialogue(dialog, *reinterpret_cast<const crv::CompressorInstance *>(second));
        return 0;
    case WM_COMMAND:
        OnCommand(dialog, first);
        return 0;
    case WM_CTLCOLORSTATIC:
        SetTextColor(reinterpret_cast<HDC>(first), RGB(0, 0, 0));
        SetBkMode(reinterpret_cast<HDC>(first), TRANSPARENT);
        return reinterpret_cast<INT_PTR>(GetStockObject(NULL_BRUSH));
    case WM_PAINT:
        PaintHeaderBand(dialog);
        return 0;
    case WM_DESTROY:
        ReleaseLogo(dialog);
        return 0;
    }
    return 0;
}

void Store(crv::CompressorInstance &record, const ChosenProperties &chosen) {
    record.deleteComments = chosen.deleteComments;
    record.protectEvents = chosen.protectEvents;
    record.compressScripts = chosen.compressScripts;
    record.compressStyles = chosen.compressStyles;
    record.hideScripts = chosen.hideScripts;
    record.beep = chosen.beep;
}

} // namespace

} // namespace crv::ui

using namespace crv::ui;

extern "C" int32_t CRV_CALL CRVShowSettingDialogue(int32_t instanceId, void *parent) {
    std::int32_t refusal = CRV_OK;
    crv::CompressorInstance *record = crv::FindIdleInstance(instanceId, refusal);
    if (!record)
        return refusal;
    INT_PTR result = DialogBoxParamA(LibraryModule(), MAKEINTRESOURCEA(CRV_DIALOG_SETTINGS),
                                     static_cast<HWND>(parent), SettingsDialogProc,
                                     reinterpret_cast<LPARAM>(record));
    // -1: the dialogue could not be made at all, and there is no record.
    if (result == 0 || result == -1)
        return CRV_ERR_CANCELLED;
    auto *chosen = reinterpret_cast<ChosenProperties *>(result);
    std::int32_t answer = CRV_ERR_BUSY;
    if (crv::IsIdle(record)) {
        Store(*record, *chosen);
        answer = CRV_OK;
    }
    delete chosen;
    return answer;
}
