#include "example/compress_chosen_file.h"

#include "example/error_message.h"
#include "example/main_window.h"
#include "example/sdk_binding.h"

namespace crvdemo {

namespace {

bool IsChecked(HWND radioButton) { return SendMessageA(radioButton, BM_GETCHECK, 0, 0) > 0; }

uint32_t ChosenDataType() {
    if (IsChecked(Windows.html))
        return CRV_DATA_HTML;
    if (IsChecked(Windows.javascript))
        return CRV_DATA_JAVASCRIPT;
    return CRV_DATA_CSS;
}

void ReportCompression(int32_t result) {
    switch (LowByte(result)) {
    case CRV_OK:
        // The library's completion beep tells the user.
        return;
    case CRV_ERR_READ_FILE:
        ShowError("Can not read the file. Please check whether you put in the correct name.");
        return;
    case CRV_ERR_WRITE_FILE:
        ShowError("Can not write the compressed data into the file. Please check whether the "
                  "disk is not full and you are given the write access privilege.");
        return;
    default:
        ShowError("An unexpected error arose. Please check the correctness of the input.");
    }
}

} // namespace

void CompressChosenFile(const char *fileName) {
    int32_t id = 0;
    // Without an instance there is nothing to compress with, nor to destroy.
    if (LowByte(Sdk.createInstance(&id)) != CRV_OK) {
        ShowError("Can not create the HTML Corvane instance.");
        return;
    }
    if (LowByte(Sdk.showSettingDialogue(id, Windows.main)) == CRV_OK)
        ReportCompression(Sdk.compressFile(id, ChosenDataType(), fileName));
    if (LowByte(Sdk.destroyInstance(id)) != CRV_OK)
        ShowError("Can not destroy the HTML Corvane instance.");
}

} // namespace crvdemo
